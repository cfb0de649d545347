// Master and table files: the first byte picks the file the rest of the input
// becomes in a scratch data folder (tax table, tax category list, maker list,
// car names, a simple master, the equipment list, memo templates); the file
// is read, shown, written back and read again.
#include "fuzzsupport.h"

#include "common/datafolder.h"
#include "common/error.h"
#include "masters/carmaster.h"
#include "masters/equipmentlist.h"
#include "masters/memotemplates.h"
#include "masters/simplemaster.h"
#include "masters/taxtableeditor.h"
#include "masters/taxtablekind.h"

#include <cstdlib>

using namespace vendara;

namespace {

void taxTable(const QString &folder, int kind, const QByteArray &bytes, bool asCategoryList)
{
    const TaxTableKindInfo &info = taxTableKindInfo(kind);
    if (asCategoryList) {
        fuzz::writeFile(folder + info.categoryList, bytes);
    } else {
        fuzz::writeFile(folder + info.categoryList, "A\r\n");
        fuzz::writeFile(folder + info.tablePrefix + u'A', bytes);
    }
    TaxTableEditor editor(folder);
    editor.selectKind(kind);
    for (int row = 0; row < editor.grid().rowCount(); ++row)
        for (int column = 0; column < editor.grid().columnCount(); ++column) {
            editor.cellDisplay(column, row);
            editor.setCurrentCell(column, row);
            editor.selectedAmount();
        }
    editor.saveTable();
    editor.loadTable();
}

void cars(const QString &folder, const QByteArray &bytes)
{
    fuzz::writeFile(folder + CarMaster::kMakerListFile, bytes);
    const QString maker = CarMaster(folder).currentMakerName();
    if (isSafeFileName(maker) && maker != CarMaster::kMakerListFile)
        fuzz::writeFile(folder + maker, bytes);
    CarMaster master(folder);
    master.selectedName();
    master.sortCars();
    master.sortMakers();
    master.save();
}

void simpleMaster(const QString &folder, const SimpleMasterInfo &info, const QByteArray &bytes)
{
    fuzz::writeFile(folder + info.name, bytes);
    SimpleMaster master(folder);
    master.selectMaster(info.name);
    for (int row = 0; row < master.grid().rowCount(); ++row) {
        for (int column = 0; column < master.columnCount(); ++column)
            master.cellDisplay(column, row);
        master.setCurrentRow(row);
        master.selectedName();
        master.selectedPrice();
    }
    master.save();
    master.load();
}

void equipment(const QString &folder, const QByteArray &bytes)
{
    fuzz::writeFile(folder + EquipmentList::kFileName, bytes);
    EquipmentList list(folder);
    const QList<bool> checks = list.presetChecks(QStringLiteral("ABS ナビ,\"ETC 2.0\"　AW"));
    list.checkedAbbreviations(checks);
    list.save();
    // What was written reads back as the same items.
    if (EquipmentList(folder).items() != list.items())
        std::abort();
}

void memos(const QString &folder, const QByteArray &bytes)
{
    fuzz::writeFile(folder + MemoTemplates::kFileName, bytes);
    MemoTemplates templates(folder, MemoTemplates::kEditorBlankRows);
    for (const QStringList &lines : templates.templates())
        if (lines.size() != MemoTemplates::kLinesPerTemplate)
            std::abort();
    // A template of fewer than three items is padded with empty lines, which
    // the next read holds as single spaces; from the first save on, what is
    // read is what was written.
    templates.save();
    MemoTemplates saved(folder, MemoTemplates::kEditorBlankRows);
    saved.save();
    if (MemoTemplates(folder, MemoTemplates::kEditorBlankRows).templates() != saved.templates())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString folder = fuzz::scratchDir();
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    const int pick = data[0] % 16;
    try {
        if (pick < 6)
            taxTable(folder, pick % 3, bytes, pick >= 3);
        else if (pick == 6)
            cars(folder, bytes);
        else if (pick < 13)
            simpleMaster(folder, simpleMasters()[pick - 7], bytes);
        else if (pick == 13)
            equipment(folder, bytes);
        else
            memos(folder, bytes);
    } catch (const Error &) {
        // a text Shift-JIS cannot hold (undecodable bytes read as U+FFFD) is
        // refused before anything is written
    }
    fuzz::clearScratch();
    return 0;
}
