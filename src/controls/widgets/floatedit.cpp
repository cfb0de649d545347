#include "controls/widgets/floatedit.h"
#include "controls/widgets/inputmethodguard.h"

#include "common/error.h"
#include "controls/widgets/messagepopup.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace vendara {

FloatEdit::FloatEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);
    setText(floatedit::formatValue(0, m_config));
}

double FloatEdit::value() const
{
    return floatedit::readValue(text(), m_config);
}

void FloatEdit::setValue(double value)
{
    const floatedit::ValueWrite written = floatedit::writeValue(value, m_config);
    setText(written.text);
    showFeedback(written.feedback);
}

void FloatEdit::setMinimum(double minimum)
{
    if (const std::optional<QString> refused = m_config.range.setMin(minimum))
        throw Error(*refused);
    reformat();
}

void FloatEdit::setMaximum(double maximum)
{
    if (const std::optional<QString> refused = m_config.range.setMax(maximum))
        throw Error(*refused);
    reformat();
}

void FloatEdit::setRange(double minimum, double maximum)
{
    // Set in the order that never crosses the limits on the way.
    if (minimum > m_config.range.max()) {
        setMaximum(maximum);
        setMinimum(minimum);
    } else {
        setMinimum(minimum);
        setMaximum(maximum);
    }
}

void FloatEdit::setDigits(int digits)
{
    m_config.digits = digits;
    reformat();
}

void FloatEdit::setSupportsThousandSeparator(bool on)
{
    m_config.supportsThousandSeparator = on;
    reformat();
}

void FloatEdit::setErrorMessage(const QString &message)
{
    m_config.errorMessage = message;
}

void FloatEdit::reformat()
{
    setValue(value());
}

FloatEditText FloatEdit::state() const
{
    if (hasSelectedText())
        return FloatEditText{text(), selectionStart(), selectionLength()};
    return FloatEditText{text(), cursorPosition(), 0};
}

void FloatEdit::applyState(const FloatEditText &s)
{
    if (text() != s.text)
        setText(s.text);
    if (s.selLength > 0)
        setSelection(int(s.selStart), int(s.selLength));
    else
        setCursorPosition(int(s.selStart));
}

void FloatEdit::showFeedback(const ControlFeedback &feedback)
{
    if (feedback.beep) {
        QApplication::beep();
        emit beeped();
    }
    if (feedback.hasMessage())
        showControlWarning(this, feedback.message);
}

void FloatEdit::pasteText(const QString &clip)
{
    if (isReadOnly())
        return;
    applyState(floatedit::paste(state(), clip, m_config));
}

void FloatEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteText(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    QChar key;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = u'\r';
        break;
    case Qt::Key_Escape:
        key = QChar(0x1B);
        break;
    default:
        break;
    }
    if (!key.isNull()) {
        const floatedit::KeyResult r = floatedit::typeKey(state(), key, m_config);
        if (r.kind == floatedit::KeyResult::Kind::EnterPressed)
            emit enterPressed();
        else if (r.kind == floatedit::KeyResult::Kind::Restore)
            applyState(floatedit::restore(m_remembered, m_config));
        event->accept();
        return;
    }

    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().unicode() >= 0x20
                           && typed.front().unicode() != 0x7F;
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!printable || command) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (isReadOnly())
        return;
    applyState(floatedit::typeText(state(), typed, m_config).state);
}

void FloatEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const bool typed = typeCommittedText(this, event, [this](const QString &text) {
        applyState(floatedit::typeText(state(), text, m_config).state);
    });
    if (!typed)
        QLineEdit::inputMethodEvent(event);
}

void FloatEdit::focusInEvent(QFocusEvent *event)
{
    // The first focus of a window comes with ActiveWindowFocusReason too;
    // only a return from another window or a popup is no entering.
    const bool entering = !m_inside;
    if (entering) {
        m_inside = true;
        m_remembered = value();
    }
    QLineEdit::focusInEvent(event);
    if (entering)
        emit entered();
}

void FloatEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const floatedit::LeaveResult left = floatedit::leave(text(), m_remembered, m_config);
    applyState(left.state);
    if (left.accepted) {
        m_inside = false;
        emit exited();
        return;
    }
    showFeedback(left.feedback);
    // The focus stays: taken back once the focus change has finished.
    QPointer<FloatEdit> self(this);
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

QMenu *FloatEdit::createFilteredContextMenu()
{
    QMenu *menu = createStandardContextMenu();
    const QString pasteKey = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (action->objectName() == u"edit-paste"
            || (!pasteKey.isEmpty() && action->text().endsWith(pasteKey))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteText(QApplication::clipboard()->text()); });
        }
    }
    return menu;
}

void FloatEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createFilteredContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FloatEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        pasteText(QApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FloatEdit::hideEvent(QHideEvent *event)
{
    // Shown again later, the control is entered afresh.
    m_inside = false;
    QLineEdit::hideEvent(event);
}

} // namespace vendara
