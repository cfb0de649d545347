#include "pagerecorder.h"

#include "hatchlines.h"

#include "common/error.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace vendara {

PageRecorder::PageRecorder(const PrinterGeometry &geometry, const QString &tmpDir, const QString &runTag)
    : m_geometry(geometry), m_pageSize(geometry.pageSizeUnits()), m_tmpDir(tmpDir), m_runTag(runTag)
{
    if (!m_tmpDir.isEmpty() && !m_tmpDir.endsWith(u'/'))
        m_tmpDir += u'/';
    // Text of pictures (metafiles) is set through the same substitutions.
    installFontSubstitutions();
}

PageRecorder::~PageRecorder()
{
    deletePageFiles();
}

int PageRecorder::correctionUnits(double millimetres)
{
    // Corrections are typed with one decimal but held as floats or doubles
    // (4.1 mm is 4.0999999 as a float). Rounding to thousandths of a unit
    // first restores the typed value; the truncation then acts on it alone.
    const double units = std::round(millimetres * 10.0 * 1000.0) / 1000.0;
    if (!std::isfinite(units))
        return 0;
    // Far beyond any sheet either way; keeps the conversion to int defined.
    return int(std::trunc(std::clamp(units, -1e6, 1e6)));
}

QString PageRecorder::pageFileName(const QString &runTag, int number)
{
    return runTag + QStringLiteral("_PTmp") + QString::number(number) + u'.' + pageFileExtension();
}

QString PageRecorder::pageFilePath(int number) const
{
    return m_tmpDir + pageFileName(m_runTag, number);
}

void PageRecorder::begin()
{
    deletePageFiles();
    m_pageNumber = 1;
    openPage();
}

void PageRecorder::newPage()
{
    storePage();
    ++m_pageNumber;
    openPage();
}

void PageRecorder::finish()
{
    storePage();
}

void PageRecorder::openPage()
{
    m_page.emplace(m_pageSize);
    m_page->painter().translate(m_correction);
    m_painterFont.reset();
}

void PageRecorder::storePage()
{
    if (!m_page)
        return;
    std::optional<PagePicture> page = std::move(m_page);
    m_page.reset();
    page->finishRecording();
    page->save(pageFilePath(m_pageNumber));
    m_pageCount = m_pageNumber;
    // Only a run of pages from the first is kept, so page n is in memory
    // exactly when n <= m_keptPages.size().
    if (m_keptPages.size() == m_pageCount - 1 && m_keptBytes + page->byteSize() <= m_memoryBudget) {
        m_keptBytes += page->byteSize();
        m_keptPages.append(std::make_shared<const PagePicture>(std::move(*page)));
    }
}

std::shared_ptr<const PagePicture> PageRecorder::page(int number) const
{
    if (number < 1 || number > m_pageCount)
        return nullptr;
    if (number <= m_keptPages.size())
        return m_keptPages[number - 1];
    if (std::optional<PagePicture> loaded = PagePicture::load(pageFilePath(number)))
        return std::make_shared<const PagePicture>(std::move(*loaded));
    return nullptr;
}

void PageRecorder::deletePageFiles()
{
    m_page.reset();
    for (int n = 1; n <= m_pageCount; ++n)
        QFile::remove(pageFilePath(n));
    m_pageCount = 0;
    m_keptPages.clear();
    m_keptBytes = 0;
}

QPainter &PageRecorder::painter()
{
    if (!m_page) {
        // Drawing before begin() or after finish() starts a page of its own
        // rather than touching a stored one.
        ++m_pageNumber;
        openPage();
    }
    return m_page->painter();
}

void PageRecorder::setFont(const FontState &font)
{
    m_font = font;
    m_printFont.reset();
}

const PrintFont &PageRecorder::printFont()
{
    if (!m_printFont) {
        // Height 0 asks for the default size, as it does of Windows' font mapper.
        const int height = m_font.height != 0 ? m_font.height : FontState{}.height;
        // Styles other than 1 to 3 are regular.
        const int style = m_font.style >= 1 && m_font.style <= 3 ? m_font.style : 0;
        const QPair<QString, int> key(m_font.face, style);
        auto face = m_faces.constFind(key);
        if (face == m_faces.constEnd())
            face = m_faces.insert(key, PrintFont(m_font.face, height, style));
        m_printFont = face->withHeight(height);
    }
    return *m_printFont;
}

