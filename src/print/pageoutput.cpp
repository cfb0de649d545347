#include "pageoutput.h"

#include "pagepicture.h"
#include "pagerecorder.h"

#include "common/atomicfile.h"
#include "common/error.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <optional>

namespace vendara {
namespace {

// Vector output: the resolution only sets the precision of coordinates.
constexpr int kPdfResolution = 1200;

} // namespace

PageSequence::PageSequence(const PageRecorder &pages)
    : m_count(pages.pageCount()), m_page([&pages](int number) { return pages.page(number); })
{
}

PageSequence::PageSequence(const QStringList &pageFiles)
    : m_count(int(pageFiles.size())), m_page([pageFiles](int number) -> std::shared_ptr<const PagePicture> {
          if (std::optional<PagePicture> page = PagePicture::load(pageFiles.value(number - 1)))
              return std::make_shared<const PagePicture>(std::move(*page));
          return nullptr;
      })
{
}

PageSequence::PageSequence(const std::vector<PageSequence> &parts)
{
    for (const PageSequence &part : parts)
        m_count += part.count();
    m_page = [parts](int number) -> std::shared_ptr<const PagePicture> {
        for (const PageSequence &part : parts) {
            if (number <= part.count())
                return part.page(number);
            number -= part.count();
        }
        return nullptr;
    };
}

QStringList pageFilesOf(const PageRecorder &plot)
{
    QStringList files;
    for (int n = 1; n <= plot.pageCount(); ++n)
        files.append(plot.pageFilePath(n));
    return files;
}

QByteArray pdfOfPages(const PageSequence &pages, const QPageLayout &layout, const QString &failureMessage,
                      const std::function<bool(int page)> &beforePage, const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Vendara"));
        writer.setTitle(title);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            throw Error(failureMessage);
        // Pictures (logos, stamps) are stored losslessly (Flate), never as
        // JPEG: a bitmap would gain colour fringes, a JPEG lose twice.
        painter.setRenderHint(QPainter::LosslessImageRendering, true);
        const QRectF sheetRect(QPointF(0, 0), QSizeF(writer.pageLayout().fullRectPixels(kPdfResolution).size()));
        // A page that is missing prints the picture of the page before it
        // again, as the printer output does.
        std::shared_ptr<const PagePicture> previous;
        for (int n = 1; n <= pages.count(); ++n) {
            if (beforePage && !beforePage(n)) {
                painter.end();
                return {};
            }
            if (n > 1)
                writer.newPage();
            if (std::shared_ptr<const PagePicture> page = pages.page(n))
                previous = std::move(page);
            if (previous)
                previous->play(painter, sheetRect);
        }
        painter.end();
    }
    return buffer.data();
}

void writePagesToPdf(const PageSequence &pages, const SheetSetup &sheet, const QString &pdfPath,
                     const QString &title)
{
    const QPageLayout layout(sheet.paper, sheet.orientation, QMarginsF(0, 0, 0, 0));
    saveFileAtomically(pdfPath, pdfOfPages(pages, layout, cannotWriteMessage(pdfPath), {}, title));
}

QStringList writePagesToPng(const PageSequence &pages, const SheetSetup &sheet, const QString &dir, int dpi)
{
    QDir().mkpath(dir);
    const QPageLayout layout(sheet.paper, sheet.orientation, QMarginsF(0, 0, 0, 0));
    const QSize pixels = layout.fullRectPixels(dpi).size();
    QStringList written;
    std::shared_ptr<const PagePicture> previous;
    for (int i = 0; i < pages.count(); ++i) {
        if (std::shared_ptr<const PagePicture> page = pages.page(i + 1))
            previous = std::move(page);
        QImage image(pixels, QImage::Format_RGB32);
        const int dotsPerMetre = int(dpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        image.fill(Qt::white);
        if (previous) {
            QPainter painter(&image);
            previous->play(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const QString path = QDir(dir).filePath(QStringLiteral("page%1.png").arg(i + 1, 3, 10, QLatin1Char('0')));
        saveFileAtomically(path, buffer.data());
        written.append(path);
    }
    return written;
}

} // namespace vendara
