// pict and logo: which files are drawn, where, and that a bad file never
// stops a print.
#include "renderfixture.h"

#include "common/error.h"
#include "printsettings/companyblock.h"
#include "print/emfpicture.h"
#include "printsettings/emfwriter.h"
#include "support/testdata.h"

#include <QImage>
#include <QtEndian>

using namespace vendara;
using namespace vendara::test;

namespace {

class Pictures : public RenderFixture
{
protected:
    QString writeImage(const QString &name, const char *format, QSize size = QSize(40, 20))
    {
        QImage image(size, QImage::Format_RGB888);
        image.fill(QColor(200, 30, 30));
        const QString path = dir.path() + u'/' + name;
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.path() + u'/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QList<RecordedShape> imagesOnPage(int n) { return playPage(n)->shapesOf(RecordedShape::Image); }
};

QString pictLine(const QRect &r, const QString &path)
{
    return QStringLiteral("pict,%1,%2,%3,%4,\"%5\"").arg(r.left()).arg(r.top()).arg(r.right() + 1).arg(r.bottom() + 1).arg(path);
}

} // namespace

TEST_F(Pictures, jpgAndBmpInAnyCase_areStretchedIntoTheRectangle)
{
    const QString jpg = writeImage(QStringLiteral("a.JPG"), "JPEG");
    const QString bmp = writeImage(QStringLiteral("b.Bmp"), "BMP", QSize(7, 3));
    render({pictLine(QRect(100, 200, 300, 150), jpg), pictLine(QRect(500, 600, 20, 900), bmp)});
    const auto images = imagesOnPage(1);
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].bounds, QRectF(100, 200, 300, 150));
    EXPECT_EQ(images[0].imageSize, QSize(40, 20)); // recorded at its own resolution
    EXPECT_EQ(images[1].bounds, QRectF(500, 600, 20, 900));
    EXPECT_EQ(images[1].imageSize, QSize(7, 3));
}

TEST_F(Pictures, otherExtensionsEvenJpeg_drawNothing)
{
    const QString jpeg = writeImage(QStringLiteral("a.jpeg"), "JPEG");
    const QString png = writeImage(QStringLiteral("a.png"), "PNG");
    render({pictLine(QRect(0, 0, 10, 10), jpeg), pictLine(QRect(0, 0, 10, 10), png)});
    EXPECT_TRUE(playPage(1)->shapes.isEmpty());
}

TEST_F(Pictures, missingOrUndecodableFiles_drawNothingAndTheRenderingGoesOn)
{
    const QString garbage = writeFile(QStringLiteral("broken.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really", 16));
    const QString emptyBmp = writeFile(QStringLiteral("empty.bmp"), QByteArray());
    const QString badEmf = writeFile(QStringLiteral("bad.emf"), QByteArray(200, 'x'));
    EXPECT_EQ(render({pictLine(QRect(0, 0, 10, 10), dir.path() + QStringLiteral("/none.jpg")),
                      pictLine(QRect(0, 0, 10, 10), garbage), pictLine(QRect(0, 0, 10, 10), emptyBmp),
                      pictLine(QRect(0, 0, 10, 10), badEmf), QStringLiteral("page"), QStringLiteral("text,after,1,1")}),
              RenderResult::Finished);
    EXPECT_TRUE(playPage(1)->shapes.isEmpty());
    EXPECT_NE(playPage(2)->findText(QStringLiteral("after")), nullptr);
}

TEST_F(Pictures, emf_isDrawnWithItsFrameMappedOntoTheRectangle)
{
    // A 200 x 100 metafile whose only ink is an image in its right half: the
    // image lands in the right half of the target, not over all of it.
    EmfWriter writer(QSize(200, 100));
    QImage image(10, 10, QImage::Format_RGB888);
    image.fill(Qt::blue);
    writer.image(QRect(100, 0, 100, 100), image);
    const QString emf = writeFile(QStringLiteral("logo.EMF"), writer.finish());
    render({pictLine(QRect(1000, 500, 400, 300), emf)});
    const auto images = imagesOnPage(1);
    ASSERT_EQ(images.size(), 1);
    EXPECT_NEAR(images[0].bounds.left(), 1200, 0.5);
    EXPECT_NEAR(images[0].bounds.top(), 500, 0.5);
    EXPECT_NEAR(images[0].bounds.right(), 1400, 0.5);
    EXPECT_NEAR(images[0].bounds.bottom(), 800, 0.5);
}

