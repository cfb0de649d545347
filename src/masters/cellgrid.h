#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vendara {

// The cells of an editable string grid: a rectangle of texts with at least
// one row and one column. Cells outside the rectangle read as empty and
// cannot be written.
class CellGrid
{
public:
    CellGrid(int columnCount = 1, int rowCount = 1);

    int columnCount() const { return m_columnCount; }
    int rowCount() const { return int(m_rows.size()); }
    bool contains(int column, int row) const;

    QString cell(int column, int row) const;
    // Returns false (and changes nothing) outside the rectangle.
    bool setCell(int column, int row, const QString &text);
    // Exactly columnCount() cells.
    const QStringList &row(int row) const { return m_rows[row]; }

    // Resizes, keeping the cells that still fit; new cells are empty.
    void resize(int columnCount, int rowCount);
    void clear(); // every cell empty, size kept
    void appendRow() { resize(m_columnCount, rowCount() + 1); }
    // Removes one row, the following rows moving up; the last remaining row
    // is emptied instead, since a grid keeps one row.
    void removeRow(int row);

    // One row per list item (at least one row), item j in column j; items
    // beyond the column count are dropped.
    void setRows(const QList<QStringList> &rows);
    QList<QStringList> rows() const { return m_rows; }

private:
    int m_columnCount;
    QList<QStringList> m_rows;
};

} // namespace vendara
