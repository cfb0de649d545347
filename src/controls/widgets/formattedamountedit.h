#pragma once

#include "controls/money.h"
#include "controls/widgets/formattedtextedit.h"

namespace vendara {

// A formatted edit holding a money amount.
class FormattedAmountEdit : public FormattedTextEdit
{
    Q_OBJECT

public:
    explicit FormattedAmountEdit(QWidget *parent = nullptr);

    // The text without the style's formatting as an amount; 0 when it is not
    // one, and always for the date and time styles.
    Money value() const;
    // The amount as plain decimal text, formatted by the style.
    void setValue(Money value);
};

} // namespace vendara
