// Bold in a face that has no bold face of its own.
#include "printsettings/windowsfaces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace vendara;

namespace {

QFont boldFace(const QString &face, int pixelSize)
{
    QFont font = fontForFace(face);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// The darkness of a picture, 0 for white to 1 for each black pixel.
double inkOf(const QImage &image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    double ink = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            ink += (255 - line[x]) / 255.0;
    }
    return ink;
}

constexpr QSize kCanvas(640, 120);
constexpr QPointF kBaseline(10, 90);

QImage canvas()
{
    QImage image(kCanvas, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Text the way the raster engine draws it when left alone.
QImage drawnPlain(const QFont &font, const QString &text)
{
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(kBaseline, text);
    return image;
}

// Text the way pages and company blocks draw it.
QImage drawnAsPrinted(const QFont &font, const QString &text)
{
    const TextFace face = textFaceFor(font);
    QImage image = canvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(face.font);
    painter.setPen(Qt::black);
    painter.drawText(kBaseline, text);
    strokeEmboldened(painter, kBaseline, text, face, Qt::black);
    return image;
}

} // namespace

TEST(TextFace, boldOfAFaceWithoutBold_isTheRegularFaceStrokedWithATwentyFourthOfTheEm)
{
    for (const QString &face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
                               QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐ明朝")}) {
        SCOPED_TRACE(face.toStdString());
        const QFont bold = boldFace(face, 480);
        EXPECT_FALSE(hasBoldFace(bold));
        const TextFace drawn = textFaceFor(bold);
        EXPECT_FALSE(drawn.font.bold());
        EXPECT_EQ(drawn.font.weight(), QFont::Normal);
        EXPECT_EQ(drawn.font.pixelSize(), 480);
        EXPECT_EQ(QFontInfo(drawn.font).family(), QFontInfo(bold).family());
        EXPECT_TRUE(drawn.emboldened());
        EXPECT_DOUBLE_EQ(drawn.boldPenWidth, 20.0);
    }
}

TEST(TextFace, regularAndItalicText_isDrawnAsAsked)
{
    QFont regular = fontForFace(QStringLiteral("ＭＳ 明朝"));
    regular.setPixelSize(30);
    EXPECT_EQ(textFaceFor(regular).font, regular);
    EXPECT_FALSE(textFaceFor(regular).emboldened());
    QFont italic = regular;
    italic.setItalic(true);
    EXPECT_EQ(textFaceFor(italic).font, italic);
    EXPECT_FALSE(textFaceFor(italic).emboldened());
    // Bold italic keeps its slant and is emboldened like bold.
    italic.setBold(true);
    EXPECT_TRUE(textFaceFor(italic).font.italic());
    EXPECT_NEAR(textFaceFor(italic).boldPenWidth, 30.0 / 24, 1e-9);
}

TEST(TextFace, aFamilyWithABoldFace_drawsThatFace)
{
    const QString family = QStringLiteral("DejaVu Sans");
    if (!QFontDatabase::families().contains(family))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    QFont bold(family);
    bold.setPixelSize(40);
    bold.setBold(true);
    EXPECT_TRUE(hasBoldFace(bold));
    const TextFace drawn = textFaceFor(bold);
    EXPECT_TRUE(drawn.font.bold());
    EXPECT_FALSE(drawn.emboldened());
}

TEST(TextFace, strokes_darkenTheRegularGlyphsAboutAsMuchAsTheRasterEnginesOwnBold)
{
    const QString text = QStringLiteral("御見積書 合計金額");
    for (const QString &face : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ 明朝")}) {
        SCOPED_TRACE(face.toStdString());
        const QFont bold = boldFace(face, 60);
        QFont regular = bold;
        regular.setBold(false);
        const double regularInk = inkOf(drawnPlain(regular, text));
        const double printedInk = inkOf(drawnAsPrinted(bold, text));
        const double screenInk = inkOf(drawnPlain(bold, text));
        ASSERT_GT(regularInk, 1000);
        // Visibly heavier than regular text ...
        EXPECT_GT(printedInk, 1.2 * regularInk);
        // ... and about as heavy as the bold the screen synthesises for these
        // faces, whose glyphs FreeType grows by the same twenty-fourth of the em.
        EXPECT_NEAR(printedInk / screenInk, 1.0, 0.05) << regularInk << " " << printedInk << " " << screenInk;
    }
}

TEST(TextFace, strokedOutlines_lieOnTheGlyphsDrawn)
{
    // Ink of the stroke alone outside the glyphs' own ink would show as a halo
    // or a shifted shadow: every stroked pixel must be near a filled one.
    for (const bool italic : {false, true}) {
        SCOPED_TRACE(italic ? "bold italic" : "bold");
        QFont bold = boldFace(QStringLiteral("ＭＳ 明朝"), 60);
        bold.setItalic(italic);
        const QString text = QStringLiteral("見積書");
        const TextFace face = textFaceFor(bold);
        const QImage filled = drawnPlain(face.font, text).convertToFormat(QImage::Format_Grayscale8);
        const QImage stroked = drawnAsPrinted(bold, text).convertToFormat(QImage::Format_Grayscale8);
        const int reach = int(std::ceil(face.boldPenWidth / 2)) + 1;
        int strayPixels = 0;
        for (int y = 0; y < stroked.height(); ++y) {
            for (int x = 0; x < stroked.width(); ++x) {
                if (qGray(stroked.pixel(x, y)) > 128)
                    continue;
                bool nearGlyph = false;
                for (int dy = -reach; dy <= reach && !nearGlyph; ++dy)
                    for (int dx = -reach; dx <= reach && !nearGlyph; ++dx)
                        nearGlyph = filled.valid(x + dx, y + dy) && qGray(filled.pixel(x + dx, y + dy)) < 250;
                strayPixels += nearGlyph ? 0 : 1;
            }
        }
        EXPECT_EQ(strayPixels, 0);
    }
}