TEST_F(Pictures, emfText_isDrawnInsideTheRectangle)
{
    EmfWriter writer(QSize(425, 177));
    writer.setFont(QStringLiteral("ＭＳ ゴシック"), 24, false, false, 0);
    writer.text(0, 0, QStringLiteral("社名"));
    const QString emf = writeFile(QStringLiteral("block.emf"), writer.finish());
    render({pictLine(QRect(1000, 1000, 850, 354), emf)});
    // The SVG's text comes through as outlines.
    const auto outlines = playPage(1)->shapesOf(RecordedShape::Path);
    ASSERT_EQ(outlines.size(), 1);
    const QRectF ink = outlines[0].bounds;
    // Characters of 24 block units doubled: ink a little under 48 units high,
    // two of them a little under 96 wide, at the top left of the rectangle.
    EXPECT_GT(ink.height(), 35);
    EXPECT_LT(ink.height(), 48);
    EXPECT_GT(ink.width(), 75);
    EXPECT_LT(ink.width(), 96);
    EXPECT_GE(ink.left(), 1000);
    EXPECT_LT(ink.left(), 1010);
    EXPECT_GE(ink.top(), 1000);
    EXPECT_LT(ink.top(), 1012);
}

TEST_F(Pictures, logo_placesTheImageByItsBlockUnitsAndStretchesTheText)
{
    const QString bmp = writeImage(QStringLiteral("mark.bmp"), "BMP");
    QStringList values = companyblock::newSetValues();
    values[companyblock::ImagePath] = bmp;
    values[companyblock::ImageLeft] = QStringLiteral("85");
    values[companyblock::ImageTop] = QStringLiteral("59");
    values[companyblock::ImageWidth] = QStringLiteral("170");
    values[companyblock::ImageHeight] = QStringLiteral("118");
    const QString set = dir.path() + QStringLiteral("/set.Dat");
    companyblock::writeSet(set, values);

    // 850 x 354 units: twice the block space.
    render({QStringLiteral("logo,100,200,950,554,\"%1\"").arg(set)});
    const auto page = playPage(1);
    const auto images = page->shapesOf(RecordedShape::Image);
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].bounds, QRectF(100 + 170, 200 + 118, 340, 236));
    // The text comes after (on top of) the image, stretched with the block.
    // "社名を入力してください" starts with its first run of kanji.
    const RecordedText *name = page->findText(QStringLiteral("社名"));
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->left, 100, 0.01);
    const RecordedText *address = page->findText(values[companyblock::AddressLine1]);
    ASSERT_NE(address, nullptr);
    EXPECT_NEAR(address->left, 100 + 20, 0.01);
    // Ten-point address lines: an em of 13 block units, 26 page units.
    EXPECT_NEAR(address->fontHeight, 26, 0.5);
    EXPECT_LT(images[0].order, name->order);
}

TEST_F(Pictures, logo_nonNumericImageLinesAndCornersTakeTheirOwnDefaults)
{
    const QString bmp = writeImage(QStringLiteral("mark.bmp"), "BMP");
    QStringList values = companyblock::newSetValues();
    values[companyblock::ImagePath] = bmp;
    for (int line : {companyblock::ImageLeft, companyblock::ImageTop, companyblock::ImageHeight})
        values[line] = QStringLiteral("x");
    values[companyblock::ImageWidth] = QStringLiteral("425");
    const QString set = dir.path() + QStringLiteral("/set.Dat");
    companyblock::writeSet(set, values);
    // x2 and y2 read as 100 for the scale factors: sx = 100/425, sy = 100/177.
    render({QStringLiteral("logo,0,0,wide,tall,\"%1\"").arg(set)});
    const auto images = imagesOnPage(1);
    ASSERT_EQ(images.size(), 1);
    // left 0, top 100 -> trunc(100 * 100 / 177) = 56, width trunc(425 * 100 / 425) = 100,
    // height 100 -> 56.
    EXPECT_EQ(images[0].bounds, QRectF(0, 56, 100, 56));
}

