#include "carlistmodel.h"

#include "masters/carmaster.h"

#include "common/error.h"

namespace vendara {

CarListModel::CarListModel(CarMaster &master, Side side, QObject *parent)
    : QAbstractListModel(parent), m_master(master), m_side(side)
{
}

const QStringList &CarListModel::rows() const
{
    return m_side == Side::Makers ? m_master.makers() : m_master.cars();
}

void CarListModel::reload()
{
    beginResetModel();
    endResetModel();
}

int CarListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows().size());
}

QVariant CarListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return rows().value(index.row());
}

bool CarListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_editable)
        return false;
    if (m_side == Side::Makers) {
        try {
            m_master.setMakerText(index.row(), value.toString());
        } catch (const Error &e) {
            m_refusal = e.message();
            emit refused();
            return false;
        }
    } else {
        m_master.setCarText(index.row(), value.toString());
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CarListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | (m_editable ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

} // namespace vendara
