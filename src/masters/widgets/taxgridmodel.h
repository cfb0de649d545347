#pragma once

#include "cellgridmodel.h"

namespace vendara {

class TaxTableEditor;

// The current tax table as a table model. In pick mode row 0 and column 0 are
// fixed headings that can be neither edited nor made current; in edit mode
// every cell is an ordinary editable cell and only body cells keep integers.
class TaxGridModel : public CellGridModel
{
    Q_OBJECT
public:
    explicit TaxGridModel(TaxTableEditor &editor, QObject *parent = nullptr);

    Qt::ItemFlags flags(const QModelIndex &index) const override;

protected:
    const CellGrid &grid() const override;
    celltext::CellDisplay display(int column, int row) const override;
    bool store(int column, int row, const QString &text) override;
    bool isEditable(int column, int row) const override;
    bool isAmountCell(int column, int row) const override;
    bool isHeadingCell(int column, int row) const override;

private:
    TaxTableEditor &m_editor;
};

} // namespace vendara
