#include "emfpicture.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <optional>

#include <emf2svg.h>

#include <algorithm>
#include <cstdlib>

namespace vendara {
namespace {

// The fields of the EMR_HEADER record that drawing needs.
struct EmfHeader
{
    quint32 type = 0;
    quint32 size = 0;
    QRect bounds;  // device units; right and bottom inclusive, as stored
    QRect frame;   // 0.01 mm; likewise
    quint32 signature = 0;
    QSize devicePixels; // the reference device
    QSize deviceMillimetres;
};

constexpr qsizetype kHeaderMinimum = 88;
constexpr quint32 kHeaderType = 1;
constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr int kBoundsOffset = 8;
constexpr int kDescriptionOffset = 60; // nDescription, offDescription
// Coordinates beyond this are no real picture, and their extents overflow int.
constexpr qint64 kCoordinateLimit = 1 << 28;

QRect readRect(QDataStream &in)
{
    qint32 l = 0, t = 0, r = 0, b = 0;
    in >> l >> t >> r >> b;
    if (std::max({qAbs(qint64(l)), qAbs(qint64(t)), qAbs(qint64(r)), qAbs(qint64(b))}) > kCoordinateLimit)
        in.setStatus(QDataStream::ReadCorruptData);
    return QRect(QPoint(l, t), QPoint(r, b));
}

std::optional<EmfHeader> readHeader(const QByteArray &bytes)
{
    if (bytes.size() < kHeaderMinimum)
        return std::nullopt;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    EmfHeader h;
    in >> h.type >> h.size;
    h.bounds = readRect(in);
    h.frame = readRect(in);
    quint32 skip = 0;
    qint32 cx = 0, cy = 0, mx = 0, my = 0;
    in >> h.signature;
    for (int i = 0; i < 7; ++i) // version, bytes, records, handles+reserved, description (2), palette
        in >> skip;
    in >> cx >> cy >> mx >> my;
    h.devicePixels = QSize(cx, cy);
    h.deviceMillimetres = QSize(mx, my);
    if (in.status() != QDataStream::Ok || h.type != kHeaderType || h.signature != kSignature
        || h.size < kHeaderMinimum || h.size > quint32(bytes.size()))
        return std::nullopt;
    return h;
}

// Replaces the stored bounds (inclusive right and bottom) of the header.
void writeBounds(QByteArray &bytes, const QRect &r)
{
    QByteArray field;
    QDataStream out(&field, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(r.left()) << qint32(r.top()) << qint32(r.left() + r.width()) << qint32(r.top() + r.height());
    bytes.replace(kBoundsOffset, field.size(), field);
}

// A RECTL as left/top and extents (right - left, bottom - top).
QRect extentRect(const QRect &inclusive)
{
    return QRect(inclusive.left(), inclusive.top(), inclusive.right() - inclusive.left(),
                 inclusive.bottom() - inclusive.top());
}

QString convertToSvg(QByteArray emf)
{
    generatorOptions options{};
    options.nameSpace = const_cast<char *>("");
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    char *out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(emf.data(), size_t(emf.size()), &out, &outLength, &options);
    QString svg;
    if (ok && out)
        svg = QString::fromUtf8(out, qsizetype(outLength));
    std::free(out);
    return svg;
}

} // namespace

EmfPicture::EmfPicture(EmfPicture &&) noexcept = default;
EmfPicture &EmfPicture::operator=(EmfPicture &&) noexcept = default;
EmfPicture::~EmfPicture() = default;

std::optional<EmfPicture> EmfPicture::fromBytes(const QByteArray &bytes)
{
    const std::optional<EmfHeader> header = readHeader(bytes);
    if (!header)
        return std::nullopt;
    const QSize &pixels = header->devicePixels;
    const QSize &mm = header->deviceMillimetres;
    if (pixels.width() <= 0 || pixels.height() <= 0 || mm.width() <= 0 || mm.height() <= 0)
        return std::nullopt;
    // Pixels of the reference device per 0.01 mm of the frame.
    const double px = double(pixels.width()) / (mm.width() * 100.0);
    const double py = double(pixels.height()) / (mm.height() * 100.0);

    QRect bounds = extentRect(header->bounds);
    const QRect frame01mm = extentRect(header->frame);
    QRectF frame(frame01mm.left() * px, frame01mm.top() * py, frame01mm.width() * px, frame01mm.height() * py);
    if (std::max({qAbs(frame.left()), qAbs(frame.top()), qAbs(frame.right()), qAbs(frame.bottom())}) > kCoordinateLimit)
        return std::nullopt;

    QByteArray emf = bytes;
    // The converter reads the header's description string wherever its offset
    // points, past the end of the bytes too; nothing here needs it.
    emf.replace(kDescriptionOffset, 8, QByteArray(8, '\0'));
    if (bounds.width() <= 0 || bounds.height() <= 0) {
        // Writers that leave the bounds empty: the converter sizes the SVG to
        // them, so give it the frame instead.
        if (frame.width() <= 0 || frame.height() <= 0)
            return std::nullopt;
        bounds = frame.toAlignedRect();
        writeBounds(emf, bounds);
    }
    if (frame.width() <= 0 || frame.height() <= 0)
        frame = QRectF(bounds);

    const QString svg = convertToSvg(emf);
    if (svg.isEmpty())
        return std::nullopt;
    auto renderer = std::make_unique<QSvgRenderer>(svg.toUtf8());
    if (!renderer->isValid())
        return std::nullopt;

    EmfPicture picture;
    // The SVG's origin is the bounds' top left corner.
    picture.m_frame = frame.translated(-bounds.left(), -bounds.top());
    renderer->setViewBox(picture.m_frame);
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    picture.m_svg = std::move(renderer);
    return picture;
}

std::optional<EmfPicture> EmfPicture::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromBytes(file.readAll());
}

void EmfPicture::draw(QPainter &painter, const QRectF &target) const
{
    m_svg->render(&painter, target);
}

} // namespace vendara