qreal PageRecorder::textWidth(const QString &text)
{
    return printFont().advance(text);
}

void PageRecorder::drawTextAt(const QString &text, qreal left, int top)
{
    if (text.isEmpty())
        return;
    const PrintFont &font = printFont();
    QPainter &p = painter();
    // Laid out at the font's large pixel size and scaled into page units.
    // The page records every state change, and a restored state would be
    // recorded and played again for every text: the transform is set and
    // put back alone, the font and pen only change when they differ.
    const QTransform page = p.worldTransform();
    p.setWorldTransform(QTransform::fromScale(font.scale(), font.scale())
                        * QTransform::fromTranslate(left, top + font.ascent()) * page);
    if (m_painterFont != font.layoutFont()) {
        p.setFont(font.layoutFont());
        m_painterFont = font.layoutFont();
    }
    const QColor color = colorFromColorRef(m_font.colorRef);
    const QPen pen(color);
    if (p.pen() != pen)
        p.setPen(pen);
    p.drawText(QPointF(0, 0), text);
    // Bold of a face without a bold face: the outlines stroked over the text,
    // on whole pixels of the layout size (a thousandth of the em).
    strokeEmboldened(p, QPointF(0, 0), text, font.layoutFace(), color, 1);
    p.setWorldTransform(page);
}

void PageRecorder::text(const QString &text, int x, int y)
{
    drawTextAt(text, x, y);
}

void PageRecorder::rightText(const QString &text, int x, int y)
{
    drawTextAt(text, x - textWidth(text), y);
}

void PageRecorder::centredText(const QString &text, int x, int y)
{
    drawTextAt(text, x - std::trunc(textWidth(text) / 2), y);
}

void PageRecorder::line(int x1, int y1, int x2, int y2)
{
    if (m_pen.isNone())
        return;
    QPainter &p = painter();
    p.setPen(m_pen.toQPen());
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PageRecorder::frame(int x1, int y1, int x2, int y2)
{
    if (m_pen.isNone())
        return;
    QPainter &p = painter();
    p.setPen(m_pen.toQPen());
    p.setBrush(Qt::NoBrush);
    const QPointF points[] = {{qreal(x1), qreal(y1)}, {qreal(x2), qreal(y1)}, {qreal(x2), qreal(y2)},
                              {qreal(x1), qreal(y2)}, {qreal(x1), qreal(y1)}};
    p.drawPolyline(points, 5);
}

void PageRecorder::fillShape(const QRectF &rect, bool ellipse)
{
    if (m_brush.isHollow() || rect.isEmpty())
        return;
    QPainter &p = painter();
    const QColor color = colorFromColorRef(m_brush.colorRef);
    if (!m_brush.isHatched()) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        if (ellipse)
            p.drawEllipse(rect);
        else
            p.drawRect(rect);
        return;
    }
    const Hatch hatch = Hatch(m_brush.style - 2);
    // The sheet in the coordinates drawn in (before the correction).
    const QRectF sheet = QRectF(QPointF(-m_correction), QSizeF(m_pageSize)).adjusted(-1, -1, 1, 1);
    const QList<QLineF> lines = ellipse ? hatchLinesInEllipse(rect, hatch, hatchPeriod(), sheet)
                                        : hatchLinesInRect(rect, hatch, hatchPeriod(), sheet);
    QPen pen(color, 1);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLines(lines);
}

void PageRecorder::fill(int x1, int y1, int x2, int y2)
{
    fillShape(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), false);
}

void PageRecorder::ellipse(int x1, int y1, int x2, int y2)
{
    const QRectF rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    fillShape(rect, true);
    if (m_pen.isNone())
        return;
    QPainter &p = painter();
    p.setPen(m_pen.toQPen());
    p.setBrush(Qt::NoBrush);
    if (m_pen.isInsideFrame() && m_pen.width > 1) {
        const qreal half = m_pen.width / 2.0;
        p.drawEllipse(rect.adjusted(half, half, -half, -half));
    } else {
        p.drawEllipse(rect);
    }
}

bool PageRecorder::pictureFile(const QRectF &rect, const QString &path)
{
    QPainter &p = painter();
    return m_pictures.draw(p, rect, path);
}

void PageRecorder::picture(const QPicture &picture, const QRectF &source, const QRectF &rect)
{
    drawPictureStretched(painter(), picture, source, rect);
}

} // namespace vendara
