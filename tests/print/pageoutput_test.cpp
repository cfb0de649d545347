// PDF and PNG output of the page files: one sheet per page, each page over
// the whole sheet, fonts embedded, bold as heavy on paper as in the preview.
#include "support/pdftools.h"
#include "renderfixture.h"

#include "print/pageoutput.h"
#include "printsettings/companyblock.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
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

// At this resolution one pixel of an A4 sheet is one page unit (0.1 mm).
constexpr int kUnitDpi = 254;

// The operators of a PDF content stream, each with the operands before it.
struct PdfOperation
{
    QByteArray op;
    QByteArrayList operands;
};

QList<PdfOperation> operationsOf(const QByteArray &stream)
{
    QList<PdfOperation> ops;
    QByteArrayList operands;
    for (const QByteArray &token : stream.simplified().split(' ')) {
        if (token.isEmpty())
            continue;
        const char c = token.at(0);
        const bool operand = (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '/' || c == '<' || c == '['
                             || c == '(' || c == ']' || c == '>';
        if (operand) {
            operands.append(token);
        } else {
            ops.append({token, operands});
            operands.clear();
        }
    }
    return ops;
}

// The content streams of a PDF: those that draw text or paths.
QList<QList<PdfOperation>> contentStreams(const QString &pdf)
{
    QList<QList<PdfOperation>> streams;
    for (const QByteArray &stream : pdfStreams(pdf)) {
        const QList<PdfOperation> ops = operationsOf(stream);
        const bool draws = std::any_of(ops.begin(), ops.end(), [](const PdfOperation &o) {
            return o.op == "BT" || o.op == "re" || o.op == "S" || o.op == "f";
        });
        if (draws && std::any_of(ops.begin(), ops.end(), [](const PdfOperation &o) { return o.op == "cm"; }))
            streams.append(ops);
    }
    return streams;
}

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

TEST_F(PageOutput, pdfBoldText_isTextWithItsGlyphOutlinesStroked)
{
    // The IPA fonts have no bold face and a PDF viewer fills the regular
    // glyphs: the emboldening must be in the PDF itself.
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    const auto strokesAfterText = [&](const QString &style) {
        render({QStringLiteral("font,\"ＭＳ ゴシック\",80,%1,0").arg(style), QStringLiteral("text,御見積書,200,200")});
        writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
        const QList<QList<PdfOperation>> streams = contentStreams(pdf);
        EXPECT_EQ(streams.size(), 1);
        QList<PdfOperation> strokes;
        bool textShown = false;
        for (const QList<PdfOperation> &ops : streams) {
            for (const PdfOperation &o : ops) {
                textShown = textShown || o.op == "Tj" || o.op == "TJ";
                if (textShown && (o.op == "S" || o.op == "s" || o.op == "B" || o.op == "b" || o.op == "w"))
                    strokes.append(o);
            }
        }
        EXPECT_TRUE(textShown);
        return strokes;
    };
    EXPECT_TRUE(strokesAfterText(QStringLiteral("0")).isEmpty()) << "regular text is filled only";

    const QList<PdfOperation> bold = strokesAfterText(QStringLiteral("1"));
    const auto width = std::find_if(bold.begin(), bold.end(), [](const PdfOperation &o) { return o.op == "w"; });
    ASSERT_NE(width, bold.end()) << "no line width set for the outlines";
    ASSERT_EQ(width->operands.size(), 1);
    EXPECT_GT(width->operands[0].toDouble(), 0) << "a hairline would not embolden";
    EXPECT_TRUE(std::any_of(bold.begin(), bold.end(), [](const PdfOperation &o) { return o.op == "S"; }));
    // Still text: found, where it was drawn.
    const QList<PdfWord> words = pdfWords(pdf);
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0].text, QStringLiteral("御見積書"));
    // Only the regular face is embedded; nothing claims a bold font.
    const QString fonts = runPdfTool(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAGothic")));
    EXPECT_FALSE(fonts.contains(QStringLiteral("Bold"), Qt::CaseInsensitive));
}

