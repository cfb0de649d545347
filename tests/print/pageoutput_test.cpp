// PDF and PNG output of the page files: one sheet per page, each page over
// the whole sheet, fonts embedded.
#include "pdftools.h"
#include "renderfixture.h"

#include "print/pageoutput.h"

#include <QImage>

#include <cmath>

using namespace vendara;
using namespace vendara::test;

namespace {

class PageOutput : public RenderFixture
{
protected:
    void SetUp() override
    {
        RenderFixture::SetUp();
        if (!havePdfTools())
            GTEST_SKIP() << "poppler-utils are not installed";
    }

    // Page units to PDF points on the sheet the page is stretched over.
    double xPoints(double units) const { return units * sheet.width() / plot->pageSize().width(); }
    double yPoints(double units) const { return units * sheet.height() / plot->pageSize().height(); }

    QSizeF sheet;
};

} // namespace

TEST_F(PageOutput, pdf_hasOnePagePerPageFileOnTheChosenSheet)
{
    render({QStringLiteral("text,one,100,100"), QStringLiteral("page"), QStringLiteral("text,two,100,100"),
            QStringLiteral("page")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    EXPECT_EQ(pdfPageCount(pdf), 3);
    // PDF sheets come in whole points.
    EXPECT_EQ(pdfPageSize(pdf), QSizeF(595, 842));

    SheetSetup landscape;
    landscape.orientation = QPageLayout::Landscape;
    landscape.paper = QPageSize(QPageSize::A3);
    writePagesToPdf(pageFilesOf(*plot), landscape, pdf);
    EXPECT_EQ(pdfPageSize(pdf), QSizeF(1191, 842));
}

TEST_F(PageOutput, pdfText_landsWhereThePageSaysAndRightAlignedAmountsEndAtX)
{
    plot->setCorrection(QPoint(15, -20));
    render({QStringLiteral("font,\"ＭＳ Ｐゴシック\",35,0,0"), QStringLiteral("rtext,\"1,234,567\",1900,500"),
            QStringLiteral("font,\"ＭＳ 明朝\",50,1,0"), QStringLiteral("text,御見積書,300,1000"),
            QStringLiteral("ctext,ABCDE,1000,1500")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    sheet = pdfPageSize(pdf);
    const QList<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 3);
    // Corrections move everything by 1.5 mm right and 2 mm up.
    EXPECT_EQ(words[0].text, QStringLiteral("1,234,567"));
    EXPECT_NEAR(words[0].box.right(), xPoints(1915), 0.05);
    EXPECT_NEAR(words[0].box.top(), yPoints(480), 0.3);
    // The box of a PDF word spans the em; the character cell adds the font's leading.
    const PrintFont gothic(QStringLiteral("ＭＳ Ｐゴシック"), 35, 0);
    EXPECT_NEAR(words[0].box.height(), yPoints(gothic.scale() * PrintFont::layoutPixelSize()), 0.1);
    EXPECT_EQ(words[1].text, QStringLiteral("御見積書"));
    EXPECT_NEAR(words[1].box.left(), xPoints(315), 0.05);
    EXPECT_NEAR(words[1].box.top(), yPoints(980), 0.3);
    EXPECT_EQ(words[2].text, QStringLiteral("ABCDE"));
    plot->setFont(FontState{QStringLiteral("ＭＳ 明朝"), 50, 1, 0});
    const qreal width = plot->textWidth(QStringLiteral("ABCDE"));
    EXPECT_NEAR(words[2].box.left(), xPoints(1015 - std::trunc(width / 2)), 0.05);
    EXPECT_NEAR(words[2].box.width(), xPoints(width), 0.05);

    const QString fonts = runPdfTool(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAPGothic")));
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAMincho")));
    for (const QString &line : fonts.split(u'\n').mid(2)) {
        if (line.trimmed().isEmpty())
            continue;
        EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << "font not embedded: " << line.toStdString();
    }
}

TEST_F(PageOutput, missingPageFile_repeatsThePageBefore)
{
    render({QStringLiteral("text,first,100,100"), QStringLiteral("page"), QStringLiteral("text,second,100,100")});
    QFile::remove(plot->pageFilePath(2));
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    const QList<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[1].text, QStringLiteral("first"));
    EXPECT_EQ(words[1].page, 2);
}

TEST_F(PageOutput, png_onePicturePerPageAtTheGivenResolution)
{
    render({QStringLiteral("fill,1000,1000,1100,1100"), QStringLiteral("page")});
    const QStringList files = writePagesToPng(pageFilesOf(*plot), SheetSetup{}, dir.path() + QStringLiteral("/png"), 100);
    ASSERT_EQ(files.size(), 2);
    const QImage first(files[0]);
    EXPECT_EQ(first.size(), QSize(826, 1169)); // 595 x 842 pt
    // 105 mm is at 413 pixels at 100 dpi.
    EXPECT_EQ(first.pixel(413, 413), qRgb(0, 0, 0));
    EXPECT_EQ(first.pixel(380, 413), qRgb(255, 255, 255));
    EXPECT_EQ(QImage(files[1]).pixel(413, 413), qRgb(255, 255, 255));
}

TEST_F(PageOutput, pdfPictures_areStoredLosslessly)
{
    // A picture full of sharp colour edges: JPEG would blur every one.
    QImage picture(16, 8, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor((x * 53) % 256, (y * 97) % 256, ((x + y) * 31) % 256));
    const QString bmp = dir.path() + QStringLiteral("/logo.bmp");
    ASSERT_TRUE(picture.save(bmp, "BMP"));
    render({QStringLiteral("pict,100,100,260,180,\"%1\"").arg(bmp)});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);

    EXPECT_FALSE(runPdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).contains(QStringLiteral("jpeg")));
    runPdfTool(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, dir.path() + QStringLiteral("/img")});
    const QImage extracted = QImage(dir.path() + QStringLiteral("/img-000.png")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(extracted.size(), picture.size());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(extracted.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
}

TEST_F(PageOutput, pdfPensOfWidthZero_areHairlinesWhateverTheirStyle)
{
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    for (const char *style : {"0", "1", "2", "3", "4"}) {
        render({QStringLiteral("pen,0,%1,0").arg(QLatin1String(style)), QStringLiteral("line,100,100,1900,100")});
        writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
        // The line width in force at each stroke ("S").
        QByteArrayList strokeWidths;
        QByteArray previous, width;
        for (const QByteArray &stream : pdfStreams(pdf)) {
            for (const QByteArray &token : stream.simplified().split(' ')) {
                if (token == "w")
                    width = previous;
                else if (token == "S")
                    strokeWidths.append(width);
                previous = token;
            }
        }
        ASSERT_FALSE(strokeWidths.isEmpty()) << "style " << style;
        for (const QByteArray &w : strokeWidths)
            EXPECT_EQ(w, "0") << "style " << style;
    }
}

TEST_F(PageOutput, pdfGlyphs_ofTheLayoutFacesAreAsTallAsTheHeightAsked)
{
    // A positive height is the character cell, which for the faces the
    // layouts name is one em; a negative height is the em itself.
    render({QStringLiteral("font,\"ＭＳ ゴシック\",100,0,0"), QStringLiteral("text,ABC,100,100"),
            QStringLiteral("font,\"ＭＳ 明朝\",-100,0,0"), QStringLiteral("text,DEF,100,400")});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    sheet = pdfPageSize(pdf);
    const QList<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 2);
    EXPECT_NEAR(words[0].box.height(), yPoints(100), 0.1);
    EXPECT_NEAR(words[0].box.top(), yPoints(100), 0.3); // the em fills the cell from its top
    EXPECT_NEAR(words[1].box.height(), yPoints(100), 0.1);
}