TEST_F(Pictures, logoWithMissingOrShortSet_drawsNothingOrStopsNamingTheLine)
{
    render({QStringLiteral("logo,0,0,425,177,\"%1/none.Dat\"").arg(dir.path())});
    EXPECT_TRUE(playPage(1)->shapes.isEmpty());
    EXPECT_TRUE(playPage(1)->texts.isEmpty());

    const QString shortSet = dir.path() + QStringLiteral("/short.Dat");
    writeSjisLines(shortSet, companyblock::newSetValues().mid(0, 22));
    try {
        render({QStringLiteral("page"), QStringLiteral("Logo,0,0,425,177,\"%1\"").arg(shortSet)});
        FAIL() << "a short set file must stop the rendering";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("2 行目"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Logo"))) << e.message().toStdString();
    }
    EXPECT_TRUE(filesInTmp().isEmpty());
}

// Found by fuzz/emf.cpp: a header with empty bounds and a frame near the
// int limits made the bounds taken from the frame overflow. Such a metafile
// is refused like any other unreadable one.
TEST(EmfPictureHeader, coordinatesNearTheIntLimits_areRefused)
{
    const QByteArray crash = QByteArray::fromBase64(
        "AQAAAFgAAAAAAAAkAAAAAGMAAQAxAAAAAAAAAAAAAAAoCgAAFAUAQCBFTUYAACoAAAAAJQAAAAAIAAAAAQAAAAAAAAAAAAAAAAEAAABY/QAl"
        "AAAAACAAAAAAAAABAAA=");
    EXPECT_FALSE(EmfPicture::fromBytes(crash).has_value());

    EmfWriter writer(QSize(200, 100));
    QByteArray bytes = writer.finish();
    ASSERT_TRUE(EmfPicture::fromBytes(bytes).has_value());
    for (int offset : {8, 24}) { // the bounds' and the frame's left edge
        QByteArray far = bytes;
        far.replace(offset, 4, QByteArray("\x00\x00\x00\x80", 4)); // INT_MIN
        EXPECT_FALSE(EmfPicture::fromBytes(far).has_value()) << "offset " << offset;
    }
}

// Found by fuzz/emf.cpp: the converter read the header's description string
// at its offset even past the end of the bytes. The description is not
// drawn, so a metafile whose description points anywhere reads as without.
TEST(EmfPictureHeader, descriptionOutsideTheBytes_isIgnored)
{
    const QByteArray crash = QByteArray::fromBase64(
        "AQAAAFgAAAAAAAAAAAAAAGMAAAAxAAAAAAAACgAAAAAoCgAAFAUAACBFTUYAAAEAbAAAAAIAAABsAAAAAAAAAGwAAAAAAAAAgAcAADgEAAD8"
        "AQAAHgEAAA4AAAAUAAAAAAAAABAAAIAUAAAA");
    EmfPicture::fromBytes(crash); // under AddressSanitizer: no read past the bytes

    EmfWriter writer(QSize(200, 100));
    const QByteArray bytes = writer.finish();
    const std::optional<EmfPicture> plain = EmfPicture::fromBytes(bytes);
    ASSERT_TRUE(plain.has_value());
    QByteArray far = bytes;
    const quint32 description[2] = {qToLittleEndian<quint32>(64), qToLittleEndian<quint32>(quint32(bytes.size()) - 4)};
    far.replace(60, 8, QByteArray(reinterpret_cast<const char *>(description), 8));
    const std::optional<EmfPicture> withFarDescription = EmfPicture::fromBytes(far);
    ASSERT_TRUE(withFarDescription.has_value());
    EXPECT_EQ(withFarDescription->frame(), plain->frame());
}
