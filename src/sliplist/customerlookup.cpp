#include "customerlookup.h"

#include "searchfold.h"
#include "slipindex.h"

#include <QHash>

#include <algorithm>

namespace vendara {

namespace {

QString digitsOf(const QString &text)
{
    QString digits;
    for (QChar c : foldForSearch(text))
        if (c.isDigit())
            digits += c;
    return digits;
}

// Newer slips first: by issue date, then by modification.
bool newer(const SlipSummary &a, const SlipSummary &b)
{
    if (a.issueDate != b.issueDate)
        return a.issueDate > b.issueDate;
    return a.stamp.modifiedMs > b.stamp.modifiedMs;
}

} // namespace

QString CustomerEntry::postalCode() const
{
    return joinedPostalCode(zip1, zip2);
}

QString CustomerEntry::address() const
{
    return joinedAddress(prefecture, address1, address2);
}

std::vector<CustomerEntry> distinctCustomers(const SlipIndex &index)
{
    std::vector<const SlipSummary *> slips;
    for (int id = 0; id < index.idCount(); ++id) {
        const SlipSummary &s = index.summary(id);
        if (index.isPresent(id) && s.isReadable() && !s.customerName.trimmed().isEmpty())
            slips.push_back(&s);
    }
    std::stable_sort(slips.begin(), slips.end(), [](const SlipSummary *a, const SlipSummary *b) { return newer(*a, *b); });

    std::vector<CustomerEntry> entries;
    QHash<QString, size_t> entryOfKey;
    for (const SlipSummary *s : slips) {
        const QString key = foldForSearch(s->customerName.simplified()) + u'\n' + digitsOf(s->zip1 + s->zip2) + u'\n'
                            + foldForSearch(s->address()).remove(u' ') + u'\n' + digitsOf(s->tel);
        const auto found = entryOfKey.constFind(key);
        if (found != entryOfKey.cend()) {
            ++entries[*found].slipCount;
            continue;
        }
        entryOfKey.insert(key, entries.size());
        CustomerEntry e;
        e.name = s->customerName;
        e.title = s->customerTitle;
        e.zip1 = s->zip1;
        e.zip2 = s->zip2;
        e.prefecture = s->prefecture;
        e.address1 = s->address1;
        e.address2 = s->address2;
        e.tel = s->tel;
        e.lastIssueDate = s->issueDate;
        e.lastModifiedMs = s->stamp.modifiedMs;
        e.lastSlipPath = s->path;
        e.slipCount = 1;
        e.searchText = foldForSearch(e.name + u'\n' + e.postalCode() + u'\n' + e.address() + u'\n' + e.tel);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<const CustomerEntry *> filterCustomers(const std::vector<CustomerEntry> &entries, const QString &query)
{
    const QStringList words = searchWords(query);
    std::vector<const CustomerEntry *> shown;
    for (const CustomerEntry &e : entries) {
        const bool all = std::all_of(words.begin(), words.end(),
                                     [&e](const QString &word) { return e.searchText.contains(word); });
        if (all)
            shown.push_back(&e);
    }
    return shown;
}

} // namespace vendara
