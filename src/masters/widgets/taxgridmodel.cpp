#include "taxgridmodel.h"

#include "masters/taxtableeditor.h"

namespace vendara {

TaxGridModel::TaxGridModel(TaxTableEditor &editor, QObject *parent)
    : CellGridModel(parent), m_editor(editor)
{
}

Qt::ItemFlags TaxGridModel::flags(const QModelIndex &index) const
{
    // A fixed heading takes no part in navigation: the view skips cells that
    // are not enabled, so the current cell stays in the body.
    if (index.isValid() && isHeadingCell(index.column(), index.row()))
        return Qt::NoItemFlags;
    return CellGridModel::flags(index);
}

const CellGrid &TaxGridModel::grid() const
{
    return m_editor.grid();
}

celltext::CellDisplay TaxGridModel::display(int column, int row) const
{
    return m_editor.cellDisplay(column, row);
}

bool TaxGridModel::store(int column, int row, const QString &text)
{
    return m_editor.setCellText(column, row, text);
}

bool TaxGridModel::isEditable(int, int) const
{
    return m_editor.editMode();
}

bool TaxGridModel::isAmountCell(int column, int row) const
{
    return TaxTableEditor::isBodyCell(column, row);
}

bool TaxGridModel::isHeadingCell(int column, int row) const
{
    return !m_editor.editMode() && !TaxTableEditor::isBodyCell(column, row);
}

} // namespace vendara
