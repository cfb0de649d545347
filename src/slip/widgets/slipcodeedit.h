#pragma once

#include <QAbstractSpinBox>

namespace vendara {

// "伝票番号": eight digit positions with a spin button. Unfilled positions
// are blanks and belong to the text. The spin and the arrow keys step a
// whole number, wrapping at either end; they do nothing on unfilled text.
class SlipCodeEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit SlipCodeEdit(QWidget *parent = nullptr);

    // The eight positions, blanks included.
    QString code() const;
    void setCode(const QString &code);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;

signals:
    // The user typed or stepped.
    void codeEdited(const QString &code);

protected:
    StepEnabled stepEnabled() const override;
    bool event(QEvent *event) override;
};

} // namespace vendara
