#include "printsettings/imagefile.h"

#include "support/testdata.h"

#include <QColor>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

using namespace vendara;

namespace {

// Writes a solid-colour 4-component JPEG with libjpeg itself, since Qt
// cannot write CMYK. With adobeMarker the samples are stored as Adobe
// does (inverted: 0 = full ink).
void writeCmykJpeg(const QString &path, int width, int height, const unsigned char cmyk[4], bool adobeMarker)
{
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 4; ++c)
            row[size_t(x) * 4 + size_t(c)] = adobeMarker ? JSAMPLE(255 - cmyk[c]) : JSAMPLE(cmyk[c]);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void expectNear(QRgb actual, QColor expected, int tolerance = 8)
{
    EXPECT_NEAR(qRed(actual), expected.red(), tolerance);
    EXPECT_NEAR(qGreen(actual), expected.green(), tolerance);
    EXPECT_NEAR(qBlue(actual), expected.blue(), tolerance);
}

} // namespace

TEST(JpegDecoding, colourImage_givesRgb888WithItsPixels)
{
    QTemporaryDir dir;
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::red);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            source.setPixelColor(x, y, Qt::blue);
    const QString path = dir.filePath(QStringLiteral("logo.jpg"));
    ASSERT_TRUE(source.save(path, "JPEG", 100));

    const auto image = decodeJpegFile(path);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->format(), QImage::Format_RGB888);
    EXPECT_EQ(image->size(), QSize(40, 20));
    expectNear(image->pixel(5, 10), Qt::red);
    expectNear(image->pixel(35, 10), Qt::blue);
}

TEST(JpegDecoding, greyscaleAndOddWidths_comeOutAsEqualRgbChannels)
{
    QTemporaryDir dir;
    QImage grey(13, 7, QImage::Format_Grayscale8); // 13 * 3 bytes: rows need padding
    grey.fill(QColor(100, 100, 100));
    const QString path = dir.filePath(QStringLiteral("grey.jpg"));
    ASSERT_TRUE(grey.save(path, "JPEG", 100));

    const auto image = decodeJpegFile(path);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->format(), QImage::Format_RGB888);
    EXPECT_EQ(image->size(), QSize(13, 7));
    for (QPoint p : {QPoint(0, 0), QPoint(12, 6), QPoint(6, 3)})
        expectNear(image->pixel(p), QColor(100, 100, 100), 3);
}

TEST(JpegDecoding, cmykPlainAndAdobeInverted_areConvertedToRgb)
{
    QTemporaryDir dir;
    const unsigned char cyan[4] = {255, 0, 0, 0};
    const unsigned char halfBlackYellow[4] = {0, 0, 255, 128};
    struct Case
    {
        const unsigned char *cmyk;
        bool adobe;
        QColor expected;
    } cases[] = {
        {cyan, false, QColor(0, 255, 255)},
        {cyan, true, QColor(0, 255, 255)},
        {halfBlackYellow, false, QColor(127, 127, 0)},
        {halfBlackYellow, true, QColor(127, 127, 0)},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString path = dir.filePath(QStringLiteral("cmyk%1.jpg").arg(n++));
        writeCmykJpeg(path, 16, 8, c.cmyk, c.adobe);
        const auto image = decodeJpegFile(path);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->format(), QImage::Format_RGB888);
        expectNear(image->pixel(8, 4), c.expected);
    }
}

TEST(JpegDecoding, missingEmptyOrCorruptFiles_giveNothingWithoutEndingTheProcess)
{
    QTemporaryDir dir;
    EXPECT_FALSE(decodeJpegFile(dir.filePath(QStringLiteral("missing.jpg"))).has_value());

    const QString empty = dir.filePath(QStringLiteral("empty.jpg"));
    test::writeBytes(empty, {});
    EXPECT_FALSE(decodeJpegFile(empty).has_value());

    const QString text = dir.filePath(QStringLiteral("text.jpg"));
    test::writeBytes(text, "this is no picture at all");
    EXPECT_FALSE(decodeJpegFile(text).has_value());

    // A start-of-image marker followed by rubbish: libjpeg's own handler
    // would call exit() here.
    const QString rubbish = dir.filePath(QStringLiteral("rubbish.jpg"));
    test::writeBytes(rubbish, QByteArray("\xFF\xD8\xFF\xC0\x00\x05zzzzzzzzzzzzzzzz", 22));
    EXPECT_FALSE(decodeJpegFile(rubbish).has_value());

    // A real JPEG cut inside its header.
    QImage source(32, 32, QImage::Format_RGB32);
    source.fill(Qt::green);
    const QString whole = dir.filePath(QStringLiteral("whole.jpg"));
    ASSERT_TRUE(source.save(whole, "JPEG"));
    const QString cut = dir.filePath(QStringLiteral("cut.jpg"));
    test::writeBytes(cut, test::readBytes(whole).left(40));
    EXPECT_FALSE(decodeJpegFile(cut).has_value());

    // The decoder is still usable afterwards.
    EXPECT_TRUE(decodeJpegFile(whole).has_value());
}

TEST(BmpDecoding, palettedBitmap_givesRgb888WithPaletteApplied)
{
    QTemporaryDir dir;
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    indexed.fill(0);
    indexed.setPixel(4, 2, 1);
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(indexed.save(path, "BMP"));

    const auto image = decodeBmpFile(path);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->format(), QImage::Format_RGB888);
    EXPECT_EQ(image->size(), QSize(5, 3));
    EXPECT_EQ(image->pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(image->pixel(4, 2), qRgb(200, 100, 50));
}

TEST(BmpDecoding, missingFileOrOtherFormatUnderBmpName_givesNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(decodeBmpFile(dir.filePath(QStringLiteral("missing.bmp"))).has_value());
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::black);
    const QString path = dir.filePath(QStringLiteral("really-png.bmp"));
    ASSERT_TRUE(png.save(path, "PNG"));
    EXPECT_FALSE(decodeBmpFile(path).has_value());
}
