#include "settings/widgets/blockpictureview.h"

#include "printsettings/companyblock.h"

#include <QPainter>

namespace vendara {

BlockPictureView::BlockPictureView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BlockPictureView::setPicture(const QPicture &picture)
{
    m_picture = picture;
    m_empty = false;
    update();
}

void BlockPictureView::clear()
{
    m_picture = QPicture();
    m_empty = true;
    update();
}

void BlockPictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_empty)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(double(width()) / companyblock::kWidth, double(height()) / companyblock::kHeight);
    painter.drawPicture(0, 0, m_picture);
}

} // namespace vendara
