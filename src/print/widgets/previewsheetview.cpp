#include "previewsheetview.h"

#include <QPaintEvent>
#include <QPainter>

namespace vendara {
namespace {

const QColor kGroundColour(0x60, 0x60, 0x60);
const QColor kFrameColour(0xc0, 0xc0, 0xc0); // silver

} // namespace

PreviewSheetView::PreviewSheetView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("用紙"));
    setAccessibleDescription(QStringLiteral("印刷されるページ"));
}

void PreviewSheetView::setGeometryOfSheet(const QRect &sheet, const QRect &printable, QSize contentSize)
{
    if (sheet.size() != m_sheet.size())
        m_cacheValid = false;
    m_sheet = sheet;
    m_printable = printable;
    resize(contentSize);
    update();
}

void PreviewSheetView::setPage(std::shared_ptr<const PagePicture> page)
{
    m_page = std::move(page);
    m_cacheValid = false;
    update();
}

void PreviewSheetView::playPage(QPainter &painter) const
{
    painter.fillRect(QRect(QPoint(0, 0), m_sheet.size()), Qt::white);
    if (!m_page || m_sheet.isEmpty())
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    m_page->play(painter, QRectF(QPointF(0, 0), QSizeF(m_sheet.size())));
}

const QPixmap &PreviewSheetView::pagePixmap()
{
    if (m_cacheValid)
        return m_cache;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(m_sheet.size()) * ratio).toSize();
    // Turning pages keeps the pixmap: fresh memory of a sheet's size costs
    // more to touch than the page costs to play.
    if (m_cache.size() != pixels.expandedTo(QSize(1, 1)))
        m_cache = QPixmap(pixels.expandedTo(QSize(1, 1)));
    m_cache.setDevicePixelRatio(ratio);
    {
        QPainter painter(&m_cache);
        playPage(painter);
    }
    m_cacheValid = true;
    return m_cache;
}

void PreviewSheetView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), kGroundColour);
    if (m_sheet.isEmpty())
        return;
    if (event->rect().intersects(m_sheet))
        painter.drawPixmap(m_sheet.topLeft(), pagePixmap());
    QPen dotted(kFrameColour, 1, Qt::DotLine);
    dotted.setCosmetic(true);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_printable.adjusted(0, 0, -1, -1));
}

QImage PreviewSheetView::sheetImage()
{
    return pagePixmap().toImage();
}

} // namespace vendara
