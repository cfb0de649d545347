#include "sliplistmodel.h"

#include "slipindex.h"

#include "controls/datepattern.h"

#include <QCollator>
#include <QColor>
#include <QLocale>

#include <algorithm>

namespace vendara {

SlipListModel::SlipListModel(SlipIndex &index, QObject *parent)
    : QAbstractTableModel(parent),
      m_index(index),
      m_matcher(m_filter),
      m_order(SlipColumn::Modified, true),
      m_datePattern(kWesternDatePattern)
{
    for (int id = 0; id < m_index.idCount(); ++id)
        if (m_index.isPresent(id))
            m_ordered.push_back(id);
    std::sort(m_ordered.begin(), m_ordered.end(), [this](int a, int b) { return before(a, b); });
    for (int id : m_ordered)
        if (m_matcher.matches(m_index.row(id)))
            m_shown.push_back(id);
    connect(&m_index, &SlipIndex::rowsAdded, this, &SlipListModel::rowsAdded);
    connect(&m_index, &SlipIndex::rowChanged, this, &SlipListModel::rowChanged);
    connect(&m_index, &SlipIndex::rowRemoved, this, &SlipListModel::rowRemoved);
    connect(&m_index, &SlipIndex::loadingFinished, this, &SlipListModel::countsChanged);
    connect(&m_index, &SlipIndex::aboutToClear, this, &SlipListModel::clear);
}

void SlipListModel::clear()
{
    beginResetModel();
    m_ordered.clear();
    m_shown.clear();
    endResetModel();
    emit countsChanged();
}

bool SlipListModel::before(int a, int b) const
{
    return m_order.compare(m_index.summary(a), m_index.summary(b)) < 0;
}

int SlipListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int SlipListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kSlipColumnCount;
}

QVariant SlipListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_shown.size()))
        return {};
    const SlipSummary &s = summaryAt(index.row());
    const auto column = SlipColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return slipColumnText(s, column, m_datePattern);
    case Qt::ToolTipRole:
        return s.isReadable() ? s.path : s.path + u'\n' + s.error;
    case Qt::TextAlignmentRole:
        if (column == SlipColumn::Total)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        if (!s.isReadable())
            return QColor(Qt::red);
        return {};
    case PathRole:
        return s.path;
    case ErrorRole:
        return s.error;
    case ValueRole:
        switch (column) {
        case SlipColumn::IssueDate: return s.issueDate;
        case SlipColumn::Total: return s.isReadable() ? QVariant(s.total) : QVariant();
        case SlipColumn::Modified: return s.modified();
        case SlipColumn::Kind: return s.isReadable() ? QVariant(int(s.kind)) : QVariant();
        default: return slipColumnText(s, column, m_datePattern);
        }
    default:
        return {};
    }
}

QVariant SlipListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kSlipColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return slipColumnTitle(SlipColumn(section));
}

void SlipListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= kSlipColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> persistentIds;
    for (const QModelIndex &i : persistent)
        persistentIds.push_back(m_shown[size_t(i.row())]);

    m_order = SlipOrder(SlipColumn(column), order == Qt::DescendingOrder);
    std::sort(m_ordered.begin(), m_ordered.end(), [this](int a, int b) { return before(a, b); });
    std::vector<char> shown(size_t(m_index.idCount()), 0);
    for (int id : m_shown)
        shown[size_t(id)] = 1;
    m_shown.clear();
    std::vector<int> rowOfId(shown.size(), -1);
    for (int id : m_ordered) {
        if (shown[size_t(id)]) {
            rowOfId[size_t(id)] = int(m_shown.size());
            m_shown.push_back(id);
        }
    }
    QModelIndexList moved;
    for (qsizetype i = 0; i < persistent.size(); ++i)
        moved.append(index(rowOfId[size_t(persistentIds[size_t(i)])], persistent[i].column()));
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SlipListModel::setFilter(const SlipFilter &filter)
{
    if (filter == m_filter)
        return;
    SlipMatcher matcher(filter);
    // A query typed on only narrows the rows shown: look at those alone.
    const std::vector<int> &candidates = matcher.narrows(m_matcher) ? m_shown : m_ordered;
    std::vector<int> next;
    next.reserve(candidates.size());
    for (int id : candidates)
        if (matcher.matches(m_index.row(id)))
            next.push_back(id);
    m_filter = filter;
    m_matcher = std::move(matcher);
    showRows(std::move(next));
    emit countsChanged();
}

void SlipListModel::setQuery(const QString &query)
{
    SlipFilter filter = m_filter;
    filter.query = query;
    setFilter(filter);
}

void SlipListModel::setDatePattern(const QString &pattern)
{
    if (pattern == m_datePattern)
        return;
    m_datePattern = pattern;
    if (!m_shown.empty()) {
        const int column = int(SlipColumn::IssueDate);
        emit dataChanged(index(0, column), index(int(m_shown.size()) - 1, column), {Qt::DisplayRole, ValueRole});
    }
}

