#pragma once

#include "controls/widgets/calendarcolors.h"

#include <QDate>
#include <QFrame>

class QCalendarWidget;

namespace vendara {

// The month calendar of a date edit: a top-most tool window with a thin
// border and no caption that never takes the focus, so the form keeps it
// while the calendar is open.
class CalendarPopup : public QFrame
{
    Q_OBJECT

public:
    explicit CalendarPopup(QWidget *owner);

    QCalendarWidget *calendar() const { return m_calendar; }
    void setRange(const QDate &minimum, const QDate &maximum);
    // Shows `date` selected on its month without raising pageMoved().
    void showDate(const QDate &date);
    // Opens with the top-left corner at `topLeft` (global coordinates).
    void popUp(const QPoint &topLeft);
    void setColors(const CalendarColors &colors);

signals:
    void dayClicked(const QDate &day);
    void pageMoved(int year, int month);

private:
    QCalendarWidget *m_calendar;
    bool m_settingDate = false;
};

} // namespace vendara
