#include "companyblock.h"

#include "emfwriter.h"
#include "imagefile.h"
#include "windowsfaces.h"

#include "common/atomicfile.h"
#include "common/colorref.h"
#include "common/cp932codec.h"
#include "common/error.h"
#include "common/iniprofile.h"
#include "common/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vendara {
namespace companyblock {
namespace {

QString valueAt(const QStringList &values, int line)
{
    return line < values.size() ? values[line] : QString();
}

int readDefault(int line)
{
    switch (line) {
    case NameSize:
    case AddressSize:
        return 10;
    case ImageWidth:
    case ImageHeight:
        return 100;
    default:
        return 0;
    }
}

// Positions and sizes far beyond the 425 x 177 block are cut to this, so that
// a position plus a size, or eight line heights, stay inside int.
constexpr double kMaxBlockUnits = 1 << 24;

// A set name from a list or the default print settings becomes part of a
// path: it must not lead out of Dat/Etc.
void requirePathFreeName(const QString &name)
{
    if (name.contains(u'/') || name.contains(QChar(0)))
        requireSafeFileName(name);
}

const QString kListFile = QStringLiteral("Mst/LogoList");

// Exactly 23 lines: missing values empty, extra ones dropped.
QStringList setFileLines(const QStringList &values)
{
    QStringList lines = values.mid(0, kLineCount);
    while (lines.size() < kLineCount)
        lines.append(QString());
    return lines;
}
const QString kFirstSet = QStringLiteral("デフォルト");

} // namespace

QFont BlockFont::toQFont() const
{
    QFont qfont = fontForFace(face);
    qfont.setPixelSize(qMax(1, height));
    qfont.setBold(bold());
    qfont.setItalic(italic());
    return qfont;
}

QColor BlockFont::color() const
{
    return colorFromColorRef(colorRef);
}

QStringList newSetValues()
{
    return {
        QStringLiteral("ＭＳ ゴシック"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("18"),
        QStringLiteral("社名を入力してください"), QStringLiteral("社名の2行目"),
        QStringLiteral("ＭＳ ゴシック"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"),
        QStringLiteral("000-0000"), QStringLiteral("都道府県市区町村"), QStringLiteral("その他の住所"),
        QStringLiteral("電話番号・ファックス"), QStringLiteral("ホームページなど"),
        QStringLiteral("メールアドレスなど"), QStringLiteral("口座番号など"), QStringLiteral("口座番号など"),
        QString(), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("100"),
    };
}

std::optional<QStringList> readSet(const QString &path, FileVersion *version)
{
    QByteArray bytes;
    try {
        const FileVersion read = FileVersion::of(path, &bytes);
        if (version)
            *version = read;
        if (!read.exists)
            return std::nullopt;
    } catch (const Error &) {
        return std::nullopt;
    }
    const QStringList lines = textfile::splitLines(cp932::decode(bytes));
    if (lines.size() < kLineCount)
        return std::nullopt;
    return lines.mid(0, kLineCount);
}

void writeSet(const QString &path, const QStringList &values)
{
    textfile::writeLines(path, setFileLines(values));
}

int intValue(const QStringList &values, int line)
{
    const auto v = IniProfile::parseInteger(valueAt(values, line));
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return readDefault(line);
    return int(*v);
}

int characterHeight(int pointSize)
{
    return int(std::lround(std::clamp(double(pointSize) * 96.0 / 72.0, -kMaxBlockUnits, kMaxBlockUnits)));
}

BlockFont fontAt(const QStringList &values, int faceLine)
{
    BlockFont font;
    font.face = valueAt(values, faceLine);
    font.style = intValue(values, faceLine + 1);
    font.colorRef = quint32(intValue(values, faceLine + 2)) & 0xFFFFFFu;
    font.height = characterHeight(intValue(values, faceLine + 3));
    return font;
}

int styleCode(bool bold, bool italic)
{
    return (bold ? 1 : 0) + (italic ? 2 : 0);
}

ValueRange editorRange(int imageLine)
{
    switch (imageLine) {
    case ImageLeft:
        return {0, kWidth};
    case ImageTop:
        return {0, kHeight};
    case ImageWidth:
        return {1, kWidth};
    case ImageHeight:
        return {1, kHeight};
    default:
        throw Error(QStringLiteral("companyblock::editorRange: line %1 is no image line").arg(imageLine));
    }
}

int editorValue(const QStringList &values, int imageLine)
{
    const ValueRange range = editorRange(imageLine);
    return std::clamp(intValue(values, imageLine), range.minimum, range.maximum);
}

std::optional<int> typedEditorValue(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return int(std::lround(std::clamp(value, -1e9, 1e9)));
}

QList<TextPlacement> textLayout(const QStringList &values)
{
    QList<TextPlacement> texts;
    const QString trailer(5, u' ');
    const BlockFont name = fontAt(values, NameFace);
    texts.append({valueAt(values, NameLine1) + trailer, name, QPoint(0, 0)});
    texts.append({valueAt(values, NameLine2) + trailer, name, QPoint(0, name.height)});

    const BlockFont address = fontAt(values, AddressFace);
    for (int k = 0; k < AddressLineCount; ++k) {
        const QString text = valueAt(values, AddressLine1 + k);
        if (!text.isEmpty())
            texts.append({text, address, QPoint(10, 55 + k * address.height)});
    }
    return texts;
}

QRect imageRect(const QStringList &values)
{
    const auto at = [&values](int line) {
        return int(std::clamp(double(intValue(values, line)), -kMaxBlockUnits, kMaxBlockUnits));
    };
    return QRect(at(ImageLeft), at(ImageTop), at(ImageWidth), at(ImageHeight));
}

bool isBlockImageFile(const QString &path)
{
    const QString lower = path.toLower();
    const bool known = lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg"))
        || lower.endsWith(QLatin1String(".bmp"));
    return known && QFileInfo(path).isFile();
}

std::optional<QImage> decodeBlockImage(const QString &path)
{
    if (path.toLower().endsWith(QLatin1String(".bmp")))
        return decodeBmpFile(path);
    return decodeJpegFile(path);
}

QString setFilePath(const DataFolder &data, const QString &name)
{
    requirePathFreeName(name);
    return data.datPath(QStringLiteral("Etc/") + name + QStringLiteral(".Dat"));
}

QString setPictureFilePath(const DataFolder &data, const QString &name)
{
    requirePathFreeName(name);
    return data.datPath(QStringLiteral("Etc/") + name + QStringLiteral(".emf"));
}

QStringList readSetList(const DataFolder &data)
{
    QStringList names;
    for (const QString &line : textfile::readLines(data.datPath(kListFile)).value_or(QStringList()))
        if (!line.trimmed().isEmpty())
            names.append(line);
    return names;
}

void writeSetList(const DataFolder &data, const QStringList &names)
{
    textfile::writeLines(data.datPath(kListFile), names);
}

bool hasSetList(const DataFolder &data)
{
    return QFileInfo::exists(data.datPath(kListFile));
}

QString defaultSetName()
{
    return kFirstSet;
}

void addToSetList(const DataFolder &data, const QString &name)
{
    withFolderLock(data.datPath(kListFile), [&] {
        QStringList names = readSetList(data);
        if (names.contains(name))
            return;
        names.append(name);
        writeSetList(data, names);
    });
}

void deleteSet(const DataFolder &data, const QString &name)
{
    withFolderLock(data.datPath(kListFile), [&] {
        QStringList files;
        try {
            files = {setFilePath(data, name), setPictureFilePath(data, name)};
        } catch (const Error &) {
            // A hand-edited line that names no file: only the line goes.
        }
        for (const QString &path : std::as_const(files)) {
            QFile file(path);
            if (file.exists() && !file.remove())
                throw Error(QStringLiteral("%1 を削除できません").arg(path));
        }
        QStringList names = readSetList(data);
        if (names.removeAll(name) > 0)
            writeSetList(data, names);
    });
}

QStringList otherSetNames(const DataFolder &data, const QString &name)
{
    QStringList others = readSetList(data);
    others.removeAll(name);
    return others;
}

void ensureSetList(const DataFolder &data)
{
    // A data folder without its Mst/ or Etc/ folder gets them here.
    QDir().mkpath(QFileInfo(data.datPath(kListFile)).path());
    QDir().mkpath(QFileInfo(setFilePath(data, kFirstSet)).path());
    if (!QFileInfo::exists(data.datPath(kListFile)))
        writeSetList(data, {kFirstSet});
    const QStringList names = readSetList(data);
    // A hand-edited list may name something that is no file name; such a set
    // is not created.
    if (names.isEmpty() || !isSafeFileName(names.first()))
        return;
    const QString path = setFilePath(data, names.first());
    if (!QFileInfo::exists(path))
        writeSet(path, newSetValues());
}

QByteArray enhancedMetafile(const QStringList &values)
{
    EmfWriter emf(QSize(kWidth, kHeight));
    const QString imagePath = valueAt(values, ImagePath);
    if (isBlockImageFile(imagePath)) {
        if (auto image = decodeBlockImage(imagePath))
            emf.image(imageRect(values), *image);
    }
    for (const TextPlacement &t : textLayout(values)) {
        emf.setFont(t.font.face, t.font.height, t.font.bold(), t.font.italic(), t.font.colorRef);
        emf.text(t.topLeft.x(), t.topLeft.y(), t.text);
    }
    return emf.finish();
}

void saveSetAs(const DataFolder &data, const QString &name, const QStringList &values, const FileVersion &read,
               Overwrite overwrite)
{
    requireSafeFileName(name);
    writeLinesIfUnchanged(setFilePath(data, name), setFileLines(values), read, overwrite);
    saveFileAtomically(setPictureFilePath(data, name), enhancedMetafile(values));
}

} // namespace companyblock

using namespace companyblock;

CompanyBlockPainter::CompanyBlockPainter() = default;

const QImage *CompanyBlockPainter::imageFor(const QString &path)
{
    if (path != m_imagePath) {
        m_imagePath = path;
        m_image = decodeBlockImage(path).value_or(QImage());
    }
    return m_image.isNull() ? nullptr : &m_image;
}

const QPicture &CompanyBlockPainter::draw(const QStringList &values)
{
    m_picture = QPicture();
    QPainter painter(&m_picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setBackgroundMode(Qt::TransparentMode);

    const QString imagePath = values.value(ImagePath);
    if (m_imageEnabled && isBlockImageFile(imagePath)) {
        if (const QImage *image = imageFor(imagePath))
            painter.drawImage(imageRect(values), *image);
    }
    for (const TextPlacement &t : textLayout(values)) {
        // The preview shows this picture and the page plays it into the PDF:
        // a bold name line is emboldened by the same strokes on both.
        const TextFace face = textFaceFor(t.font.toQFont());
        painter.setFont(face.font);
        painter.setPen(t.font.color());
        // A played QPicture puts the cell top at the recorded baseline less the
        // whole-unit ascent, so the baseline is recorded with that same ascent.
        const int ascent = painter.fontMetrics().ascent();
        const QPointF baseline(t.topLeft.x(), t.topLeft.y() + ascent);
        painter.drawText(baseline, t.text);
        strokeEmboldened(painter, baseline, t.text, face, t.font.color());
    }
    m_picture.setBoundingRect(QRect(0, 0, kWidth, kHeight));
    painter.end();
    return m_picture;
}

} // namespace vendara