void SlipListModel::showRows(std::vector<int> next)
{
    std::vector<char> keep(size_t(m_index.idCount()), 0);
    for (int id : next)
        keep[size_t(id)] = 1;
    // Runs of rows that go, from the bottom up so the rows above stay put.
    for (qsizetype end = qsizetype(m_shown.size()); end > 0;) {
        if (keep[size_t(m_shown[size_t(end - 1)])]) {
            --end;
            continue;
        }
        qsizetype begin = end - 1;
        while (begin > 0 && !keep[size_t(m_shown[size_t(begin - 1)])])
            --begin;
        beginRemoveRows({}, int(begin), int(end - 1));
        m_shown.erase(m_shown.begin() + begin, m_shown.begin() + end);
        endRemoveRows();
        end = begin;
    }
    // What is left is in the order of `next`: insert the runs it lacks.
    size_t at = 0;
    for (size_t i = 0; i < next.size();) {
        if (at < m_shown.size() && m_shown[at] == next[i]) {
            ++at;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < next.size() && !(at < m_shown.size() && m_shown[at] == next[end]))
            ++end;
        beginInsertRows({}, int(at), int(at + (end - i) - 1));
        m_shown.insert(m_shown.begin() + qsizetype(at), next.begin() + qsizetype(i), next.begin() + qsizetype(end));
        endInsertRows();
        at += end - i;
        i = end;
    }
}

void SlipListModel::rowsAdded(int first, int last)
{
    std::vector<int> added;
    for (int id = first; id <= last; ++id)
        added.push_back(id);
    std::sort(added.begin(), added.end(), [this](int a, int b) { return before(a, b); });
    std::vector<int> ordered;
    ordered.reserve(m_ordered.size() + added.size());
    std::merge(m_ordered.begin(), m_ordered.end(), added.begin(), added.end(), std::back_inserter(ordered),
               [this](int a, int b) { return before(a, b); });
    m_ordered = std::move(ordered);

    std::vector<int> matching;
    for (int id : added)
        if (m_matcher.matches(m_index.row(id)))
            matching.push_back(id);
    if (!matching.empty()) {
        std::vector<int> next;
        next.reserve(m_shown.size() + matching.size());
        std::merge(m_shown.begin(), m_shown.end(), matching.begin(), matching.end(), std::back_inserter(next),
                   [this](int a, int b) { return before(a, b); });
        showRows(std::move(next));
    }
    emit countsChanged();
}

void SlipListModel::eraseOrdered(int id)
{
    const auto it = std::find(m_ordered.begin(), m_ordered.end(), id);
    if (it != m_ordered.end())
        m_ordered.erase(it);
}

void SlipListModel::insertOrdered(int id)
{
    m_ordered.insert(std::upper_bound(m_ordered.begin(), m_ordered.end(), id, [this](int a, int b) { return before(a, b); }),
                     id);
}

void SlipListModel::removeShownAt(qsizetype row)
{
    beginRemoveRows({}, int(row), int(row));
    m_shown.erase(m_shown.begin() + row);
    endRemoveRows();
}

void SlipListModel::insertShown(int id)
{
    const auto it = std::upper_bound(m_shown.begin(), m_shown.end(), id, [this](int a, int b) { return before(a, b); });
    const int row = int(it - m_shown.begin());
    beginInsertRows({}, row, row);
    m_shown.insert(it, id);
    endInsertRows();
}

void SlipListModel::rowChanged(int id)
{
    eraseOrdered(id);
    insertOrdered(id);
    const auto shownAt = std::find(m_shown.begin(), m_shown.end(), id);
    const bool wasShown = shownAt != m_shown.end();
    const bool matches = m_matcher.matches(m_index.row(id));
    if (wasShown) {
        const qsizetype row = shownAt - m_shown.begin();
        const bool stays = matches && (row == 0 || before(m_shown[size_t(row - 1)], id))
                           && (row + 1 == qsizetype(m_shown.size()) || before(id, m_shown[size_t(row + 1)]));
        if (stays) {
            emit dataChanged(index(int(row), 0), index(int(row), kSlipColumnCount - 1));
        } else {
            removeShownAt(row);
            if (matches)
                insertShown(id);
        }
    } else if (matches) {
        insertShown(id);
    }
    emit countsChanged();
}

void SlipListModel::rowRemoved(int id)
{
    eraseOrdered(id);
    const auto shownAt = std::find(m_shown.begin(), m_shown.end(), id);
    if (shownAt != m_shown.end())
        removeShownAt(shownAt - m_shown.begin());
    emit countsChanged();
}

int SlipListModel::totalCount() const
{
    return m_index.presentCount();
}

int SlipListModel::errorCount() const
{
    return m_index.errorCount();
}

const SlipSummary &SlipListModel::summaryAt(int row) const
{
    return m_index.summary(m_shown[size_t(row)]);
}

int SlipListModel::rowOfPath(const QString &path) const
{
    const int id = m_index.idOf(path);
    if (id < 0)
        return -1;
    const auto it = std::find(m_shown.begin(), m_shown.end(), id);
    return it == m_shown.end() ? -1 : int(it - m_shown.begin());
}

std::vector<const SlipSummary *> SlipListModel::shownSummaries() const
{
    std::vector<const SlipSummary *> rows;
    rows.reserve(m_shown.size());
    for (int id : m_shown)
        rows.push_back(&m_index.summary(id));
    return rows;
}

QStringList SlipListModel::staffNames() const
{
    QStringList names;
    for (int id : m_ordered) {
        const SlipSummary &s = m_index.summary(id);
        if (s.isReadable() && !s.staff.isEmpty())
            names.append(s.staff);
    }
    names.removeDuplicates();
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    std::sort(names.begin(), names.end(), collator);
    return names;
}

} // namespace vendara
