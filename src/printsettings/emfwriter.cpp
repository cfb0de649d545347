#include "emfwriter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace vendara {
namespace {

constexpr quint32 kEmfSignature = 0x464D4520; // " EMF"
constexpr quint32 kHeaderSize = 108;          // header with the micrometre extension
constexpr quint32 kTransparent = 1;
constexpr quint32 kColorOnColor = 3;
constexpr quint32 kTextAlignTopLeft = 0;
constexpr quint32 kSrcCopy = 0x00CC0020;
constexpr quint8 kShiftJisCharset = 128;

// Little-endian field writer for one record's payload.
class Fields
{
public:
    void u32(quint32 v) { put(v); }
    void i32(qint32 v) { put(quint32(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_bytes.append(b, 2);
    }
    void u8(quint8 v) { m_bytes.append(char(v)); }
    void f32(float v)
    {
        quint32 bits;
        static_assert(sizeof bits == sizeof v);
        std::memcpy(&bits, &v, sizeof bits);
        put(bits);
    }
    void rect(qint32 l, qint32 t, qint32 r, qint32 b)
    {
        i32(l);
        i32(t);
        i32(r);
        i32(b);
    }
    void bytes(const QByteArray &b) { m_bytes.append(b); }
    void padTo4()
    {
        while (m_bytes.size() % 4)
            m_bytes.append('\0');
    }
    const QByteArray &data() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }

private:
    void put(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_bytes.append(b, 4);
    }
    QByteArray m_bytes;
};

QByteArray utf16le(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

} // namespace

EmfWriter::EmfWriter(QSize sizeInUnits, int unitsPerInch)
    : m_size(sizeInUnits.expandedTo(QSize(1, 1))), m_unitsPerInch(unitsPerInch > 0 ? unitsPerInch : 96)
{
    Fields mode;
    mode.u32(kTransparent);
    appendRecord(EMR_SETBKMODE, mode.data());
    Fields align;
    align.u32(kTextAlignTopLeft);
    appendRecord(EMR_SETTEXTALIGN, align.data());
    Fields stretch;
    stretch.u32(kColorOnColor);
    appendRecord(EMR_SETSTRETCHBLTMODE, stretch.data());
}

void EmfWriter::appendRecord(quint32 type, const QByteArray &payload)
{
    Fields record;
    record.u32(type);
    record.u32(quint32(8 + ((payload.size() + 3) & ~3)));
    record.bytes(payload);
    record.padTo4();
    m_records.append(record.data());
    ++m_recordCount;
}

void EmfWriter::setFont(const QString &face, int heightUnits, bool bold, bool italic, quint32 colorRef)
{
    const quint32 handle = m_handleCount++;
    Fields font;
    font.u32(handle);
    font.i32(-std::abs(heightUnits)); // negative: character height without internal leading
    font.i32(0);                      // width: by the face's aspect
    font.i32(0);                      // escapement
    font.i32(0);                      // orientation
    font.i32(bold ? 700 : 400);
    font.u8(italic ? 1 : 0);
    font.u8(0); // underline
    font.u8(0); // strike-out
    font.u8(kShiftJisCharset);
    font.u8(0); // out precision: default
    font.u8(0); // clip precision: default
    font.u8(0); // quality: default
    font.u8(0); // pitch and family: default
    QByteArray name = utf16le(face.left(31));
    name.resize(64, '\0'); // LOGFONTW face: 32 WCHARs, NUL-terminated
    font.bytes(name);
    appendRecord(EMR_EXTCREATEFONTINDIRECTW, font.data());

    Fields select;
    select.u32(handle);
    appendRecord(EMR_SELECTOBJECT, select.data());
    Fields color;
    color.u32(colorRef & 0xFFFFFF);
    appendRecord(EMR_SETTEXTCOLOR, color.data());

    m_fontFace = face;
    m_fontHeight = std::abs(heightUnits);
    m_fontBold = bold;
    m_fontItalic = italic;
}

void EmfWriter::text(int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    // Advances per UTF-16 unit, measured in the same face and height, so that
    // players that honour the Dx array place each character as laid out here.
    QFont font(m_fontFace);
    font.setPixelSize(qMax(1, m_fontHeight));
    font.setBold(m_fontBold);
    font.setItalic(m_fontItalic);
    const QFontMetricsF metrics(font);
    QList<qint32> dx;
    dx.reserve(text.size());
    qreal previous = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const qreal end = metrics.horizontalAdvance(text.left(i));
        dx.append(qint32(std::lround(end) - std::lround(previous)));
        previous = end;
    }
    const qint32 width = qint32(std::lround(previous));
    const qint32 height = qint32(std::lround(metrics.height()));

