#include "controls/widgets/datedigitsbox.h"

#include "controls/widgets/inputmethodguard.h"

#include <QFocusEvent>
#include <QStyleOptionFrame>

namespace vendara {

DateDigitsBox::DateDigitsBox(QWidget *parent)
    : QLineEdit(parent)
{
    setFrame(false);
    takeAsciiNumbers(this);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

int DateDigitsBox::textLeft() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this)
                               .marginsRemoved(textMargins());
    constexpr int kLineEditHorizontalMargin = 2; // QLineEdit's own inner margin
    return contents.left() + kLineEditHorizontalMargin;
}

void DateDigitsBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focusEntered(event->reason());
}

void DateDigitsBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLeft(event->reason());
}

} // namespace vendara