TEST_F(PageOutput, pdfBoldText_isAsHeavyOnPaperAsInThePreview)
{
    // Regular and bold lines of the faces the layouts use for titles and
    // section headers, one row each.
    const QStringList faces{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐゴシック")};
    QStringList lines;
    for (int i = 0; i < faces.size(); ++i) {
        for (int style = 0; style < 2; ++style) {
            lines.append(QStringLiteral("font,\"%1\",80,%2,0").arg(faces[i]).arg(style));
            lines.append(QStringLiteral("text,御見積書合計,200,%1").arg(200 + 400 * i + 200 * style));
        }
    }
    render(lines);
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    const QImage printed = pdfPageImage(pdf, 1, kUnitDpi);
    ASSERT_FALSE(printed.isNull()) << "pdftoppm is missing";
    // The preview plays the same page files onto a raster picture.
    const QStringList png = writePagesToPng(pageFilesOf(*plot), SheetSetup{}, dir.path() + QStringLiteral("/png"), kUnitDpi);
    const QImage shown(png.value(0));
    // Both one pixel per page unit; they may round the sheet differently.
    ASSERT_NEAR(shown.width(), printed.width(), 1);
    ASSERT_NEAR(shown.height(), printed.height(), 1);

    for (int i = 0; i < faces.size(); ++i) {
        SCOPED_TRACE(faces[i].toStdString());
        const auto row = [&](int style) { return QRect(150, 200 + 400 * i + 200 * style - 30, 650, 140); };
        const double regularPrinted = inkIn(printed, row(0));
        const double boldPrinted = inkIn(printed, row(1));
        const double regularShown = inkIn(shown, row(0));
        const double boldShown = inkIn(shown, row(1));
        ASSERT_GT(regularPrinted, 1000);
        EXPECT_GT(boldPrinted, 1.2 * regularPrinted);
        EXPECT_NEAR(boldPrinted / boldShown, 1.0, 0.05) << boldPrinted << " " << boldShown;
        EXPECT_NEAR(regularPrinted / regularShown, 1.0, 0.05) << regularPrinted << " " << regularShown;
    }
}

TEST_F(PageOutput, companyBlockBoldName_printsAsItsPreviewShowsIt)
{
    // The page plays the block's picture into the PDF; the settings page shows
    // the same picture scaled into its view.
    const auto setFile = [&](const QString &name, const QString &style) {
        QStringList values = companyblock::newSetValues();
        values[companyblock::NameFace] = QStringLiteral("ＭＳ 明朝");
        values[companyblock::NameStyle] = style;
        values[companyblock::NameLine1] = QStringLiteral("ベンダラ自動車株式会社");
        for (int k = 0; k < companyblock::AddressLineCount; ++k)
            values[companyblock::AddressLine1 + k].clear();
        const QString path = dir.path() + u'/' + name;
        companyblock::writeSet(path, values);
        return std::pair{path, values};
    };
    const auto [regularSet, regularValues] = setFile(QStringLiteral("regular.Dat"), QStringLiteral("0"));
    const auto [boldSet, boldValues] = setFile(QStringLiteral("bold.Dat"), QStringLiteral("1"));
    // Two page units per block unit.
    const QRect regularRect(200, 200, 850, 354);
    const QRect boldRect(200, 800, 850, 354);
    const auto logo = [](const QRect &r, const QString &set) {
        return QStringLiteral("logo,%1,%2,%3,%4,\"%5\"").arg(r.left()).arg(r.top()).arg(r.left() + r.width())
            .arg(r.top() + r.height()).arg(set);
    };
    render({logo(regularRect, regularSet), logo(boldRect, boldSet)});
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    writePagesToPdf(pageFilesOf(*plot), SheetSetup{}, pdf);
    const QImage printed = pdfPageImage(pdf, 1, kUnitDpi);
    ASSERT_FALSE(printed.isNull()) << "pdftoppm is missing";

    const auto preview = [](const QStringList &values, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(double(size.width()) / companyblock::kWidth, double(size.height()) / companyblock::kHeight);
        CompanyBlockPainter block;
        painter.drawPicture(0, 0, block.draw(values));
        painter.end();
        return image;
    };
    const double regularPrinted = inkIn(printed, regularRect);
    const double boldPrinted = inkIn(printed, boldRect);
    const double regularShown = inkIn(preview(regularValues, regularRect.size()), QRect(QPoint(0, 0), regularRect.size()));
    const double boldShown = inkIn(preview(boldValues, boldRect.size()), QRect(QPoint(0, 0), boldRect.size()));
    ASSERT_GT(regularPrinted, 1000);
    EXPECT_GT(boldPrinted, 1.2 * regularPrinted);
    EXPECT_NEAR(boldPrinted / boldShown, 1.0, 0.05) << boldPrinted << " " << boldShown;
    EXPECT_NEAR(regularPrinted / regularShown, 1.0, 0.05) << regularPrinted << " " << regularShown;

    // One face on both: the Mincho the preview draws the name in is the one
    // embedded, and no other.
    const QString fonts = runPdfTool(QStringLiteral("pdffonts"), {pdf});
    const QString shownFamily = QFontInfo(textFaceFor(companyblock::textLayout(boldValues)[0].font.toQFont()).font).family();
    EXPECT_EQ(shownFamily, QFontInfo(QFont(QStringLiteral("IPAMincho"))).family());
    EXPECT_TRUE(fonts.contains(QStringLiteral("IPAMincho")));
    EXPECT_FALSE(fonts.contains(QStringLiteral("Gothic")));
    EXPECT_FALSE(fonts.contains(QStringLiteral("Bold"), Qt::CaseInsensitive));
}