    const QByteArray chars = utf16le(text);
    const quint32 nChars = quint32(text.size());
    const quint32 fixed = 8 + 16 + 4 + 4 + 4 + 8 + 4 + 4 + 4 + 16 + 4; // through offDx
    const quint32 offString = fixed;
    const quint32 offDx = offString + quint32((chars.size() + 3) & ~3);

    Fields r;
    r.rect(x, y, x + width, y + height); // bounds
    r.u32(1);                            // graphics mode: compatible
    r.f32(0);                            // x scale
    r.f32(0);                            // y scale
    r.i32(x);                            // reference point
    r.i32(y);
    r.u32(nChars);
    r.u32(offString);
    r.u32(0);           // options
    r.rect(0, 0, -1, -1); // no clipping or opaque rectangle
    r.u32(offDx);
    r.bytes(chars);
    r.padTo4();
    for (qint32 d : dx)
        r.i32(d);
    appendRecord(EMR_EXTTEXTOUTW, r.data());
}

void EmfWriter::image(const QRect &target, const QImage &image)
{
    if (image.isNull() || target.isEmpty())
        return;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray bits(qsizetype(stride) * h, '\0');
    for (int y = 0; y < h; ++y) {
        // Bottom-up rows of blue, green, red.
        const uchar *in = rgb.constScanLine(h - 1 - y);
        char *out = bits.data() + qsizetype(y) * stride;
        for (int x = 0; x < w; ++x) {
            out[x * 3] = char(in[x * 3 + 2]);
            out[x * 3 + 1] = char(in[x * 3 + 1]);
            out[x * 3 + 2] = char(in[x * 3]);
        }
    }

    const quint32 offBmi = 8 + 72;
    const quint32 bmiSize = 40;
    Fields r;
    r.rect(target.left(), target.top(), target.right(), target.bottom()); // bounds, inclusive
    r.i32(target.left());
    r.i32(target.top());
    r.i32(0); // source x, y
    r.i32(0);
    r.i32(w);
    r.i32(h);
    r.u32(offBmi);
    r.u32(bmiSize);
    r.u32(offBmi + bmiSize);
    r.u32(quint32(bits.size()));
    r.u32(0); // DIB_RGB_COLORS
    r.u32(kSrcCopy);
    r.i32(target.width());
    r.i32(target.height());
    // BITMAPINFOHEADER
    r.u32(bmiSize);
    r.i32(w);
    r.i32(h); // positive: bottom-up
    r.u16(1); // planes
    r.u16(24);
    r.u32(0); // BI_RGB
    r.u32(quint32(bits.size()));
    r.i32(0);
    r.i32(0);
    r.u32(0);
    r.u32(0);
    r.bytes(bits);
    appendRecord(EMR_STRETCHDIBITS, r.data());
}

QByteArray EmfWriter::finish()
{
    if (m_finished)
        return {};
    m_finished = true;

    Fields eof;
    eof.u32(0);  // palette entries
    eof.u32(16); // offset of the (absent) palette
    eof.u32(20); // size of this record, repeated at its end
    appendRecord(EMR_EOF, eof.data());

    const quint32 total = kHeaderSize + quint32(m_records.size());
    const int w = m_size.width();
    const int h = m_size.height();
    // The reference device is one of exactly unitsPerInch: 1 unit = 25.4 / unitsPerInch mm.
    const qint32 frameRight = qint32(std::lround(w * 2540.0 / m_unitsPerInch));
    const qint32 frameBottom = qint32(std::lround(h * 2540.0 / m_unitsPerInch));
    const qint32 devicePixels = m_unitsPerInch * 100; // 100 inches
    Fields header;
    header.u32(EMR_HEADER);
    header.u32(kHeaderSize);
    header.rect(0, 0, w - 1, h - 1);                 // bounds in units, inclusive
    header.rect(0, 0, frameRight - 1, frameBottom - 1); // frame in 0.01 mm, inclusive
    header.u32(kEmfSignature);
    header.u32(0x10000); // version
    header.u32(total);
    header.u32(m_recordCount + 1); // the header counts
    header.u16(m_handleCount);
    header.u16(0);
    header.u32(0); // no description
    header.u32(0);
    header.u32(0);             // palette entries
    header.i32(devicePixels);  // reference device in pixels
    header.i32(devicePixels);
    header.i32(2540);          // and in millimetres
    header.i32(2540);
    header.u32(0); // pixel format size
    header.u32(0); // pixel format offset
    header.u32(0); // no OpenGL
    header.i32(2540000); // reference device in micrometres
    header.i32(2540000);

    QByteArray out = header.data();
    out.append(m_records);
    m_records.clear();
    return out;
}

} // namespace vendara
