#pragma once

#include "controls/controlfeedback.h"
#include "controls/eratable.h"

#include <QDate>
#include <QRect>
#include <QString>

#include <optional>
#include <utility>

namespace vendara {

// What a date-edit operation asks of its widget.
struct DateEditEffect
{
    ControlFeedback feedback; // beep and/or an error message to show
    bool changed = false;     // raise the change notification
};

// Positions of the parts of a date edit, from the measured texts.
struct DateEditLayout
{
    QSize size;
    QRect eraBox;     // empty in western form
    QRect spin;       // empty in western form
    QRect digitsBox;
    QRect dropButton;
};

// The state of one Japanese-era date edit and what each
// key and mouse action does to it, without any display. A widget shows
// eraNameText() and digitsText(), highlights selection(), forwards its
// events to the operations below and acts on the returned effects.
class WarekiDateModel
{
public:
    enum class Focus { Outside, EraBox, Digits };
    enum Part { Year = 0, Month = 1, Day = 2 };

    // A new edit holds `today` in era form with days, using the built-in eras.
    explicit WarekiDateModel(const QDate &today);

    // --- properties ---
    QDate date() const { return m_date; }
    DateType dateType() const { return m_type; }
    bool dayEnabled() const { return m_dayEnabled; }
    const EraTable &eras() const { return m_eras; }
    int eraIndex() const { return m_eraIndex; }
    int selectedPart() const { return m_part; }
    Focus focus() const { return m_focus; }
    QString eraNameText() const { return m_eraNameText; }
    // The digits box's text as shown: blanks as spaces, separators in place.
    QString digitsText() const { return m_digitsText; }
    // Start and length of the highlighted part in digitsText().
    std::pair<int, int> selection() const;
    // The highest era index, the upper end of the era spin's range.
    int spinMaximum() const { return m_eras.size() - 1; }
    bool calendarOpen() const { return m_calendarOpen; }
    QDate calendarDate() const { return m_calendarDate; }

    // Clamps to the era table's range (a year-and-month date becomes the
    // first of its month) and rewrites both boxes.
    DateEditEffect setDate(const QDate &date);
    // Switches the form; the date is kept and redisplayed.
    DateEditEffect setDateType(DateType type);
    // Adds or drops the day; the date is redisplayed (day 1 without day).
    DateEditEffect setDayEnabled(bool enabled);
    // Appends an era; the warning EraTable::kOutOfOrderMessage when refused.
    std::optional<QString> addEra(const QString &name, const QString &firstDayText);

    // --- digits box ---
    void enterDigits();
    // The user changed the digits text: it is read into the date and stays
    // as typed. No change notification until the edit is left.
    DateEditEffect editDigits(const QString &text);
    DateEditEffect digitsUp();
    DateEditEffect digitsDown();
    void digitsRight();
    // Left arrow without a modifier key.
    void digitsLeft();
    // A click at x (pixels from the text's left edge), with the measured
    // widths of partMeasureTexts().
    DateEditEffect clickDigits(int x, int yearWidth, int yearMonthWidth);
    // A key pressed in the digits box (before its text changes): closes an
    // open calendar and takes its date.
    DateEditEffect keyInDigits();

    // The texts whose widths separate the parts: {"00/", "00/00/"} in era
    // form, {"0000/", "0000/00/"} in western form.
    static std::pair<QString, QString> partMeasureTexts(DateType type);
    static int partAt(int x, int yearWidth, int yearMonthWidth, bool dayEnabled);

    // The digits box loses the focus to another part of the control (the
    // era-name box): an open calendar is closed and its date taken, as when
    // the control is left.
    DateEditEffect digitsLostFocus();

    // --- era-name box and spin ---
    // The era-name box gets the focus (Left/Right from the digits box, a
    // click); coming from the digits box, call digitsLostFocus() first.
    void enterEraBox();
    // Up arrow / spin up: the next newer era; down: the previous one; both
    // stop at the ends of the table. An open calendar is closed and its date
    // taken first, so the step acts on the date the calendar shows.
    DateEditEffect eraUp();
    DateEditEffect eraDown();
    // Right arrow or Enter in the era-name box.
    void eraBoxToDigits();

    // Leaving the whole control: an open calendar is closed and taken, then
    // the date is redisplayed in normalised form.
    DateEditEffect leave();

    // --- drop-down calendar ---
    // Opens (with the current date, the focus put into the digits box) or
    // closes the calendar.
    void toggleCalendar();
    // A day clicked in the calendar: another day than the one remembered
    // closes the calendar and becomes the date.
    DateEditEffect calendarDayClicked(const QDate &day);
    // The calendar moved to another month; its selection becomes the
    // remembered date.
    void calendarMonthMoved(const QDate &selection);
    // The calendar shows another month: its selection moves into it (the
    // same day, clamped to the month's length) and is returned.
    QDate calendarPageMoved(int year, int month);
    // Esc while the calendar is open: it closes and nothing changes.
    void cancelCalendar();

    // --- appearance ---
    // Qt input mask of the digits box: "00/00/00; " and the like.
    static QString digitsInputMask(DateType type, bool dayEnabled);
    // Layout from the width of the era name, of the digits text and the text
    // height, measured in the control's font.
    static DateEditLayout layout(DateType type, int eraNameWidth, int digitsWidth,
                                 int textHeight);

private:
    int lastPart() const { return m_dayEnabled ? Day : Month; }
    DateEditEffect stepPart(int delta);
    DateEditEffect stepEra(int delta);
    DateEditEffect closeCalendarAndTake();
    // Reads the boxes' texts into the date.
    DateEditEffect readTexts();
    // A year-and-month date is the first of its month, but never before the
    // first day of the oldest era.
    QDate withDayRule(const QDate &date) const;

    EraTable m_eras;
    QDate m_date;
    DateType m_type = DateType::Era;
    bool m_dayEnabled = true;
    int m_eraIndex = 0;
    int m_part = Year;
    Focus m_focus = Focus::Outside;
    QString m_eraNameText;
    QString m_digitsText;
    bool m_calendarOpen = false;
    QDate m_calendarDate;
};

} // namespace vendara
