#pragma once

#include <QLineEdit>

namespace vendara {

// The digits box of a date edit: a frameless masked line edit with input
// methods off. Full-width digits that still arrive in a commit string are
// taken as ASCII digits. Focus changes are reported after the line edit has
// handled them, so the owner's selection wins over the line edit's own.
class DateDigitsBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateDigitsBox(QWidget *parent = nullptr);

    // x of the first character's left edge, in the box's coordinates.
    int textLeft() const;

signals:
    void focusEntered(Qt::FocusReason reason);
    void focusLeft(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace vendara
