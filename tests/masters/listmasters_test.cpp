#include "masters/equipmentlist.h"
#include "masters/memotemplates.h"
#include "masters/simplemaster.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <iterator>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

class ListMasterFiles : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList lines(const QString &name) const { return textfile::readLines(path(name)).value_or(QStringList{"<missing>"}); }
    void write(const QString &name, const QStringList &content) { test::writeSjisLines(path(name), content); }

    QTemporaryDir dir;
};

} // namespace

// Every list against the master file the pick dialog opens for it, spelled
// out by name, so a reordered table or enum is caught.
TEST(SimpleMasterTable, everyList_opensTheMasterItIsNamedAfter)
{
    const struct
    {
        MasterList list;
        QString file;
        int columns;
    } lists[] = {
        {MasterList::Colour, "色", 1},
        {MasterList::Accessory, "付属品", 2},
        {MasterList::SpecialEquipment, "特別仕様", 2},
        {MasterList::SalesCost, "販売諸費用", 2},
        {MasterList::OtherCost, "その他諸費用", 2},
        {MasterList::Charge, "担当者", 1},
    };
    ASSERT_EQ(simpleMasters().size(), qsizetype(std::size(lists)));
    for (const auto &l : lists) {
        SCOPED_TRACE(l.file.toStdString());
        const auto info = simpleMasterFor(l.list);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->name, l.file);
        EXPECT_EQ(info->columnCount, l.columns);
        ASSERT_TRUE(simpleMasterNamed(l.file));
        EXPECT_EQ(simpleMasterNamed(l.file)->list, l.list);
    }
    // Makers and car names are the car master of Mk/, not a simple master.
    EXPECT_FALSE(simpleMasterFor(MasterList::CarName));
    EXPECT_FALSE(simpleMasterNamed("Maker.dat"));
}

TEST(SimpleMasterTable, listNumbers_countFromCarNamesToStaff)
{
    const MasterList inOrder[] = {MasterList::CarName,   MasterList::Colour,    MasterList::Accessory,
                                  MasterList::SpecialEquipment, MasterList::SalesCost,
                                  MasterList::OtherCost, MasterList::Charge};
    for (int n = 0; n < int(std::size(inOrder)); ++n)
        EXPECT_EQ(masterListNumbered(n), inOrder[n]) << n;
    EXPECT_FALSE(masterListNumbered(-1));
    EXPECT_FALSE(masterListNumbered(7));
}

TEST_F(ListMasterFiles, accessoryLine_showsGroupedAndPicksPlain)
{
    write("付属品", {"フロアマット,25000", "バイザー,22000"});
    SimpleMaster master(dir.path());
    master.selectMaster("付属品");
    EXPECT_EQ(master.columnCount(), 2);
    EXPECT_EQ(master.grid().rowCount(), 2);
    EXPECT_EQ(master.cellDisplay(0, 0).text, "フロアマット");
    EXPECT_EQ(master.cellDisplay(1, 0).text, "    25,000"); // "%10.0n"
    EXPECT_TRUE(master.cellDisplay(1, 0).rightAligned);
    EXPECT_EQ(master.selectedName(), "フロアマット");
    EXPECT_EQ(master.selectedPrice(), "25000");
}

TEST_F(ListMasterFiles, emptyPrice_comesBackAsQuotedSpace)
{
    write("付属品", {"フロアマット,"});
    SimpleMaster master(dir.path());
    master.selectMaster("付属品");
    EXPECT_EQ(master.grid().cell(1, 0), " ");
    master.save();
    EXPECT_EQ(lines("付属品"), QStringList({"フロアマット,\" \""}));
}

TEST_F(ListMasterFiles, colour_isReturnedTrimmedAndHasNoPrice)
{
    write("色", {"\"  パールホワイト \",ignored", "赤"});
    SimpleMaster master(dir.path());
    master.selectMaster("色");
    EXPECT_EQ(master.columnCount(), 1);
    EXPECT_EQ(master.grid().cell(0, 0), "  パールホワイト ");
    EXPECT_EQ(master.selectedName(), "パールホワイト");
    EXPECT_EQ(master.selectedPrice(), "");
    master.save();
    EXPECT_EQ(lines("色"), QStringList({"\"  パールホワイト \"", "赤"})); // the extra item does not fit a row
}

TEST_F(ListMasterFiles, switchingMasters_writesTheCurrentOneBack)
{
    write("販売諸費用", {"納車費用,11000"});
    SimpleMaster master(dir.path());
    master.save(); // no master yet: nothing
    master.selectMaster("販売諸費用");
    master.addRow();
    EXPECT_EQ(master.currentRow(), 1);
    EXPECT_TRUE(master.setCellText(0, 1, "車庫証明手続代行費用"));
    EXPECT_TRUE(master.setCellText(1, 1, "22000"));
    master.selectMaster("担当者");
    EXPECT_EQ(lines("販売諸費用"), QStringList({"納車費用,11000", "車庫証明手続代行費用,22000"}));
    EXPECT_EQ(master.grid().rowCount(), 1); // 担当者 is missing: one empty row
    EXPECT_FALSE(QFile::exists(path("担当者")));
    EXPECT_THROW(master.selectMaster("../担当者"), Error);
    EXPECT_EQ(master.name(), "担当者");
}

