#pragma once

#include "sliprow.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace vendara {

// What the slip list shows: every condition that is set must hold.
struct SlipFilter
{
    // Words typed, all of which must appear in some text column
    // (foldForSearch: width, kana and case do not matter).
    QString query;
    std::optional<DocumentKind> kind; // nothing: estimates and orders
    QString staff;                    // empty: every staff member; else exactly this one
    QDate from;                       // issue dates from this day (invalid: no lower bound)
    QDate to;                         // up to this day (invalid: no upper bound)

    bool operator==(const SlipFilter &) const = default;
    // Only the query: a file that was not read can still be shown.
    bool onlyQuery() const { return !kind && staff.isEmpty() && !from.isValid() && !to.isValid(); }
};

// A filter made ready for many rows: the query folded and split once.
class SlipMatcher
{
public:
    explicit SlipMatcher(const SlipFilter &filter);
    // A file that was not read has no kind, staff or date: it is shown only
    // while no condition but the query is set, when its name or error
    // matches.
    bool matches(const SlipRow &row) const;
    // Whether every row this matcher takes is also taken by `wider`: a
    // keystroke that adds to the query need only look at the rows shown.
    bool narrows(const SlipMatcher &wider) const;

private:
    SlipFilter m_filter;
    QStringList m_words;
};

} // namespace vendara
