// The master data shipped in data/Dat: Shift-JIS with CR LF, readable by the
// models, and holding the public figures it claims.
#include "masters/carmaster.h"
#include "masters/equipmentlist.h"
#include "masters/memotemplates.h"
#include "masters/simplemaster.h"
#include "masters/taxtableeditor.h"
#include "masters/postalcodedictionarylist.h"
#include "masters/postalcodesearch.h"

#include "common/cp932codec.h"
#include "common/datafolder.h"

#include "support/testdata.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const QString kDat = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(kDat + folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (!f.endsWith("/.keep"))
            files.append(f);
    }
    return files;
}

// The row of the grid whose first cell is heading.
QStringList rowHeaded(const TaxTableEditor &editor, const QString &heading)
{
    for (int r = 0; r < editor.grid().rowCount(); ++r)
        if (editor.grid().cell(0, r) == heading)
            return editor.grid().row(r);
    return {};
}

} // namespace

TEST(ShippedData, everyMasterFile_isShiftJisWithCrLfLineEnds)
{
    QStringList files = filesUnder("Mst") + filesUnder("Tax");
    ASSERT_GT(files.size(), 30);
    for (const QString &file : files) {
        const QByteArray bytes = test::readBytes(file);
        ASSERT_FALSE(bytes.isEmpty()) << file.toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n")) << file.toStdString();
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << file.toStdString();
        EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n")) << file.toStdString();
        const QString text = cp932::decode(bytes);
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << file.toStdString();
        EXPECT_EQ(cp932::encode(text), bytes) << file.toStdString();
    }
}

TEST(ShippedData, makers_haveCarListsAndSortedMakersStayWithThem)
{
    QTemporaryDir copy;
    DataFolder::copyMissing(kDat + "Mst/Mk", copy.path());
    CarMaster master(copy.path());
    for (const char *maker : {"トヨタ", "日産", "ホンダ", "マツダ", "スバル", "スズキ", "ダイハツ", "三菱", "レクサス"})
        EXPECT_TRUE(master.makers().contains(QString::fromUtf8(maker))) << maker;
    for (int row = 0; row < master.makers().size(); ++row) {
        master.moveToMaker(row);
        EXPECT_TRUE(QFileInfo::exists(master.carFilePath(master.currentMakerName()))) << row;
        EXPECT_GE(master.cars().size(), 4) << master.currentMakerName().toStdString();
    }
    master.moveToMaker(0);
    EXPECT_TRUE(master.cars().contains("プリウス"));
}

TEST(ShippedData, listMasters_holdEntriesWithAmounts)
{
    // Switching masters writes the one left: on a copy, never the shipped files.
    QTemporaryDir copy;
    DataFolder::copyMissing(kDat + "Mst", copy.path());
    SimpleMaster master(copy.path());
    for (const SimpleMasterInfo &info : simpleMasters()) {
        master.selectMaster(info.name);
        EXPECT_GE(master.grid().rowCount(), 1) << info.name.toStdString();
        EXPECT_FALSE(master.grid().cell(0, 0).trimmed().isEmpty()) << info.name.toStdString();
    }
    master.selectMaster("販売諸費用");
    QStringList names;
    for (int r = 0; r < master.grid().rowCount(); ++r)
        names.append(master.grid().cell(0, r));
    EXPECT_TRUE(names.contains("検査登録手続代行費用"));
    EXPECT_TRUE(names.contains("車庫証明手続代行費用"));
    EXPECT_TRUE(names.contains("納車費用"));
    master.selectMaster("その他諸費用");
    names.clear();
    for (int r = 0; r < master.grid().rowCount(); ++r)
        names.append(master.grid().cell(0, r));
    EXPECT_TRUE(names.contains("検査登録印紙代"));
    EXPECT_TRUE(names.contains("車庫証明証紙代"));
    EXPECT_TRUE(names.contains("リサイクル預託金"));
    master.selectMaster("付属品");
    EXPECT_EQ(master.grid().cell(0, 0), "フロアマット");
    EXPECT_EQ(master.cellDisplay(1, 0).text, "    25,000"); // "%10.0n"
}