TEST_F(ListMasterFiles, amountColumn_storesPlainIntegersAndDeleteMovesRowsUp)
{
    write("その他諸費用", {"a,1", "b,2", "c,3"});
    SimpleMaster master(dir.path());
    master.selectMaster("その他諸費用");
    EXPECT_TRUE(master.setCellText(1, 0, "2,600"));
    EXPECT_EQ(master.grid().cell(1, 0), "2600");
    EXPECT_TRUE(master.setCellText(1, 1, "-500"));
    EXPECT_FALSE(master.setCellText(1, 2, "12a3")); // refused: the cell keeps its amount
    master.save();
    EXPECT_EQ(lines("その他諸費用"), QStringList({"a,2600", "b,-500", "c,3"}));
    EXPECT_TRUE(master.setCellText(0, 0, "2,600")); // names take anything
    master.setCurrentRow(1);
    master.deleteCurrentRow();
    EXPECT_EQ(master.grid().cell(0, 1), "c");
    EXPECT_EQ(master.grid().rowCount(), 2);
    master.setCurrentRow(1);
    master.deleteCurrentRow();
    EXPECT_EQ(master.currentRow(), 0);
    master.deleteCurrentRow();
    EXPECT_EQ(master.grid().rowCount(), 1);
    EXPECT_EQ(master.grid().cell(0, 0), "");
}

TEST_F(ListMasterFiles, equipment_onlyLinesOfExactlyTwoItemsAreKept)
{
    write("Accdata.dat", {"エアコン,AC", "壊れた行", "a,b,c", "パワーステアリング,PS", ",空名"});
    EquipmentList list(dir.path());
    ASSERT_EQ(list.items().size(), 3);
    EXPECT_EQ(list.items()[0], (EquipmentItem{"エアコン", "AC"}));
    EXPECT_EQ(list.items()[2], (EquipmentItem{"", "空名"}));
    list.add({"カーナビゲーション", "ナビ"});
    list.replace(2, {"ETC車載器", "ETC"});
    list.remove(0);
    list.remove(9); // ignored
    list.save();
    EXPECT_EQ(lines("Accdata.dat"), QStringList({"パワーステアリング,PS", "ETC車載器,ETC", "カーナビゲーション,ナビ"}));
}

TEST_F(ListMasterFiles, equipment_presetChecksSplitsAtFullWidthSpaceAndReturnsListOrder)
{
    write("Accdata.dat", {"エアコン,AC", "パワーステアリング,PS", "パワーウインドウ,PW", "エアコン2,AC"});
    EquipmentList list(dir.path());
    const QList<bool> checks = list.presetChecks(QStringLiteral("PS　AC"));
    EXPECT_EQ(checks, QList<bool>({true, true, false, false})); // the first item with AC only
    EXPECT_EQ(list.checkedAbbreviations(checks), "AC PS");
    EXPECT_EQ(list.presetChecks(QStringLiteral("PW,XX \"PS\"")), QList<bool>({false, true, true, false}));
    EXPECT_EQ(list.presetChecks(QStringLiteral("　 ")), QList<bool>({false, false, false, false}));
    EXPECT_EQ(list.presetChecks(QStringLiteral("ac")), QList<bool>({false, false, false, false}));
    EXPECT_EQ(list.checkedAbbreviations({}), "");
}

TEST_F(ListMasterFiles, equipment_missingFileIsEmpty)
{
    EquipmentList list(dir.path());
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_FALSE(QFile::exists(list.path()));
}

TEST_F(ListMasterFiles, memo_firstLineIsSkippedAndTemplatesHoldThreeLines)
{
    write("MemoOpt.Dat", {"ignored", "一行目,二行目", "\"a, b\",,c"});
    MemoTemplates memo(dir.path(), MemoTemplates::kEditorBlankRows);
    ASSERT_EQ(memo.templates().size(), 2);
    EXPECT_EQ(memo.templates()[0], QStringList({"一行目", "二行目", ""}));
    EXPECT_EQ(memo.templates()[1], QStringList({"a, b", " ", "c"}));
    memo.add({"1", "2", "3", "4", "5"});
    EXPECT_EQ(memo.templates()[2], QStringList({"1", "2", "3"}));
    memo.replace(0, {"only"});
    memo.remove(1);
    memo.save();
    EXPECT_EQ(test::readBytes(path("MemoOpt.Dat")), cp932::encode(u"\r\nonly,,\r\n1,2,3\r\n"));
}

