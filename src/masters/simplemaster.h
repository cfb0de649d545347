#pragma once

#include "cellgrid.h"
#include "celltext.h"

#include "common/fileversion.h"

#include <QList>
#include <QString>

#include <optional>

namespace vendara {

// The lists the pick dialog "選択" picks from: the maker and car-name master
// (Dat/Mst/Mk/) and the six simple masters below. The values are the lists'
// numbers, which only masterListNumbered uses.
enum class MasterList {
    CarName = 0,          // makers and their car names
    Colour = 1,           // 色: exterior and interior colours
    Accessory = 2,        // 付属品: accessories with prices
    SpecialEquipment = 3, // 特別仕様: special equipment with prices
    SalesCost = 4,        // 販売諸費用: taxed sales costs with amounts
    OtherCost = 5,        // その他諸費用: untaxed other costs with amounts
    Charge = 6,           // 担当者: the staff who take charge of a slip
};

// The one place a list is a number: the master gallery's command line names
// a list as list:<n>, n from 0 (CarName) to 6 (Charge). Nothing else stores
// or passes the number. None outside 0..6.
std::optional<MasterList> masterListNumbered(int number);

// The six simple list masters of Dat/Mst/: file name = master name, one
// comma-text line per entry (a name, or a name and a yen amount).
struct SimpleMasterInfo
{
    QString name;
    int columnCount; // 1: name only; 2: name and amount
    MasterList list; // the list of the pick dialog that shows this master
};

const QList<SimpleMasterInfo> &simpleMasters();
std::optional<SimpleMasterInfo> simpleMasterNamed(const QString &name);
// None for CarName, which is not a simple master.
std::optional<SimpleMasterInfo> simpleMasterFor(MasterList list);

// The editor of one simple master at a time, behind the options page and the
// pick dialog. Switching masters writes the current one back first; the owner
// calls save() when it closes. A save refuses to replace a change another
// desk made since the master was read (FileChangedError); the owner then
// saves with Overwrite::Force or takes the other desk's list with load().
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
    // Nothing when no master is current.
    void save(Overwrite overwrite = Overwrite::IfUnchanged);

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
    SimpleMasterInfo m_info{QString(), 1, MasterList::CarName}; // no name: no master
    CellGrid m_grid;
    int m_currentRow = 0;
    FileVersion m_read; // what the file held at the last load or save
};

} // namespace vendara
