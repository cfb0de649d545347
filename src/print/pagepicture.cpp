#include "pagepicture.h"

#include "common/atomicfile.h"

#include <QFile>

namespace vendara {

PagePicture::PagePicture(QSize pageSize)
    : m_pageSize(pageSize), m_picture(std::make_unique<QPicture>()),
      m_painter(std::make_unique<QPainter>(m_picture.get()))
{
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->setBackgroundMode(Qt::TransparentMode);
}

PagePicture::PagePicture(PagePicture &&) noexcept = default;
PagePicture &PagePicture::operator=(PagePicture &&) noexcept = default;

PagePicture::~PagePicture()
{
    if (m_painter)
        m_painter->end();
}

QPainter &PagePicture::painter()
{
    Q_ASSERT(m_painter);
    return *m_painter;
}

void PagePicture::finishRecording()
{
    if (!m_painter)
        return;
    // Written into the picture's header when the painter ends.
    m_picture->setBoundingRect(QRect(QPoint(0, 0), m_pageSize));
    m_painter->end();
    m_painter.reset();
}

QByteArray PagePicture::data() const
{
    Q_ASSERT(!m_painter);
    return QByteArray(m_picture->data(), qsizetype(m_picture->size()));
}

qsizetype PagePicture::byteSize() const
{
    return m_picture ? qsizetype(m_picture->size()) : 0;
}

void PagePicture::save(const QString &path) const
{
    saveFileAtomically(path, data());
}

std::optional<PagePicture> PagePicture::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    PagePicture page;
    page.m_picture = std::make_unique<QPicture>();
    page.m_picture->setData(bytes.constData(), uint(bytes.size()));
    const QRect bounds = page.m_picture->boundingRect();
    if (page.m_picture->isNull() || bounds.isEmpty())
        return std::nullopt;
    page.m_pageSize = bounds.size();
    return page;
}

void PagePicture::play(QPainter &painter, const QRectF &target) const
{
    Q_ASSERT(!m_painter);
    drawPictureStretched(painter, *m_picture, QRectF(QPointF(0, 0), QSizeF(m_pageSize)), target);
}

void drawPictureStretched(QPainter &painter, const QPicture &picture, const QRectF &source, const QRectF &target)
{
    if (source.width() <= 0 || source.height() <= 0)
        return;
    const QPaintDevice *device = painter.device();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / source.width(), target.height() / source.height());
    painter.translate(-source.topLeft());
    // QPicture::play scales by device dpi / picture dpi; take that back out.
    painter.scale(qreal(picture.logicalDpiX()) / device->logicalDpiX(),
                  qreal(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace vendara