TEST_F(ListMasterFiles, memo_missingOrNearlyEmptyFileGivesBlankRowsNotAFailure)
{
    MemoTemplates editor(dir.path(), MemoTemplates::kEditorBlankRows);
    EXPECT_EQ(editor.templates().size(), 5);
    EXPECT_EQ(editor.templates()[0], QStringList({"", "", ""}));
    write("MemoOpt.Dat", {""});
    MemoTemplates picker(dir.path(), MemoTemplates::kPickerBlankRows);
    EXPECT_EQ(picker.templates().size(), 4);
}

TEST_F(ListMasterFiles, unreadableFiles_areReportedAndNeverReplaced)
{
    // A folder where a file is expected cannot be read, whoever runs the test.
    QDir(dir.path()).mkpath("付属品");
    QDir(dir.path()).mkpath("Accdata.dat");
    QDir(dir.path()).mkpath("MemoOpt.Dat");
    SimpleMaster master(dir.path());
    EXPECT_THROW(master.selectMaster("付属品"), Error);
    EXPECT_FALSE(master.hasMaster());
    EXPECT_NO_THROW(master.save()); // nothing current: nothing written
    EXPECT_THROW(EquipmentList{dir.path()}, Error);
    EXPECT_THROW((MemoTemplates{dir.path(), MemoTemplates::kEditorBlankRows}), Error);
    EXPECT_TRUE(QFileInfo(path("付属品")).isDir());
}

// Two desks on one data folder: each editor read the file before the other
// wrote it.
TEST_F(ListMasterFiles, simpleMaster_secondDeskIsRefusedUntilItOverwritesOrReloads)
{
    write("色", {"赤"});
    SimpleMaster first(dir.path());
    SimpleMaster second(dir.path());
    first.selectMaster("色");
    second.selectMaster("色");
    first.addRow();
    first.setCellText(0, 1, "青");
    first.save();
    second.addRow();
    second.setCellText(0, 1, "緑");

    try {
        second.save();
        FAIL() << "the second desk's save replaced the first desk's";
    } catch (const FileChangedError &e) {
        EXPECT_EQ(e.path(), path("色"));
        EXPECT_TRUE(e.message().contains("赤\n青")) << e.message().toStdString();
    }
    EXPECT_EQ(lines("色"), QStringList({"赤", "青"}));
    // Switching masters writes first, and is refused the same way.
    EXPECT_THROW(second.selectMaster("担当者"), FileChangedError);
    EXPECT_EQ(second.name(), "色");

    // The first desk's own saves go on: it remembers what it wrote.
    first.setCellText(0, 0, "紅");
    first.save();
    EXPECT_EQ(lines("色"), QStringList({"紅", "青"}));

    second.load();
    EXPECT_EQ(second.grid().rowCount(), 2);
    EXPECT_EQ(second.grid().cell(0, 0), "紅");
    EXPECT_EQ(second.grid().cell(0, 1), "青");
    second.addRow();
    second.setCellText(0, 2, "緑");
    second.save(); // read again: no longer refused
    EXPECT_EQ(lines("色"), QStringList({"紅", "青", "緑"}));

    first.save(Overwrite::Force);
    EXPECT_EQ(lines("色"), QStringList({"紅", "青"}));
}

TEST_F(ListMasterFiles, equipment_secondDeskIsRefusedUntilItOverwritesOrReloads)
{
    write("Accdata.dat", {"エアコン,AC"});
    EquipmentList first(dir.path());
    EquipmentList second(dir.path());
    first.add({"パワーステアリング", "PS"});
    first.save();
    second.remove(0);

    EXPECT_THROW(second.save(), FileChangedError);
    EXPECT_EQ(lines("Accdata.dat"), QStringList({"エアコン,AC", "パワーステアリング,PS"}));
    second.load();
    EXPECT_EQ(second.items(), first.items());
    second.remove(0);
    second.save();
    EXPECT_EQ(lines("Accdata.dat"), QStringList({"パワーステアリング,PS"}));
    first.save(Overwrite::Force);
    EXPECT_EQ(lines("Accdata.dat"), QStringList({"エアコン,AC", "パワーステアリング,PS"}));
}

TEST_F(ListMasterFiles, memo_missingFileCreatedByAnotherDeskIsNotReplaced)
{
    MemoTemplates first(dir.path(), MemoTemplates::kEditorBlankRows);
    MemoTemplates second(dir.path(), MemoTemplates::kEditorBlankRows);
    first.replace(0, {"納車時"});
    first.save();
    second.replace(0, {"下取車あり"});

    EXPECT_THROW(second.save(), FileChangedError);
    const auto firstLineOnDisk = [this] {
        return MemoTemplates(dir.path(), MemoTemplates::kEditorBlankRows).templates().value(0).value(0);
    };
    EXPECT_EQ(firstLineOnDisk(), "納車時");
    second.load();
    EXPECT_EQ(second.templates().value(0).value(0), "納車時");
    second.replace(0, {"下取車あり"});
    second.save();
    EXPECT_EQ(firstLineOnDisk(), "下取車あり");
}
