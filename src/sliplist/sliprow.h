#pragma once

#include "slipsummary.h"

#include <QString>

namespace vendara {

// One file of the slip index: its summary and the text a query searches,
// folded once when the row is made so that a keystroke only compares.
struct SlipRow
{
    SlipSummary summary;
    QString searchText;
};

// Every text column of the summary (and the error of a file that was not
// read), folded for searching, one column a line.
QString searchTextOf(const SlipSummary &summary);

inline SlipRow makeSlipRow(SlipSummary summary)
{
    QString text = searchTextOf(summary);
    return {std::move(summary), std::move(text)};
}

} // namespace vendara
