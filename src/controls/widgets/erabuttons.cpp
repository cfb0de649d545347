#include "controls/widgets/erabuttons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace vendara {

EraButtons::EraButtons(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

QSize EraButtons::sizeHint() const
{
    return QSize(14, 20);
}

QRect EraButtons::halfRect(Half half) const
{
    const int top = height() / 2;
    return half == Half::Up ? QRect(0, 0, width(), top) : QRect(0, top, width(), height() - top);
}

void EraButtons::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (Half half : {Half::Up, Half::Down}) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halfRect(half);
        button.state |= m_pressed == half ? QStyle::State_Sunken : QStyle::State_Raised;
        if (!button.rect.contains(mapFromGlobal(QCursor::pos())))
            button.state &= ~QStyle::State_MouseOver;
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &button, &painter, this);
        QStyleOption arrow = button;
        arrow.rect = button.rect.adjusted(2, 1, -2, -1);
        style()->drawPrimitive(half == Half::Up ? QStyle::PE_IndicatorArrowUp
                                                : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

void EraButtons::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = halfRect(Half::Up).contains(event->position().toPoint()) ? Half::Up : Half::Down;
    update();
    if (m_pressed == Half::Up)
        emit upClicked();
    else
        emit downClicked();
}

void EraButtons::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = Half::None;
    update();
    QWidget::mouseReleaseEvent(event);
}

} // namespace vendara
