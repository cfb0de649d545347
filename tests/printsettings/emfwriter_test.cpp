#include "printsettings/emfwriter.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace vendara;

namespace {

struct Record
{
    quint32 type = 0;
    quint32 size = 0;
    qsizetype offset = 0; // of the record in the file
};

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 i32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Walks the records the way a player does: by each record's size.
std::vector<Record> walk(const QByteArray &emf)
{
    std::vector<Record> records;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        Record r{u32(emf, at), u32(emf, at + 4), at};
        records.push_back(r);
        if (r.size < 8)
            break;
        at += r.size;
    }
    EXPECT_EQ(at, emf.size()) << "records must cover the file exactly";
    return records;
}

QString utf16At(const QByteArray &b, qsizetype at, int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(u16(b, at + 2 * i));
    return s;
}

} // namespace

TEST(EmfWriter, header_describesSizeFrameDeviceAndRecordCount)
{
    EmfWriter writer(QSize(425, 177));
    writer.setFont(QStringLiteral("ＭＳ ゴシック"), 24, false, false, 0);
    writer.text(0, 0, QStringLiteral("社名"));
    const QByteArray emf = writer.finish();
    const auto records = walk(emf);

    ASSERT_GE(records.size(), 3u);
    EXPECT_EQ(records.front().type, EmfWriter::EMR_HEADER);
    EXPECT_EQ(records.front().size, 108u);
    EXPECT_EQ(records.back().type, EmfWriter::EMR_EOF);
    EXPECT_EQ(records.back().size, 20u);
    EXPECT_EQ(u32(emf, records.back().offset + 16), 20u) << "EOF repeats its size";

    EXPECT_EQ(u32(emf, 40), 0x464D4520u) << "signature \" EMF\"";
    EXPECT_EQ(u32(emf, 44), 0x10000u);
    EXPECT_EQ(u32(emf, 48), quint32(emf.size())) << "nBytes";
    EXPECT_EQ(u32(emf, 52), quint32(records.size())) << "nRecords counts header and EOF";
    EXPECT_EQ(u16(emf, 56), 2) << "handle 0 plus one font";

    // Bounds in units and frame in 0.01 mm, both inclusive.
    EXPECT_EQ(i32(emf, 8), 0);
    EXPECT_EQ(i32(emf, 16), 424);
    EXPECT_EQ(i32(emf, 20), 176);
    EXPECT_EQ(i32(emf, 32), 11245 - 1) << "425 units at 96 per inch = 112.45 mm";
    EXPECT_EQ(i32(emf, 36), 4683 - 1) << "177 units = 46.83 mm";

    // The reference device: pixels over millimetres is exactly 96 per inch.
    const double pixelsX = i32(emf, 72);
    const double millimetresX = i32(emf, 80);
    EXPECT_DOUBLE_EQ(pixelsX / millimetresX * 25.4, 96.0);
    EXPECT_EQ(i32(emf, 100), i32(emf, 80) * 1000) << "micrometres agree with millimetres";

    for (const Record &r : records)
        EXPECT_EQ(r.size % 4, 0u) << "record type " << r.type;
}