TEST(ShippedData, equipmentAndMemoMasters_holdTheUsualAbbreviationsAndTemplates)
{
    const EquipmentList equipment(kDat + "Mst");
    QStringList abbreviations;
    for (const EquipmentItem &item : equipment.items())
        abbreviations.append(item.abbreviation);
    for (const char *a : {"AC", "PS", "PW", "ABS", "SRS", "ナビ", "ETC"})
        EXPECT_TRUE(abbreviations.contains(QString::fromUtf8(a))) << a;
    const QList<bool> checks = equipment.presetChecks(QStringLiteral("PS　AC"));
    EXPECT_EQ(equipment.checkedAbbreviations(checks), "AC PS");

    const MemoTemplates memo(kDat + "Mst", MemoTemplates::kPickerBlankRows);
    EXPECT_GE(memo.templates().size(), 3);
    EXPECT_FALSE(memo.templates()[0][0].trimmed().isEmpty());
}

TEST(ShippedData, automobileTaxTables_holdThePublicRatesByDisplacement)
{
    QTemporaryDir copy;
    DataFolder::copyMissing(kDat + "Tax", copy.path());
    TaxTableEditor editor(copy.path());
    editor.selectKind(0);
    ASSERT_GE(editor.categories().size(), 2);
    EXPECT_EQ(rowHeaded(editor, "1.0L以下").value(1), "25000");
    EXPECT_EQ(rowHeaded(editor, "1.5L超2.0L以下").value(1), "36000");
    EXPECT_EQ(rowHeaded(editor, "6.0L超").value(1), "110000");
    EXPECT_EQ(rowHeaded(editor, "1.0L以下").value(8), "10400"); // registered in October: 5 months
    editor.selectCategory(1);
    EXPECT_EQ(rowHeaded(editor, "1.0L以下").value(1), "29500");
    EXPECT_EQ(rowHeaded(editor, "6.0L超").value(1), "111000");
    // Every body cell is an amount or empty, as the editor requires.
    for (int c = 0; c < editor.categories().size(); ++c) {
        editor.selectCategory(c);
        for (int r = 1; r < editor.grid().rowCount(); ++r)
            for (int col = 1; col < editor.grid().columnCount(); ++col) {
                const QString cell = editor.grid().cell(col, r);
                EXPECT_TRUE(cell.trimmed().isEmpty() || celltext::parseYen(cell)) << cell.toStdString();
            }
    }
}

TEST(ShippedData, liabilityAndWeightTaxTables_holdThePublicFigures)
{
    QTemporaryDir copy;
    DataFolder::copyMissing(kDat + "Tax", copy.path());
    TaxTableEditor editor(copy.path());
    editor.selectKind(1);
    for (const char *months : {"12ヶ月", "13ヶ月", "24ヶ月", "25ヶ月", "36ヶ月", "37ヶ月"})
        EXPECT_TRUE(celltext::parseYen(rowHeaded(editor, QString::fromUtf8(months)).value(1))) << months;
    EXPECT_EQ(rowHeaded(editor, "24ヶ月").value(1), "17650");
    editor.selectKind(2);
    const QStringList headings = editor.grid().row(0);
    EXPECT_EQ(headings.value(1), "2年");
    EXPECT_EQ(headings.value(2), "3年");
    EXPECT_EQ(rowHeaded(editor, "1.5t以下").value(1), "24600");
    EXPECT_EQ(rowHeaded(editor, "1.5t以下").value(2), "36900");
}

TEST(ShippedData, sampleDictionary_isListedAndFindsTokyo)
{
    PostalCodeDictionaryList list(kDat + "Mst/Zip");
    EXPECT_EQ(list.names(), QStringList{"SAMPLE.CSV"});
    PostalCodeSearcher searcher;
    const PostalCodeSearchResult r = searcher.search("100", list.paths());
    EXPECT_GE(r.entries.size(), 5);
    for (const PostalCodeEntry &e : r.entries) {
        EXPECT_TRUE(e.postalCode.startsWith("100"));
        EXPECT_EQ(e.prefecture, "東京都");
    }
    EXPECT_TRUE(std::any_of(r.entries.cbegin(), r.entries.cend(),
                            [](const PostalCodeEntry &e) { return e.postalCode == "1000001"; }));
    EXPECT_GE(searcher.search("中央", list.paths()).entries.size(), 5);
}
