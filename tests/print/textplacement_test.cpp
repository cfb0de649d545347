// Where text lands: cell top left, right-aligned and centred strings measured
// in page units, fonts as cell heights, the Windows faces mapped to IPA fonts.
#include "renderfixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>

using namespace vendara;
using namespace vendara::test;

namespace {

class TextPlacement : public RenderFixture
{
};

// The family Qt resolves a name to, so that localised family names compare.
QString resolvedFamily(const QString &family)
{
    return QFontInfo(QFont(family)).family();
}

QStringList familiesUsedFor(const QFont &font, const QString &text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun &run : layout.glyphRuns())
        families.append(resolvedFamily(run.rawFont().familyName()));
    return families;
}

} // namespace

TEST_F(TextPlacement, rtext_endsAtItsXWhateverTheFont)
{
    const QStringList fonts{QStringLiteral("font,\"ＭＳ ゴシック\",35,0,0"), QStringLiteral("font,\"ＭＳ Ｐ明朝\",50,1,0"),
                            QStringLiteral("font,\"MS PGothic\",-27,2,0"), QStringLiteral("font,\"ＭＳ 明朝\",123,3,0")};
    QStringList lines;
    for (int i = 0; i < fonts.size(); ++i) {
        lines.append(fonts[i]);
        lines.append(QStringLiteral("rtext,\"1,234,567\",1900,%1").arg(500 + 200 * i));
    }
    render(lines);
    const auto page = playPage(1);
    ASSERT_EQ(page->texts.size(), fonts.size());
    for (const RecordedText &t : page->texts) {
        EXPECT_EQ(t.text, QStringLiteral("1,234,567"));
        EXPECT_NEAR(t.right, 1900, 0.01) << t.baseline;
        EXPECT_GT(t.right - t.left, 50);
    }
}

TEST_F(TextPlacement, rtextWidth_isExactInPageUnitsAtSmallSizes)
{
    // At 2.7 mm a pixel-sized layout would round every advance; the width must
    // scale with the height.
    const PrintFont small(QStringLiteral("ＭＳ Ｐゴシック"), 27, 0);
    const PrintFont large(QStringLiteral("ＭＳ Ｐゴシック"), 2700, 0);
    const QString amount = QStringLiteral("12,345,678");
    EXPECT_NEAR(small.advance(amount) * 100, large.advance(amount), 0.5);
}

TEST_F(TextPlacement, ctext_startsAtXLessHalfTheWidthTruncated)
{
    render({QStringLiteral("font,\"ＭＳ Ｐゴシック\",41,0,0"), QStringLiteral("ctext,御見積書,1000,300"),
            QStringLiteral("ctext,il1,1000,600")});
    plot->setFont(FontState{QStringLiteral("ＭＳ Ｐゴシック"), 41, 0, 0});
    const auto page = playPage(1);
    for (const QString &s : {QStringLiteral("御見積書"), QStringLiteral("il1")}) {
        const RecordedText *t = page->findText(s);
        ASSERT_NE(t, nullptr);
        const qreal width = plot->textWidth(s);
        EXPECT_NEAR(t->left, 1000 - std::trunc(width / 2), 1e-6);
        EXPECT_NEAR(t->right - t->left, width, 0.01);
    }
}

TEST_F(TextPlacement, text_placesTheTopLeftOfTheCharacterCell)
{
    render({QStringLiteral("font,\"ＭＳ ゴシック\",40,0,16711680"), QStringLiteral("text,請求,200,300")});
    const PrintFont font(QStringLiteral("ＭＳ ゴシック"), 40, 0);
    const auto page = playPage(1);
    const RecordedText *t = page->findText(QStringLiteral("請求"));
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->left, 200, 1e-6);
    EXPECT_NEAR(t->baseline, 300 + font.ascent(), 0.01);
    EXPECT_NEAR(t->fontHeight, 40, 0.01);
    EXPECT_EQ(t->color, QColor(0, 0, 255));
    // Two full-width characters, each as wide as the em.
    EXPECT_NEAR(t->right - t->left, 2 * font.scale() * PrintFont::layoutPixelSize(), 0.05);
}

TEST_F(TextPlacement, fontHeights_positiveIsTheCellNegativeTheEm)
{
    // The Windows faces of the layouts have a cell of one em, so both signs
    // give the same glyphs; the em of a full-width character is its advance.
    for (int height : {50, -50}) {
        const PrintFont mincho(QStringLiteral("ＭＳ 明朝"), height, 0);
        EXPECT_NEAR(mincho.cellHeight(), 50, 1e-9);
        EXPECT_NEAR(mincho.advance(QStringLiteral("漢")), 50, 0.5);
        EXPECT_LT(mincho.ascent(), 50);
    }
    // Other faces keep their own cell, which is taller than their em.
    const PrintFont cell(QStringLiteral("DejaVu Sans"), 50, 0);
    EXPECT_NEAR(cell.cellHeight(), 50, 1e-9);
    const PrintFont em(QStringLiteral("DejaVu Sans"), -50, 0);
    EXPECT_GT(em.cellHeight(), 50);
}

