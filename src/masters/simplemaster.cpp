#include "simplemaster.h"

#include "common/blanks.h"
#include "masterfile.h"

#include "common/commatext.h"
#include "common/error.h"

#include <algorithm>

namespace vendara {

const QList<SimpleMasterInfo> &simpleMasters()
{
    static const QList<SimpleMasterInfo> masters = {
        {QStringLiteral("色"), 1, MasterList::Colour},
        {QStringLiteral("付属品"), 2, MasterList::Accessory},
        {QStringLiteral("特別仕様"), 2, MasterList::SpecialEquipment},
        {QStringLiteral("販売諸費用"), 2, MasterList::SalesCost},
        {QStringLiteral("その他諸費用"), 2, MasterList::OtherCost},
        {QStringLiteral("担当者"), 1, MasterList::Charge},
    };
    return masters;
}

std::optional<SimpleMasterInfo> simpleMasterNamed(const QString &name)
{
    for (const SimpleMasterInfo &m : simpleMasters())
        if (m.name == name)
            return m;
    return std::nullopt;
}

std::optional<MasterList> masterListNumbered(int number)
{
    if (number < int(MasterList::CarName) || number > int(MasterList::Charge))
        return std::nullopt;
    return MasterList(number);
}

std::optional<SimpleMasterInfo> simpleMasterFor(MasterList list)
{
    for (const SimpleMasterInfo &m : simpleMasters())
        if (m.list == list)
            return m;
    return std::nullopt;
}

SimpleMaster::SimpleMaster(const QString &folder) : m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
{
}

void SimpleMaster::selectMaster(const QString &name)
{
    const auto info = simpleMasterNamed(name);
    if (!info)
        throw Error(QStringLiteral("マスター「%1」はありません").arg(name));
    save();
    m_info = *info;
    load();
}

void SimpleMaster::load()
{
    m_grid = CellGrid(m_info.columnCount, 1);
    m_currentRow = 0;
    QStringList lines;
    try {
        lines = masterfile::readLines(path(), m_read);
    } catch (const Error &) {
        m_info = {QString(), 1, MasterList::CarName}; // a master that could not be read is not written back
        throw;
    }
    QList<QStringList> rows;
    for (const QString &line : lines)
        rows.append(commatext::splitToGridCells(line));
    m_grid.setRows(rows);
}

void SimpleMaster::save(Overwrite overwrite)
{
    if (!hasMaster())
        return;
    QStringList lines;
    for (int r = 0; r < m_grid.rowCount(); ++r)
        lines.append(commatext::join(m_grid.row(r)));
    m_read = writeLinesIfUnchanged(path(), lines, m_read, overwrite);
}

void SimpleMaster::setCurrentRow(int row)
{
    if (row >= 0 && row < m_grid.rowCount())
        m_currentRow = row;
}

void SimpleMaster::addRow()
{
    m_grid.appendRow();
    m_currentRow = m_grid.rowCount() - 1;
}

void SimpleMaster::deleteCurrentRow()
{
    m_grid.removeRow(m_currentRow);
    m_currentRow = std::min(m_currentRow, m_grid.rowCount() - 1);
}

bool SimpleMaster::setCellText(int column, int row, const QString &text)
{
    if (!m_grid.contains(column, row))
        return false;
    if (column == 0)
        return m_grid.setCell(column, row, text);
    const std::optional<QString> amount = celltext::storedAmount(text);
    return amount && m_grid.setCell(column, row, *amount);
}

celltext::CellDisplay SimpleMaster::cellDisplay(int column, int row) const
{
    const QString text = m_grid.cell(column, row);
    return column == 1 ? celltext::displayAmountCell(text, QStringLiteral("%10.0n")) : celltext::displayTextCell(text);
}

QString SimpleMaster::selectedName() const
{
    return trimBlanks(m_grid.cell(0, m_currentRow));
}

QString SimpleMaster::selectedPrice() const
{
    return m_grid.cell(1, m_currentRow);
}

} // namespace vendara
