// Pens, brushes and the figures drawn with them.
#include "renderfixture.h"

#include "print/hatchlines.h"

#include <cmath>

using namespace vendara;
using namespace vendara::test;

namespace {

class Shapes : public RenderFixture
{
};

bool onRectBorder(QPointF p, const QRectF &r)
{
    const qreal e = 1e-6;
    const bool inside = p.x() >= r.left() - e && p.x() <= r.right() + e && p.y() >= r.top() - e && p.y() <= r.bottom() + e;
    const bool border = std::abs(p.x() - r.left()) < e || std::abs(p.x() - r.right()) < e
                        || std::abs(p.y() - r.top()) < e || std::abs(p.y() - r.bottom()) < e;
    return inside && border;
}

qreal ellipseValue(QPointF p, const QRectF &r)
{
    const qreal dx = (p.x() - r.center().x()) / (r.width() / 2);
    const qreal dy = (p.y() - r.center().y()) / (r.height() / 2);
    return dx * dx + dy * dy;
}

} // namespace

TEST_F(Shapes, redHalfMillimetreLine_alongTheTopEdge)
{
    render({QStringLiteral("pen,5,0,255"), QStringLiteral("line,0,0,100,0")});
    const auto lines = playPage(1)->shapesOf(RecordedShape::Line);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].line, QLineF(0, 0, 100, 0));
    EXPECT_EQ(lines[0].penColor, QColor(255, 0, 0));
    EXPECT_NEAR(lines[0].penWidth, 5, 1e-6);
    EXPECT_EQ(lines[0].penStyle, Qt::SolidLine);
}

TEST_F(Shapes, penStyles_dashesAndNoLine)
{
    render({QStringLiteral("pen,0,0,0"), QStringLiteral("line,0,10,100,10"), QStringLiteral("pen,0,1,0"),
            QStringLiteral("line,0,20,100,20"), QStringLiteral("pen,2,2,0"), QStringLiteral("line,0,30,100,30"),
            QStringLiteral("pen,3,5,0"), QStringLiteral("line,0,40,100,40"), QStringLiteral("lbox,0,0,9,9")});
    const auto lines = playPage(1)->shapesOf(RecordedShape::Line);
    ASSERT_EQ(lines.size(), 3); // style 5 draws nothing
    EXPECT_EQ(lines[0].penStyle, Qt::SolidLine);
    EXPECT_EQ(lines[0].penWidth, 0); // the thinnest line of the device
    EXPECT_EQ(lines[1].penStyle, Qt::CustomDashLine);
    EXPECT_EQ(lines[2].penStyle, Qt::CustomDashLine);
    EXPECT_NEAR(lines[2].penWidth, 2, 1e-6);
}

TEST_F(Shapes, lbox_isAnUnfilledFrame)
{
    render({QStringLiteral("brush,0,255"), QStringLiteral("pen,3,0,0"), QStringLiteral("lbox,100,200,300,250")});
    const auto page = playPage(1);
    const auto frames = page->shapesOf(RecordedShape::Polyline);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].bounds, QRectF(100, 200, 200, 50));
    EXPECT_TRUE(page->shapesOf(RecordedShape::Rect).isEmpty());
}

TEST_F(Shapes, fillBeforeAnyBrush_isSolidBlackWithoutOutline)
{
    render({QStringLiteral("pen,5,0,255"), QStringLiteral("fill,10,20,110,70")});
    const auto page = playPage(1);
    const auto rects = page->shapesOf(RecordedShape::Rect);
    ASSERT_EQ(rects.size(), 1);
    EXPECT_EQ(rects[0].bounds, QRectF(10, 20, 100, 50));
    EXPECT_EQ(rects[0].brushStyle, Qt::SolidPattern);
    EXPECT_EQ(rects[0].brushColor, QColor(0, 0, 0));
    EXPECT_EQ(rects[0].penStyle, Qt::NoPen);
    EXPECT_EQ(page->shapes.size(), 1);
}

TEST_F(Shapes, hollowBrushEllipse_drawsOnlyTheOutline)
{
    render({QStringLiteral("brush,1,0"), QStringLiteral("ellipse,0,0,200,100"), QStringLiteral("fill,0,0,50,50")});
    const auto page = playPage(1);
    ASSERT_EQ(page->shapes.size(), 1);
    EXPECT_EQ(page->shapes[0].kind, RecordedShape::Ellipse);
    EXPECT_EQ(page->shapes[0].brushStyle, Qt::NoBrush);
    EXPECT_EQ(page->shapes[0].bounds, QRectF(0, 0, 200, 100));
}