TEST(EmfWriter, fontAndText_recordsHoldLogfontStringAndAdvances)
{
    EmfWriter writer(QSize(425, 177));
    writer.setFont(QStringLiteral("ＭＳ 明朝"), 13, true, true, 0x0000FF);
    writer.text(10, 55, QStringLiteral("A\"B 東京"));
    const QByteArray emf = writer.finish();

    std::map<quint32, std::vector<Record>> byType;
    for (const Record &r : walk(emf))
        byType[r.type].push_back(r);

    ASSERT_EQ(byType[EmfWriter::EMR_EXTCREATEFONTINDIRECTW].size(), 1u);
    const qsizetype font = byType[EmfWriter::EMR_EXTCREATEFONTINDIRECTW][0].offset;
    const quint32 handle = u32(emf, font + 8);
    const qsizetype logfont = font + 12;
    EXPECT_EQ(i32(emf, logfont), -13) << "negative height: character height";
    EXPECT_EQ(i32(emf, logfont + 16), 700);
    EXPECT_EQ(quint8(emf[logfont + 20]), 1) << "italic";
    EXPECT_EQ(quint8(emf[logfont + 23]), 128) << "Shift-JIS character set";
    EXPECT_EQ(utf16At(emf, logfont + 28, 5), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(u16(emf, logfont + 28 + 10), 0) << "face NUL-terminated";

    ASSERT_EQ(byType[EmfWriter::EMR_SELECTOBJECT].size(), 1u);
    EXPECT_EQ(u32(emf, byType[EmfWriter::EMR_SELECTOBJECT][0].offset + 8), handle);
    ASSERT_EQ(byType[EmfWriter::EMR_SETTEXTCOLOR].size(), 1u);
    EXPECT_EQ(u32(emf, byType[EmfWriter::EMR_SETTEXTCOLOR][0].offset + 8), 0x0000FFu);
    ASSERT_EQ(byType[EmfWriter::EMR_SETBKMODE].size(), 1u);
    EXPECT_EQ(u32(emf, byType[EmfWriter::EMR_SETBKMODE][0].offset + 8), 1u) << "transparent";

    ASSERT_EQ(byType[EmfWriter::EMR_EXTTEXTOUTW].size(), 1u);
    const Record text = byType[EmfWriter::EMR_EXTTEXTOUTW][0];
    const qsizetype emrText = text.offset + 36;
    EXPECT_EQ(i32(emf, emrText), 10);
    EXPECT_EQ(i32(emf, emrText + 4), 55);
    const quint32 chars = u32(emf, emrText + 8);
    const quint32 offString = u32(emf, emrText + 12);
    const quint32 offDx = u32(emf, emrText + 36);
    EXPECT_EQ(chars, 6u);
    EXPECT_EQ(utf16At(emf, text.offset + offString, int(chars)), QStringLiteral("A\"B 東京"));
    EXPECT_EQ(offDx % 4, 0u);
    ASSERT_LE(offDx + chars * 4, text.size) << "advances inside the record";
    qint32 total = 0;
    for (quint32 i = 0; i < chars; ++i) {
        const qint32 dx = i32(emf, text.offset + offDx + 4 * i);
        EXPECT_GE(dx, 0);
        total += dx;
    }
    EXPECT_GT(total, 0);
    EXPECT_EQ(i32(emf, text.offset + 16) - i32(emf, text.offset + 8), total) << "bounds as wide as the advances";
}

TEST(EmfWriter, image_isStoredAsBottomUp24BitDibStretchedOverTarget)
{
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, QColor(255, 0, 0)); // top left red
    image.setPixelColor(2, 1, QColor(0, 0, 255)); // bottom right blue

    EmfWriter writer(QSize(425, 177));
    writer.image(QRect(5, 6, 100, 50), image);
    const QByteArray emf = writer.finish();

    const auto records = walk(emf);
    const Record *dib = nullptr;
    for (const Record &r : records)
        if (r.type == EmfWriter::EMR_STRETCHDIBITS)
            dib = &r;
    ASSERT_NE(dib, nullptr);
    const qsizetype at = dib->offset;
    EXPECT_EQ(i32(emf, at + 24), 5) << "xDest";
    EXPECT_EQ(i32(emf, at + 28), 6) << "yDest";
    EXPECT_EQ(i32(emf, at + 40), 3) << "cxSrc";
    EXPECT_EQ(i32(emf, at + 44), 2) << "cySrc";
    EXPECT_EQ(u32(emf, at + 68), 0x00CC0020u) << "SRCCOPY";
    EXPECT_EQ(i32(emf, at + 72), 100) << "cxDest";
    EXPECT_EQ(i32(emf, at + 76), 50) << "cyDest";

    const quint32 offBmi = u32(emf, at + 48);
    const quint32 offBits = u32(emf, at + 56);
    const quint32 cbBits = u32(emf, at + 60);
    EXPECT_EQ(u32(emf, at + offBmi), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(i32(emf, at + offBmi + 4), 3);
    EXPECT_EQ(i32(emf, at + offBmi + 8), 2) << "positive height: bottom-up";
    EXPECT_EQ(u16(emf, at + offBmi + 14), 24);
    EXPECT_EQ(cbBits, 2u * 12u) << "rows of 9 bytes padded to 12";
    EXPECT_LE(offBits + cbBits, dib->size);

    const char *bits = emf.constData() + at + offBits;
    // First stored row is the image's bottom row: its last pixel is blue (B, G, R).
    EXPECT_EQ(quint8(bits[6]), 255);
    EXPECT_EQ(quint8(bits[7]), 0);
    EXPECT_EQ(quint8(bits[8]), 0);
    // Second stored row is the top row: its first pixel is red.
    EXPECT_EQ(quint8(bits[12]), 0);
    EXPECT_EQ(quint8(bits[13]), 0);
    EXPECT_EQ(quint8(bits[14]), 255);
}

TEST(EmfWriter, severalFonts_getTheirOwnHandles)
{
    EmfWriter writer(QSize(100, 100));
    writer.setFont(QStringLiteral("A"), 10, false, false, 0);
    writer.setFont(QStringLiteral("B"), 12, false, false, 0);
    const QByteArray emf = writer.finish();
    std::vector<quint32> selected;
    for (const Record &r : walk(emf))
        if (r.type == EmfWriter::EMR_SELECTOBJECT)
            selected.push_back(u32(emf, r.offset + 8));
    EXPECT_EQ(selected, (std::vector<quint32>{1, 2}));
    EXPECT_EQ(u16(emf, 56), 3);
    EXPECT_TRUE(writer.finish().isEmpty()) << "a finished writer gives nothing more";
}
