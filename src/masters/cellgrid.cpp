#include "cellgrid.h"

#include <algorithm>

namespace vendara {

CellGrid::CellGrid(int columnCount, int rowCount) : m_columnCount(0)
{
    resize(columnCount, rowCount);
}

bool CellGrid::contains(int column, int row) const
{
    return column >= 0 && column < m_columnCount && row >= 0 && row < rowCount();
}

QString CellGrid::cell(int column, int row) const
{
    return contains(column, row) ? m_rows[row][column] : QString();
}

bool CellGrid::setCell(int column, int row, const QString &text)
{
    if (!contains(column, row))
        return false;
    m_rows[row][column] = text;
    return true;
}

void CellGrid::resize(int columnCount, int rowCount)
{
    m_columnCount = std::max(1, columnCount);
    m_rows.resize(std::max(1, rowCount));
    for (QStringList &r : m_rows)
        r.resize(m_columnCount);
}

void CellGrid::clear()
{
    for (QStringList &r : m_rows)
        r.fill(QString());
}

void CellGrid::removeRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    if (rowCount() == 1)
        m_rows[0].fill(QString());
    else
        m_rows.removeAt(row);
}

void CellGrid::setRows(const QList<QStringList> &rows)
{
    m_rows.clear();
    resize(m_columnCount, int(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < std::min<qsizetype>(rows[r].size(), m_columnCount); ++c)
            m_rows[r][c] = rows[r][c];
}

} // namespace vendara
