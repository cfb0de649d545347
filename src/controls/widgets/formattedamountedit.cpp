#include "controls/widgets/formattedamountedit.h"

namespace vendara {

FormattedAmountEdit::FormattedAmountEdit(QWidget *parent)
    : FormattedTextEdit(parent)
{
}

Money FormattedAmountEdit::value() const
{
    return formattededit::value(text(), editOption().editStyle);
}

void FormattedAmountEdit::setValue(Money value)
{
    setFormattedText(value.toPlainText());
}

} // namespace vendara
