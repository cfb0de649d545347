#include "controls/widgets/valuessedit.h"

namespace vendara {

ValueSsEdit::ValueSsEdit(QWidget *parent)
    : SsEdit(parent)
{
}

Money ValueSsEdit::value() const
{
    return ssedit::value(text(), editOption().editStyle);
}

void ValueSsEdit::setValue(Money value)
{
    setFormattedText(value.toPlainText());
}

} // namespace vendara
