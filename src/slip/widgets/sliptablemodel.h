#pragma once

#include "slip/slipdocument.h"

#include <QAbstractTableModel>

namespace vendara {

// The six tables of the entry frame over the slip: the four input tables
// (accessories, special equipment, sales costs, other costs), whose name and
// amount cells are edited and whose mark cells are toggled, and the read-only
// totals and plan tables. Cells hold the slip's texts; how numbers are shown
// is the delegate's.
class SlipTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Table { Accessories, Special, SalesCosts, OtherCosts, Totals, Plan };
    // Rows the totals table draws on a yellow ground.
    static constexpr int HighlightRole = Qt::UserRole + 1;
    // Cells of the price or amount column.
    static constexpr int AmountRole = Qt::UserRole + 2;

    SlipTableModel(SlipDocument &document, Table table, QObject *parent = nullptr);

    Table table() const { return m_table; }
    bool isInputTable() const { return m_table != Table::Totals && m_table != Table::Plan; }
    SlipDocument::InputTable inputTable() const;
    bool hasHeadings() const;
    bool isMarkColumn(int column) const;
    bool isAmountColumn(int column) const;
    // Selecting a mark cell toggles it between "1" and empty.
    void toggleMark(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(int row, int column) const;
    void refresh();

    SlipDocument &m_document;
    Table m_table;
};

} // namespace vendara