TEST_F(Shapes, insideFramePen_keepsTheEllipseOutlineInsideItsBounds)
{
    render({QStringLiteral("brush,1,0"), QStringLiteral("pen,10,6,0"), QStringLiteral("ellipse,0,0,200,100")});
    const auto ellipses = playPage(1)->shapesOf(RecordedShape::Ellipse);
    ASSERT_EQ(ellipses.size(), 1);
    EXPECT_EQ(ellipses[0].bounds, QRectF(5, 5, 190, 90));
}

TEST_F(Shapes, hatchedFill_isDrawnAsVectorLinesInsideTheShape)
{
    render({QStringLiteral("brush,6,255"), QStringLiteral("fill,0,0,100,50")});
    const auto page = playPage(1);
    EXPECT_TRUE(page->shapesOf(RecordedShape::Rect).isEmpty());
    const auto lines = page->shapesOf(RecordedShape::Line);
    // Horizontal lines at y = 0, 20 and 40 across the whole width.
    ASSERT_EQ(lines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].line, QLineF(0, 20 * i, 100, 20 * i));
        EXPECT_EQ(lines[i].penColor, QColor(255, 0, 0));
    }
}

TEST_F(Shapes, hatchLines_stayInsideRectanglesAndEllipses)
{
    const QRectF rect(13, 7, 171, 93);
    const QRectF everywhere(-1e6, -1e6, 2e6, 2e6);
    for (Hatch hatch : {Hatch::Rising, Hatch::Falling, Hatch::Cross, Hatch::DiagonalCross, Hatch::Horizontal,
                        Hatch::Vertical}) {
        const QList<QLineF> inRect = hatchLinesInRect(rect, hatch, 20, everywhere);
        EXPECT_GT(inRect.size(), 3);
        for (const QLineF &l : inRect) {
            EXPECT_TRUE(onRectBorder(l.p1(), rect));
            EXPECT_TRUE(onRectBorder(l.p2(), rect));
        }
        const QList<QLineF> inEllipse = hatchLinesInEllipse(rect, hatch, 20, everywhere);
        EXPECT_GT(inEllipse.size(), 2);
        EXPECT_LT(inEllipse.size(), inRect.size() + 1);
        for (const QLineF &l : inEllipse) {
            EXPECT_NEAR(ellipseValue(l.p1(), rect), 1, 1e-9);
            EXPECT_NEAR(ellipseValue(l.p2(), rect), 1, 1e-9);
        }
    }
    // "/" rises to the right: its lines run from bottom left to top right.
    for (const QLineF &l : hatchLinesInRect(rect, Hatch::Rising, 20, everywhere))
        EXPECT_LT((l.p2().y() - l.p1().y()) * (l.p2().x() - l.p1().x()), 0);
    for (const QLineF &l : hatchLinesInRect(rect, Hatch::Falling, 20, everywhere))
        EXPECT_GT((l.p2().y() - l.p1().y()) * (l.p2().x() - l.p1().x()), 0);
    // Lines sit on a grid anchored at the page origin.
    for (const QLineF &l : hatchLinesInRect(rect, Hatch::Vertical, 20, everywhere))
        EXPECT_EQ(std::fmod(l.p1().x(), 20.0), 0);
}

TEST_F(Shapes, hatchedEllipse_linesThenOutline)
{
    render({QStringLiteral("brush,4,0"), QStringLiteral("pen,2,0,255"), QStringLiteral("ellipse,100,100,300,200")});
    const auto page = playPage(1);
    const auto ellipses = page->shapesOf(RecordedShape::Ellipse);
    ASSERT_EQ(ellipses.size(), 1);
    EXPECT_EQ(ellipses[0].brushStyle, Qt::NoBrush);
    EXPECT_EQ(page->shapes.last().kind, RecordedShape::Ellipse);
    const auto lines = page->shapesOf(RecordedShape::Line);
    EXPECT_EQ(lines.size(),
              hatchLinesInEllipse(QRectF(100, 100, 200, 100), Hatch::Cross, PageRecorder::hatchPeriod(), QRectF(0, 0, 2099, 2969)).size());
}

TEST_F(Shapes, hatchedFillFarLargerThanTheSheet_drawsOnlyWhatTheSheetShows)
{
    render({QStringLiteral("brush,7,0"), QStringLiteral("fill,-2000000000,-2000000000,2000000000,2000000000"),
            QStringLiteral("brush,6,0"), QStringLiteral("ellipse,-2000000000,-2000000000,2000000000,2000000000")});
    const auto lines = playPage(1)->shapesOf(RecordedShape::Line);
    // One vertical line per 2 mm across the sheet, one horizontal per 2 mm down it.
    EXPECT_GT(lines.size(), 2099 / 20 + 2969 / 20);
    EXPECT_LT(lines.size(), 2099 / 20 + 2969 / 20 + 10);
    for (const RecordedShape &l : lines)
        EXPECT_TRUE(QRectF(-2, -2, 2104, 2974).contains(l.line.p1()) || l.line.dy() == 0) << l.line.p1().x();
}
