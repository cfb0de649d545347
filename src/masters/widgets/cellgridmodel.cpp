#include "cellgridmodel.h"

namespace vendara {

int CellGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : grid().rowCount();
}

int CellGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : grid().columnCount();
}

QVariant CellGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return display(column, row).text;
    case Qt::EditRole:
        return grid().cell(column, row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (display(column, row).rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    case AmountCellRole:
        return isAmountCell(column, row);
    case HeadingCellRole:
        return isHeadingCell(column, row);
    default:
        return {};
    }
}

bool CellGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !isEditable(index.column(), index.row()))
        return false;
    // A refused text leaves the cell as it was.
    if (!store(index.column(), index.row(), value.toString()))
        return false;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CellGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.column(), index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void CellGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace vendara
