#include "controls/widgets/formattedtextedit.h"
#include "controls/widgets/inputmethodguard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace vendara {

FormattedTextEdit::FormattedTextEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void FormattedTextEdit::setEditOption(const FormatOptions &option)
{
    m_option = option;
}

void FormattedTextEdit::setText(const QString &text)
{
    if (m_formatNextText) {
        m_formatNextText = false;
        setFormattedText(text);
        return;
    }
    QLineEdit::setText(text);
}

void FormattedTextEdit::setFormattedText(const QString &text)
{
    m_formatNextText = false;
    QLineEdit::setText(formattededit::formatForAssignment(text, m_option, now()));
}

QDateTime FormattedTextEdit::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

formattededit::EditedText FormattedTextEdit::state() const
{
    if (hasSelectedText())
        return {text(), selectionStart(), selectionLength()};
    return {text(), cursorPosition(), 0};
}

void FormattedTextEdit::applyState(const formattededit::EditedText &s)
{
    if (text() != s.text)
        QLineEdit::setText(s.text);
    if (s.selLength > 0)
        setSelection(int(s.selStart), int(s.selLength));
    else
        setCursorPosition(int(s.selStart));
}

void FormattedTextEdit::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_option.moveByEnter) {
        focusNextPrevChild(!(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().unicode() >= 0x20
                           && typed.front().unicode() != 0x7F;
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!printable || command || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    applyState(formattededit::typeText(state(), typed, m_option).state);
    event->accept();
}

void FormattedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const bool typed = typeCommittedText(this, event, [this](const QString &text) {
        applyState(formattededit::typeText(state(), text, m_option).state);
    });
    if (!typed)
        QLineEdit::inputMethodEvent(event);
}

void FormattedTextEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The first focus of a window comes with ActiveWindowFocusReason too;
    // only a return from another window or a popup is no entering.
    if (m_inside)
        return;
    m_inside = true;
    if (!text().isEmpty()) {
        QLineEdit::setText(formattededit::unformat(text(), m_option.editStyle));
        selectAll();
    }
    emit entered();
}

void FormattedTextEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const formattededit::LeaveResult left = formattededit::leave(text(), m_option, now());
    if (left.valid) {
        m_inside = false;
        QLineEdit::setText(left.text);
        emit exited();
        return;
    }
    emit invalid(left.message);
    QPointer<FormattedTextEdit> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self)
            return;
        if (!self->isVisible() || !self->isEnabled()) {
            self->m_inside = false;
            return;
        }
        self->setFocus(Qt::OtherFocusReason);
        self->selectAll();
    });
}

void FormattedTextEdit::hideEvent(QHideEvent *event)
{
    // Shown again later, the control is entered afresh.
    m_inside = false;
    QLineEdit::hideEvent(event);
}

} // namespace vendara
