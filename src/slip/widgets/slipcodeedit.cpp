#include "slipcodeedit.h"

#include "controls/fullwidth.h"
#include "controls/widgets/accessiblename.h"
#include "controls/widgets/inputmethodguard.h"
#include "slip/slipcode.h"

#include <QEvent>
#include <QLineEdit>

namespace vendara {

SlipCodeEdit::SlipCodeEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    lineEdit()->setInputMask(QStringLiteral("99999999; "));
    switchInputMethodOff(this);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit codeEdited(code()); });
}

QString SlipCodeEdit::code() const
{
    return lineEdit()->displayText();
}

void SlipCodeEdit::setCode(const QString &code)
{
    if (code != this->code())
        lineEdit()->setText(code);
}

void SlipCodeEdit::stepBy(int steps)
{
    const std::optional<QString> next = steppedSlipCode(code(), steps);
    if (!next)
        return;
    lineEdit()->setText(*next);
    selectAll();
    emit codeEdited(*next);
}

QValidator::State SlipCodeEdit::validate(QString &input, int &) const
{
    // Full-width digits (pasted, dropped) count as the digits they stand for.
    input = foldFullWidthNumber(input);
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SlipCodeEdit::stepEnabled() const
{
    return steppedSlipCode(code(), 1) ? StepUpEnabled | StepDownEnabled : StepNone;
}

bool SlipCodeEdit::event(QEvent *event)
{
    // The edit inside is what a screen reader lands on: it carries the name.
    if (event->type() == QEvent::Show || event->type() == QEvent::FocusIn)
        nameInnerPart(lineEdit(), effectiveAccessibleName(this));
    return QAbstractSpinBox::event(event);
}

} // namespace vendara
