#include "sliptablemodel.h"

#include <QColor>

namespace vendara {

SlipTableModel::SlipTableModel(SlipDocument &document, Table table, QObject *parent)
    : QAbstractTableModel(parent), m_document(document), m_table(table)
{
    connect(&m_document, &SlipDocument::valuesChanged, this, &SlipTableModel::refresh);
}

SlipDocument::InputTable SlipTableModel::inputTable() const
{
    switch (m_table) {
    case Table::Special: return SlipDocument::InputTable::Special;
    case Table::SalesCosts: return SlipDocument::InputTable::SalesCosts;
    case Table::OtherCosts: return SlipDocument::InputTable::OtherCosts;
    default: return SlipDocument::InputTable::Accessories;
    }
}

bool SlipTableModel::hasHeadings() const
{
    return m_table == Table::Accessories || m_table == Table::Special || m_table == Table::Totals;
}

bool SlipTableModel::isMarkColumn(int column) const
{
    return isInputTable() && SlipDocument::isMarkColumn(inputTable(), column);
}

bool SlipTableModel::isAmountColumn(int column) const
{
    return column == 1 || (m_table == Table::Totals && column == 2);
}

int SlipTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_table) {
    case Table::Totals: return kTotalsRowCount;
    case Table::Plan: return kPlanRowCount;
    default: return SlipDocument::rowCount(inputTable());
    }
}

int SlipTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_table) {
    case Table::Totals: return 3;
    case Table::Plan: return 2;
    default: return SlipDocument::columnCount(inputTable());
    }
}

QString SlipTableModel::cellText(int row, int column) const
{
    const SlipRecord &slip = m_document.record();
    if (m_table == Table::Totals) {
        const auto totalsRow = TotalsRow(row);
        const TotalsLine &line = slip.price[totalsRow];
        if (column == 0)
            return totalsRow == TotalsRow::Dis ? slip.price.disTitle : totalsRowLabel(totalsRow);
        return column == 1 ? line.amount : line.tax;
    }
    if (m_table == Table::Plan)
        return column == 0 ? planRowLabel(PlanRow(row)) : slip.pay[PlanRow(row)];
    return m_document.cell(inputTable(), row, column);
}

QVariant SlipTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return isMarkColumn(index.column()) ? QString() : cellText(index.row(), index.column());
    case Qt::CheckStateRole:
        if (isMarkColumn(index.column()))
            return cellText(index.row(), index.column()).isEmpty() ? Qt::Unchecked : Qt::Checked;
        return {};
    case Qt::AccessibleTextRole:
        if (isMarkColumn(index.column()))
            return cellText(index.row(), index.column()).isEmpty() ? QStringLiteral("税なし") : QStringLiteral("税");
        return cellText(index.row(), index.column());
    case HighlightRole:
        return m_table == Table::Totals && (TotalsRow(index.row()) == TotalsRow::Prc || TotalsRow(index.row()) == TotalsRow::Cost);
    case AmountRole:
        return isAmountColumn(index.column());
    default:
        return {};
    }
}

bool SlipTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !isInputTable() || role != Qt::EditRole)
        return false;
    m_document.setCell(inputTable(), index.row(), index.column(), value.toString());
    return true;
}

void SlipTableModel::toggleMark(int row)
{
    if (isMarkColumn(2))
        m_document.toggleMark(inputTable(), row);
}

Qt::ItemFlags SlipTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (!isInputTable())
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isMarkColumn(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant SlipTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !hasHeadings())
        return {};
    static const QStringList items{QStringLiteral("名称"), QStringLiteral("価格"), QStringLiteral("税")};
    static const QStringList totals{QStringLiteral("項目名"), QStringLiteral("金額"), QStringLiteral("消費税")};
    const QStringList &headings = m_table == Table::Totals ? totals : items;
    return headings.value(section);
}

void SlipTableModel::refresh()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace vendara
