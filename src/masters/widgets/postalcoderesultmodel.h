#pragma once

#include "masters/postalcodeindex.h"

#include <QAbstractTableModel>
#include <QList>

namespace vendara {

// The results of a postal-code search: one row per entry, columns
// "郵便番号", "都道府県", "住所". Rows are only ever appended in batches or
// cleared, so a view keeps up with a search that finds thousands.
class PostalCodeResultModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { PostalCodeColumn, PrefectureColumn, AddressColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const PostalCodeEntry &entry(int row) const { return m_entries[row]; }
    void append(const QList<PostalCodeEntry> &entries);
    void clear();

private:
    QList<PostalCodeEntry> m_entries;
};

} // namespace vendara
