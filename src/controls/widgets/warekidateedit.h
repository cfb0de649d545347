#pragma once

#include "controls/warekidatemodel.h"
#include "controls/widgets/calendarpopup.h"

#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace vendara {

class DateDigitsBox;
class EraButtons;

// The Japanese-era date edit: the era-name box with its
// spin, the digits box and the drop-down button of a month calendar. It
// shows a date in era form (令和06/05/17) or western form (2024/05/17), with
// or without the day, and always holds a plain calendar date. What each key
// and click does is WarekiDateModel's; this widget shows its state.
class WarekiDateEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY changed USER true)
    Q_PROPERTY(bool dayEnabled READ dayEnabled WRITE setDayEnabled)

public:
    // Holds today's date in era form with the day.
    explicit WarekiDateEdit(QWidget *parent = nullptr);
    ~WarekiDateEdit() override;

    QDate date() const { return m_model.date(); }
    // Clamped to the era table and redisplayed; raises changed().
    void setDate(const QDate &date);
    DateType dateType() const { return m_model.dateType(); }
    void setDateType(DateType type);
    bool dayEnabled() const { return m_model.dayEnabled(); }
    void setDayEnabled(bool enabled);
    CalendarColors calColors() const { return m_colors; }
    void setCalColors(const CalendarColors &colors);
    // Appends an era; an era out of order is refused with a warning.
    bool addEra(const QString &name, const QString &firstDayText);

    // The date as shown: the era name (in era form) and the digits.
    QString displayText() const;
    bool calendarOpen() const { return m_model.calendarOpen(); }
    // The drop-down calendar; created on first use.
    CalendarPopup *calendarPopup();

    QLineEdit *eraBox() const;
    QLineEdit *digitsBox() const;
    QToolButton *dropButton() const { return m_dropButton; }
    EraButtons *eraButtons() const { return m_eraButtons; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed(); // the date or its emptiness changed
    void entered(); // OnEnter: the focus came into the control
    void exited();  // the focus left the control
    void beeped();  // with each beep (a clamped part, an unknown era)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    enum class Select { Keep, Part };

    void apply(const DateEditEffect &effect, Select select = Select::Part);
    void sync(Select select);
    void placeParts();
    DateEditLayout currentLayout() const;
    bool digitsKey(QKeyEvent *event);
    bool eraKey(QKeyEvent *event);
    void digitsMouse(QMouseEvent *event);
    void onDigitsEdited();
    void onDigitsFocusIn(Qt::FocusReason reason);
    void onFocusOut(QWidget *part, Qt::FocusReason reason);
    void onEraFocusIn(Qt::FocusReason reason);
    void toggleCalendar();
    void followAncestors(bool on);
    // Closes an open calendar without a change.
    void cancelCalendar();
    void passNameOn();

    WarekiDateModel m_model;
    QLineEdit *m_eraBox;
    EraButtons *m_eraButtons;
    DateDigitsBox *m_digits;
    QToolButton *m_dropButton;
    CalendarPopup *m_popup = nullptr;
    CalendarColors m_colors;
    QString m_mask;
    QString m_reportedText; // the value screen readers were last told
    bool m_updating = false;
};

} // namespace vendara
