#include "support/pdftools.h"

#include <QFile>
#include <QTemporaryDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vendara::test {

bool havePdfTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

QString runPdfTool(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QList<PdfWord> pdfWords(const QString &pdfPath)
{
    const QString html = runPdfTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    QList<PdfWord> words;
    int page = 0;
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        PdfWord w;
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        w.text = m.captured(5);
        w.page = page;
        words.append(w);
    }
    return words;
}

int pdfPageCount(const QString &pdfPath)
{
    const QString info = runPdfTool(QStringLiteral("pdfinfo"), {pdfPath});
    static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
    const auto m = pages.match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace vendara::test

namespace vendara::test {

QSizeF pdfPageSize(const QString &pdfPath)
{
    const QString info = runPdfTool(QStringLiteral("pdfinfo"), {pdfPath});
    static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const auto m = size.match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QList<QByteArray> pdfStreams(const QString &pdfPath)
{
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    QList<QByteArray> streams;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") { // "endstream\n"
            at += 7;
            continue;
        }
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        const QByteArray raw = pdf.mid(start, end - start);
        // qUncompress wants the expected size in front; it grows past it.
        const QByteArray inflated = qUncompress(QByteArray::fromHex("00100000") + raw);
        streams.append(inflated.isEmpty() ? raw : inflated);
        at = end + 9;
    }
    return streams;
}

QImage pdfPageImage(const QString &pdfPath, int page, int dpi)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        return {};
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    runPdfTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), number,
                                            QStringLiteral("-l"), number, QStringLiteral("-gray"),
                                            QStringLiteral("-singlefile"), QStringLiteral("-png"), pdfPath, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

double inkIn(const QImage &image, const QRect &rect)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const QRect area = rect.intersected(grey.rect());
    double ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            ink += (255 - line[x]) / 255.0;
    }
    return ink;
}

} // namespace vendara::test
