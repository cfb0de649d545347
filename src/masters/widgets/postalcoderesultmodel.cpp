#include "postalcoderesultmodel.h"

namespace vendara {

int PostalCodeResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int PostalCodeResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PostalCodeResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size()
        || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const PostalCodeEntry &e = m_entries[index.row()];
    switch (index.column()) {
    case PostalCodeColumn: return e.postalCode;
    case PrefectureColumn: return e.prefecture;
    case AddressColumn: return e.address;
    default: return {};
    }
}

QVariant PostalCodeResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case PostalCodeColumn: return QStringLiteral("郵便番号");
    case PrefectureColumn: return QStringLiteral("都道府県");
    case AddressColumn: return QStringLiteral("住所");
    default: return {};
    }
}

void PostalCodeResultModel::append(const QList<PostalCodeEntry> &entries)
{
    if (entries.isEmpty())
        return;
    const int first = int(m_entries.size());
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    m_entries.append(entries);
    endInsertRows();
}

void PostalCodeResultModel::clear()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

} // namespace vendara
