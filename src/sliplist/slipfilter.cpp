#include "slipfilter.h"

#include "searchfold.h"

namespace vendara {

SlipMatcher::SlipMatcher(const SlipFilter &filter) : m_filter(filter), m_words(searchWords(filter.query)) {}

bool SlipMatcher::matches(const SlipRow &row) const
{
    const SlipSummary &s = row.summary;
    if (!m_filter.onlyQuery()) {
        if (!s.isReadable())
            return false;
        if (m_filter.kind && s.kind != *m_filter.kind)
            return false;
        if (!m_filter.staff.isEmpty() && s.staff != m_filter.staff)
            return false;
        if ((m_filter.from.isValid() || m_filter.to.isValid()) && !s.issueDate.isValid())
            return false;
        if (m_filter.from.isValid() && s.issueDate < m_filter.from)
            return false;
        if (m_filter.to.isValid() && s.issueDate > m_filter.to)
            return false;
    }
    for (const QString &word : m_words)
        if (!row.searchText.contains(word))
            return false;
    return true;
}

bool SlipMatcher::narrows(const SlipMatcher &wider) const
{
    const SlipFilter &w = wider.m_filter;
    if (m_filter.kind != w.kind || m_filter.staff != w.staff || m_filter.from != w.from || m_filter.to != w.to)
        return false;
    // Each word of the wider query must be within some word of this one.
    for (const QString &old : wider.m_words) {
        bool within = false;
        for (const QString &word : m_words)
            within = within || word.contains(old);
        if (!within)
            return false;
    }
    return true;
}

} // namespace vendara
