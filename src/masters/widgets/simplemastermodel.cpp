#include "simplemastermodel.h"

#include "masters/simplemaster.h"

namespace vendara {

const CellGrid &SimpleMasterModel::grid() const
{
    return m_master.grid();
}

celltext::CellDisplay SimpleMasterModel::display(int column, int row) const
{
    return m_master.cellDisplay(column, row);
}

bool SimpleMasterModel::store(int column, int row, const QString &text)
{
    return m_master.setCellText(column, row, text);
}

} // namespace vendara
