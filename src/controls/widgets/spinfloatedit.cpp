#include "controls/widgets/spinfloatedit.h"

#include "controls/widgets/accessiblename.h"
#include "controls/widgets/messagepopup.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QWheelEvent>

namespace vendara {

SpinFloatEdit::SpinFloatEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
    , m_edit(new FloatEdit(this))
{
    setLineEdit(m_edit);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(false);
}

void SpinFloatEdit::setEditorEnabled(bool enabled)
{
    m_editorEnabled = enabled;
    updateEditorReadOnly();
}

void SpinFloatEdit::setReadOnly(bool readOnly)
{
    QAbstractSpinBox::setReadOnly(readOnly);
    updateEditorReadOnly();
}

void SpinFloatEdit::updateEditorReadOnly()
{
    m_edit->setReadOnly(isReadOnly() || !m_editorEnabled);
}

QAbstractSpinBox::StepEnabled SpinFloatEdit::stepEnabled() const
{
    // Always both: a step at a limit is clamped there, and a step in a
    // read-only edit beeps.
    if (!isEnabled())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

void SpinFloatEdit::stepBy(int steps)
{
    if (steps == 0)
        return;
    const int direction = steps > 0 ? +1 : -1;
    if (isSignalConnected(QMetaMethod::fromSignal(&SpinFloatEdit::computedIncrement))) {
        emit computedIncrement(direction);
        return;
    }
    const floatedit::ValueWrite stepped = floatedit::step(m_edit->text(), direction, m_increment,
                                                          isReadOnly(), m_edit->config());
    if (stepped.feedback.beep) {
        QApplication::beep();
        emit beeped();
    }
    showControlWarning(this, stepped.feedback.message);
    if (stepped.text != m_edit->text())
        m_edit->setText(stepped.text);
    if (m_edit->hasFocus() || hasFocus())
        m_edit->selectAll();
}

void SpinFloatEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (m_editorEnabled)
            QAbstractSpinBox::keyPressEvent(event);
        else
            event->accept();
        return;
    default:
        // Enter, Esc and typing go through the edit's own rules.
        passToEdit(event);
        return;
    }
}

void SpinFloatEdit::inputMethodEvent(QInputMethodEvent *event)
{
    passToEdit(event);
}

void SpinFloatEdit::passToEdit(QEvent *event)
{
    // Straight to the edit's handler, not through the application: a key the
    // edit leaves would otherwise come back to this box as its parent and be
    // handed to the edit again, without end. A key left here goes on to the
    // box's own parents as usual.
    static_cast<QObject *>(m_edit)->event(event);
}

void SpinFloatEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = m_edit->createFilteredContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void SpinFloatEdit::wheelEvent(QWheelEvent *event)
{
    if (!m_editorEnabled || !hasFocus()) {
        event->ignore(); // scrolls the page around it
        return;
    }
    QAbstractSpinBox::wheelEvent(event);
}

bool SpinFloatEdit::event(QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::FocusIn)
        passNameOn();
    return QAbstractSpinBox::event(event);
}

void SpinFloatEdit::passNameOn()
{
    nameInnerPart(m_edit, effectiveAccessibleName(this));
}

QSize SpinFloatEdit::sizeHint() const
{
    QSize size = QAbstractSpinBox::sizeHint();
    const QFontMetrics fm(font());
    const int textWidth = std::max(fm.horizontalAdvance(m_edit->text()),
                                   fm.horizontalAdvance(floatedit::formatValue(minimum(), m_edit->config())));
    size.setWidth(std::max(size.width(), textWidth + fm.horizontalAdvance(u'0') * 2 + 32));
    return size;
}

QSize SpinFloatEdit::minimumSizeHint() const
{
    return QAbstractSpinBox::minimumSizeHint();
}

} // namespace vendara
