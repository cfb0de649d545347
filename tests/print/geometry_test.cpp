// Page geometry from a printer's measures, and page pictures played back at
// any size and resolution.
#include "renderfixture.h"

#include "common/error.h"
#include "print/pageoutput.h"

#include <QImage>

using namespace vendara;
using namespace vendara::test;

TEST(PrinterGeometry, pageSize_truncatesAtEachDivision)
{
    PrinterGeometry g;
    g.resolution = QSize(600, 600);
    g.physicalSize = QSize(4960, 7016);
    EXPECT_EQ(g.pageSizeUnits(), QSize(2099, 2970));

    // Scale first, then the divisions: 90 x 4960 x 254 / 600 = 188976.0 -> 1889.
    g.scale = 90;
    EXPECT_EQ(g.pageSizeUnits(), QSize(1889, 2673));

    // Unequal resolutions count each axis in its own.
    g.scale = 100;
    g.resolution = QSize(300, 600);
    g.physicalSize = QSize(2480, 7016);
    EXPECT_EQ(g.pageSizeUnits(), QSize(2099, 2970));

    g.resolution = QSize(0, 600);
    EXPECT_THROW(g.pageSizeUnits(), Error);
}

TEST(PrinterGeometry, previewFrame_countsBothAxesInTheHigherResolution)
{
    PrinterGeometry g;
    g.resolution = QSize(300, 600);
    g.physicalSize = QSize(2480, 7016);
    g.printableSize = QSize(2381, 6816);
    g.printableOffset = QPoint(49, 100);
    const auto frame = g.previewFrame();
    EXPECT_EQ(frame.physicalSize, QSize(4960, 7016));
    EXPECT_EQ(frame.printableSize, QSize(4762, 6816));
    EXPECT_EQ(frame.printableOffset, QPoint(98, 100));

    g.resolution = QSize(600, 400);
    g.physicalSize = QSize(1001, 667);
    g.printableSize = QSize(1000, 333);
    g.printableOffset = QPoint(1, 1);
    const auto other = g.previewFrame();
    EXPECT_EQ(other.physicalSize, QSize(1001, 1001)); // 667 x 1.5 = 1000.5 rounds up
    EXPECT_EQ(other.printableSize, QSize(1000, 500));
    EXPECT_EQ(other.printableOffset, QPoint(1, 2));
}

TEST(PrinterGeometry, forPaper_isTheWholeSheetInWholeDots)
{
    const auto a4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    EXPECT_EQ(a4.resolution, QSize(600, 600));
    EXPECT_EQ(a4.physicalSize, QSize(4960, 7015));
    EXPECT_EQ(a4.printableSize, a4.physicalSize);
    EXPECT_EQ(a4.printableOffset, QPoint(0, 0));
    EXPECT_EQ(a4.pageSizeUnits(), QSize(2099, 2969));

    const auto letter = PrinterGeometry::forPaper(QPageSize(QPageSize::Letter), QPageLayout::Landscape);
    EXPECT_EQ(letter.physicalSize, QSize(6600, 5100));
    EXPECT_EQ(letter.pageSizeUnits(), QSize(2794, 2159));
}

namespace {

class PagePlayback : public RenderFixture
{
};

} // namespace

TEST_F(PagePlayback, pageFile_keepsTheWholePageAsItsBounds)
{
    // Ink only in a corner: the page still maps its whole sheet.
    render({QStringLiteral("fill,10,10,20,20")});
    const std::optional<PagePicture> page = PagePicture::load(plot->pageFilePath(1));
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->pageSize(), QSize(2099, 2969));

    PaintRecorder half(QSize(1050, 1485));
    QPainter painter(&half);
    page->play(painter, QRectF(0, 0, 1049.5, 1484.5));
    painter.end();
    ASSERT_EQ(half.shapes.size(), 1);
    EXPECT_NEAR(half.shapes[0].bounds.left(), 5, 1e-9);
    EXPECT_NEAR(half.shapes[0].bounds.width(), 5, 1e-9);
}

TEST_F(PagePlayback, playback_isTheSameOnDevicesOfAnyResolution)
{
    render({QStringLiteral("font,\"ＭＳ ゴシック\",35,0,0"), QStringLiteral("rtext,\"1,234\",1900,500"),
            QStringLiteral("line,100,100,300,100")});
    for (int dpi : {72, 96, 300, 1200}) {
        const auto page = playPage(1, dpi);
        ASSERT_EQ(page->texts.size(), 1);
        EXPECT_NEAR(page->texts[0].right, 1900, 0.01) << dpi;
        EXPECT_NEAR(page->texts[0].fontHeight, 35, 0.01) << dpi;
        ASSERT_EQ(page->shapes.size(), 1);
        EXPECT_EQ(page->shapes[0].line, QLineF(100, 100, 300, 100)) << dpi;
    }
}

TEST_F(PagePlayback, pageImage_pixelsLandWhereThePageSaysAtAnyDpi)
{
    render({QStringLiteral("fill,1000,500,1100,600")});
    const std::optional<PagePicture> page = PagePicture::load(plot->pageFilePath(1));
    ASSERT_TRUE(page.has_value());
    // 1 pixel per page unit whatever resolution the image claims.
    for (int dpi : {96, 1200}) {
        QImage image(plot->pageSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(int(dpi / 0.0254));
        image.setDotsPerMeterY(int(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        page->play(painter, QRectF(QPointF(0, 0), QSizeF(plot->pageSize())));
        painter.end();
        EXPECT_EQ(image.pixel(1050, 550), qRgb(0, 0, 0)) << dpi;
        EXPECT_EQ(image.pixel(995, 550), qRgb(255, 255, 255)) << dpi;
        EXPECT_EQ(image.pixel(1105, 605), qRgb(255, 255, 255)) << dpi;
    }
}

TEST_F(PagePlayback, unreadablePageFile_loadsAsNothing)
{
    EXPECT_FALSE(PagePicture::load(dir.path() + QStringLiteral("/none.pic")).has_value());
    const QString junk = dir.path() + QStringLiteral("/junk.pic");
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_FALSE(PagePicture::load(junk).has_value());
}
