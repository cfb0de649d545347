#pragma once

#include <QColor>

namespace vendara {

// Colours of a date edit's drop-down calendar (CalColors). An invalid
// colour keeps the style's own.
struct CalendarColors
{
    QColor background;      // around the month
    QColor text;            // the days
    QColor titleBackground; // the month and year bar
    QColor titleText;
    QColor monthBackground; // behind the days
    QColor trailingText;    // the days of the months before and after

    bool operator==(const CalendarColors &) const = default;
};

} // namespace vendara