TEST_F(TextPlacement, windowsFaces_areSetInTheIpaFonts)
{
    installFontSubstitutions();
    const QList<std::pair<QString, QString>> mappings{
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")},
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho")},
        {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho")},
    };
    for (const auto &[face, family] : mappings) {
        const PrintFont font(face, 35, 0);
        EXPECT_EQ(QFontInfo(font.layoutFont()).family(), resolvedFamily(family)) << face.toStdString();
        EXPECT_EQ(ipaFamilyFor(face), family);
        // Latin letters come from the IPA font too, in its widths.
        EXPECT_EQ(familiesUsedFor(font.layoutFont(), QStringLiteral("Ab1見積")), QStringList{resolvedFamily(family)});
    }
    // The proportional faces set Latin text narrower than the fixed ones.
    EXPECT_LT(PrintFont(QStringLiteral("ＭＳ Ｐゴシック"), 35, 0).advance(QStringLiteral("Wil")),
              PrintFont(QStringLiteral("ＭＳ ゴシック"), 35, 0).advance(QStringLiteral("Wil")));
}

TEST_F(TextPlacement, unknownFace_setsJapaneseTextInIpaGothic)
{
    const PrintFont font(QStringLiteral("ＨＧ創英角ﾎﾟｯﾌﾟ体"), 35, 0);
    const QStringList families = familiesUsedFor(font.layoutFont(), QStringLiteral("見積書"));
    ASSERT_FALSE(families.isEmpty());
    for (const QString &f : families)
        EXPECT_EQ(f, resolvedFamily(QStringLiteral("IPAGothic")));
}

TEST_F(TextPlacement, emptyText_drawsNothing)
{
    render({QStringLiteral("text,,10,10"), QStringLiteral("rtext,\"\",10,10"), QStringLiteral("ctext,\"\",10,10")});
    EXPECT_TRUE(playPage(1)->texts.isEmpty());
}

TEST_F(TextPlacement, boldOfTheIpaFaces_isTheRegularTextWithItsOutlinesStrokedOverIt)
{
    render({QStringLiteral("font,\"ＭＳ 明朝\",120,1,255"), QStringLiteral("rtext,御見積書,1500,300"),
            QStringLiteral("font,\"ＭＳ 明朝\",120,0,255"), QStringLiteral("rtext,御見積書,1500,600")});
    const auto page = playPage(1);
    ASSERT_EQ(page->texts.size(), 2);
    const RecordedText &bold = page->texts[0];
    const RecordedText &regular = page->texts[1];
    // The glyphs are the regular face's, in its advances: a bold amount
    // still ends at its x.
    EXPECT_FALSE(bold.font.bold());
    EXPECT_EQ(bold.font.family(), regular.font.family());
    EXPECT_NEAR(bold.right, 1500, 0.01);
    EXPECT_NEAR(bold.right - bold.left, regular.right - regular.left, 1e-6);

    const QList<RecordedShape> strokes = page->shapesOf(RecordedShape::Path);
    ASSERT_EQ(strokes.size(), 1) << "only the bold text is stroked";
    const RecordedShape &stroke = strokes[0];
    EXPECT_GT(stroke.order, bold.order);
    EXPECT_LT(stroke.order, regular.order);
    // A twenty-fourth of the 12 mm em, in the text's colour, not filled.
    EXPECT_NEAR(stroke.penWidth, 5.0, 1e-6);
    EXPECT_EQ(stroke.penColor, QColor(255, 0, 0));
    EXPECT_EQ(stroke.brushStyle, Qt::NoBrush);
    // Around the glyphs of the bold text: within its advance and its em.
    EXPECT_GE(stroke.bounds.left(), bold.left - 1);
    EXPECT_LE(stroke.bounds.right(), bold.right + 1);
    EXPECT_GT(stroke.bounds.width(), 0.8 * (bold.right - bold.left));
    EXPECT_GE(stroke.bounds.top(), bold.baseline - 120);
    EXPECT_LE(stroke.bounds.bottom(), bold.baseline + 0.25 * 120);
}

TEST_F(TextPlacement, boldOfAFaceWithABoldFace_usesThatFace)
{
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
        GTEST_SKIP() << "DejaVu Sans is not installed";
    render({QStringLiteral("font,\"DejaVu Sans\",80,1,0"), QStringLiteral("text,Total,100,100")});
    const auto page = playPage(1);
    ASSERT_EQ(page->texts.size(), 1);
    EXPECT_TRUE(page->texts[0].font.bold());
    EXPECT_TRUE(page->shapesOf(RecordedShape::Path).isEmpty());
}
