#pragma once

#include "controls/formattededit.h"

#include <QDateTime>
#include <QLineEdit>

#include <functional>

namespace vendara {

// A formatted edit: shows its text formatted by the style of its
// options (thousands grouping, the yen prefix, date or time separators),
// removes the formatting while the user edits and validates on leaving. A
// failed validation is reported through invalid(), the text
// stays as typed, all of it is selected and the focus stays.
class FormattedTextEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FormattedTextEdit(QWidget *parent = nullptr);

    const FormatOptions &editOption() const { return m_option; }
    void setEditOption(const FormatOptions &option);

    // The first text assignment is formatted by the style (errors not
    // reported); later ones set the text unchanged.
    void setText(const QString &text);

    // The clock that completes dates and times typed in the easy input
    // method; the system clock by default.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

signals:
    void invalid(const QString &message); // the text left the field not valid
    void entered();
    void exited(); // left with a valid text

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    QDateTime now() const;
    // Sets the text formatted by the style, as SetValue does.
    void setFormattedText(const QString &text);

private:
    formattededit::EditedText state() const;
    void applyState(const formattededit::EditedText &state);

    FormatOptions m_option;
    bool m_formatNextText = true;
    bool m_inside = false; // entered and not yet left
    std::function<QDateTime()> m_clock;
};

} // namespace vendara
