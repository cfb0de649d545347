#pragma once

#include "cellgrid.h"
#include "celltext.h"

#include <QList>
#include <QString>

#include <optional>

namespace vendara {

// The six simple list masters of Dat/Mst/: file name = master name, one
// comma-text line per entry (a name, or a name and a yen amount).
struct SimpleMasterInfo
{
    QString name;
    int columnCount; // 1: name only; 2: name and amount
    int pickMode;    // the pick dialog's mode that shows this master
};

const QList<SimpleMasterInfo> &simpleMasters();
std::optional<SimpleMasterInfo> simpleMasterNamed(const QString &name);
// Modes 1-6; mode 0 is the maker and car-name master.
std::optional<SimpleMasterInfo> simpleMasterForPickMode(int mode);

// The editor of one simple master at a time, behind the options page and the
// pick dialog. Switching masters writes the current one back first; the owner
// calls save() when it closes.
class SimpleMaster
{
public:
    // folder: Dat/Mst/ of the data root. No master is current at first.
    explicit SimpleMaster(const QString &folder);

    // Throws vendara::Error for a name that is not one of the six masters.
    void selectMaster(const QString &name);
    bool hasMaster() const { return !m_info.name.isEmpty(); }
    const QString &name() const { return m_info.name; }
    int columnCount() const { return m_info.columnCount; }
    QString path() const { return m_folder + m_info.name; }

    void load();
    void save() const; // nothing when no master is current

    const CellGrid &grid() const { return m_grid; }
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    void addRow(); // an empty row at the end, made current
    void deleteCurrentRow();
    // The amount column keeps only plain integers: a typed amount is stored
    // without its separators ("1,000" as 1000); anything else is refused and
    // the cell keeps its text. Returns false when the text was refused.
    bool setCellText(int column, int row, const QString &text);
    celltext::CellDisplay cellDisplay(int column, int row) const;

    // The first column of the current row, trimmed.
    QString selectedName() const;
    // The second column of the current row as stored; empty for one-column
    // masters.
    QString selectedPrice() const;

private:
    QString m_folder;
    SimpleMasterInfo m_info{QString(), 1, 0};
    CellGrid m_grid;
    int m_currentRow = 0;
};

} // namespace vendara
