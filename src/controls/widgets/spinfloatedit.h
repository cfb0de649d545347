#pragma once

#include "controls/widgets/floatedit.h"

#include <QAbstractSpinBox>

namespace vendara {

// A numeric edit with spin buttons: the buttons and the
// up and down arrow keys step the value by Increment, clamped to the
// limits, or raise computedIncrement() instead when something is connected
// to it. With the editor disabled nothing can be typed and the arrow keys do
// nothing; only the buttons step. A read-only edit only beeps on a step.
class SpinFloatEdit : public QAbstractSpinBox
{
    Q_OBJECT
    // For screen readers, which read a spin box's value and limits from
    // these properties.
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double minimum READ minimum)
    Q_PROPERTY(double maximum READ maximum)
    Q_PROPERTY(double increment READ increment WRITE setIncrement)
    Q_PROPERTY(bool editorEnabled READ editorEnabled WRITE setEditorEnabled)

public:
    explicit SpinFloatEdit(QWidget *parent = nullptr);

    FloatEdit *floatEdit() const { return m_edit; }

    double value() const { return m_edit->value(); }
    void setValue(double value) { m_edit->setValue(value); }
    double minimum() const { return m_edit->minimum(); }
    double maximum() const { return m_edit->maximum(); }

    double increment() const { return m_increment; }
    void setIncrement(double increment) { m_increment = increment; }
    bool editorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool enabled);
    void setReadOnly(bool readOnly);

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // OnComputedIncrement: +1 for up, -1 for down. When connected, it
    // replaces the built-in step.
    void computedIncrement(int direction);
    void beeped(); // a step in a read-only edit

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool event(QEvent *event) override;

private:
    void passToEdit(QEvent *event);
    void updateEditorReadOnly();
    void passNameOn();

    FloatEdit *m_edit;
    double m_increment = 1;
    bool m_editorEnabled = true;
};

} // namespace vendara
