#pragma once

#include "masters/cellgrid.h"
#include "masters/celltext.h"

#include <QAbstractTableModel>

namespace vendara {

// A master's grid of cells as a table model: row and column of the model are
// those of the grid. Subclasses say what the grid is, how a cell is drawn and
// what typing into it does; the rules themselves live in the master models.
class CellGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // True for a cell that keeps only whole numbers: its editor refuses the
    // keys that make no amount.
    static constexpr int AmountCellRole = Qt::UserRole + 1;
    // True for a heading cell drawn like a fixed row or column.
    static constexpr int HeadingCellRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // After the grid changed its shape or all of its cells.
    void reload();

protected:
    virtual const CellGrid &grid() const = 0;
    virtual celltext::CellDisplay display(int column, int row) const = 0;
    // Stores typed text; false when the cell refused it (and kept its text).
    virtual bool store(int column, int row, const QString &text) = 0;
    virtual bool isEditable(int column, int row) const = 0;
    virtual bool isAmountCell(int column, int row) const = 0;
    virtual bool isHeadingCell(int, int) const { return false; }
};

} // namespace vendara
