#pragma once

#include "cellgridmodel.h"

namespace vendara {

class SimpleMaster;

// A simple list master's grid: every cell editable while editing is on, the
// second column an amount column.
class SimpleMasterModel : public CellGridModel
{
    Q_OBJECT
public:
    explicit SimpleMasterModel(SimpleMaster &master, QObject *parent = nullptr)
        : CellGridModel(parent), m_master(master)
    {
    }
    void setEditable(bool on) { m_editable = on; }

protected:
    const CellGrid &grid() const override;
    celltext::CellDisplay display(int column, int row) const override;
    bool store(int column, int row, const QString &text) override;
    bool isEditable(int, int) const override { return m_editable; }
    bool isAmountCell(int column, int) const override { return column == 1; }

private:
    SimpleMaster &m_master;
    bool m_editable = true;
};

} // namespace vendara
