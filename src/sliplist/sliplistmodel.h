#pragma once

#include "slipcolumns.h"
#include "slipfilter.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace vendara {

class SlipIndex;

// The slip list as a table model over a SlipIndex: the rows the filter
// lets through, in the order of the sort column. It follows the index as
// rows come, change and go, and answers a change of the filter with the
// rows removed and inserted (never a reset), so a view keeps its selection
// and scroll position while the user types. The index must outlive the
// model.
class SlipListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role {
        PathRole = Qt::UserRole + 1, // QString: the file's absolute path
        ErrorRole,                   // QString: why the file was not read; empty for a slip
        ValueRole,                   // the cell's value: QString, QDate, qint64, QDateTime
    };

    explicit SlipListModel(SlipIndex &index, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Newest modification first until told otherwise.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    SlipColumn sortColumn() const { return m_order.column(); }
    Qt::SortOrder sortOrder() const { return m_order.descending() ? Qt::DescendingOrder : Qt::AscendingOrder; }

    void setFilter(const SlipFilter &filter);
    const SlipFilter &filter() const { return m_filter; }
    // The query alone, the other conditions kept: what a search field sends
    // at each keystroke.
    void setQuery(const QString &query);
    // The pattern of the issue dates shown (Settings::datePattern()).
    void setDatePattern(const QString &pattern);

    // Rows shown; files of the index; among them the ones not read.
    int shownCount() const { return int(m_shown.size()); }
    int totalCount() const;
    int errorCount() const;
    const SlipSummary &summaryAt(int row) const;
    int rowOfPath(const QString &path) const;
    // The rows shown, in their order: what an export writes.
    std::vector<const SlipSummary *> shownSummaries() const;
    // The staff members of the slips, each once, in Japanese order: the
    // choices of a staff filter.
    QStringList staffNames() const;

signals:
    // The number of rows shown, of files or of errors may have changed.
    void countsChanged();

private:
    bool before(int a, int b) const;
    void rowsAdded(int first, int last);
    void rowChanged(int id);
    void rowRemoved(int id);
    void clear();
    void removeShownAt(qsizetype row);
    void insertShown(int id);
    void eraseOrdered(int id);
    void insertOrdered(int id);
    // Makes the rows shown `next` (a subsequence of m_ordered) by removing
    // and inserting runs of rows.
    void showRows(std::vector<int> next);

    SlipIndex &m_index;
    SlipFilter m_filter;
    SlipMatcher m_matcher;
    SlipOrder m_order;
    QString m_datePattern;
    std::vector<int> m_ordered; // ids of the present rows, in sort order
    std::vector<int> m_shown;   // ids shown: those of m_ordered the filter takes
};

} // namespace vendara
