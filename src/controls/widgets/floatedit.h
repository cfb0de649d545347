#pragma once

#include "controls/floatedit.h"

#include <QLineEdit>

class QMenu;

namespace vendara {

// A numeric edit: a value between Minimum and Maximum
// with a fixed number of decimals. Only numbers can be typed; leaving with
// a value that is not a number or out of range restores the value from
// entry and keeps the focus. Full-width digits from an input method count
// as their ASCII digits.
class FloatEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int digits READ digits WRITE setDigits)
    Q_PROPERTY(bool supportsThousandSeparator READ supportsThousandSeparator WRITE
                   setSupportsThousandSeparator)
    Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage)

public:
    explicit FloatEdit(QWidget *parent = nullptr);

    double value() const;
    // Clamped to [minimum, maximum]; a clamp shows errorMessage when set.
    void setValue(double value);

    double minimum() const { return m_config.range.min(); }
    double maximum() const { return m_config.range.max(); }
    // Throw vendara::Error when the limits would cross; the value is
    // re-clamped.
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    void setRange(double minimum, double maximum);

    int digits() const { return m_config.digits; }
    void setDigits(int digits);
    bool supportsThousandSeparator() const { return m_config.supportsThousandSeparator; }
    void setSupportsThousandSeparator(bool on);
    QString errorMessage() const { return m_config.errorMessage; }
    void setErrorMessage(const QString &message);

    const FloatEditConfig &config() const { return m_config; }

    // Pastes `text` over the selection by the paste rule.
    void pasteText(const QString &text);
    // The usual context menu, its Paste going through the paste rule.
    QMenu *createFilteredContextMenu();

signals:
    void enterPressed(); // Enter pressed in the field
    void entered();      // the focus came in
    void exited();       // left with an accepted value
    void beeped();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    FloatEditText state() const;
    void applyState(const FloatEditText &state);
    void showFeedback(const ControlFeedback &feedback);
    void reformat();

    FloatEditConfig m_config;
    double m_remembered = 0;
    bool m_inside = false; // entered and not yet left
};

} // namespace vendara
