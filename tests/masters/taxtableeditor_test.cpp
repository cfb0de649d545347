#include "masters/taxtableeditor.h"
#include "masters/taxtablekind.h"

#include "common/error.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include "support/permissions.h"
#include "support/fakequestions.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

class TaxTables : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList lines(const QString &name) const { return textfile::readLines(path(name)).value_or(QStringList{"<missing>"}); }
    void write(const QString &name, const QStringList &content) { test::writeSjisLines(path(name), content); }

    QTemporaryDir dir;
};

QString messageOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

vendara::testing::YesToEverything yes;

} // namespace

// The three kinds keep their category lists and tables apart: whatever is
// edited under one kind, the files of the others stay as they were.
TEST_F(TaxTables, eachKind_readsAndWritesOnlyItsOwnFiles)
{
    for (int kind = 0; kind < kTaxTableKindCount; ++kind) {
        const TaxTableKindInfo &info = taxTableKindInfo(kind);
        write(info.categoryList, {"共通"});
        write(info.tablePrefix + "共通", {"区分,金額", "行," + QString::number(1000 * (kind + 1))});
    }
    const auto files = [&] {
        QMap<QString, QStringList> all;
        for (const QString &file : QDir(dir.path()).entryList(QDir::Files))
            all.insert(file, lines(file));
        return all;
    };
    TaxTableEditor editor(dir.path());
    QSet<QString> titles;
    for (int kind = 0; kind < kTaxTableKindCount; ++kind) {
        const QMap<QString, QStringList> before = files();
        editor.selectKind(kind);
        titles.insert(editor.title());
        EXPECT_EQ(editor.grid().cell(1, 1), QString::number(1000 * (kind + 1))) << kind;
        editor.setEditMode(true);
        ASSERT_TRUE(editor.setCellText(1, 1, QString::number(kind + 7)));
        editor.addCategory(QStringLiteral("追加%1").arg(kind));
        editor.saveTable();

        // Its list and its tables changed, no file of another kind.
        const TaxTableKindInfo &info = taxTableKindInfo(kind);
        const QMap<QString, QStringList> after = files();
        QSet<QString> changed;
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (before.value(it.key()) != it.value())
                changed.insert(it.key());
        EXPECT_TRUE(changed.contains(info.categoryList)) << kind;
        EXPECT_TRUE(changed.contains(info.tablePrefix + "共通")) << kind;
        for (const QString &file : std::as_const(changed))
            EXPECT_TRUE(file == info.categoryList || file.startsWith(info.tablePrefix)) << file.toStdString();
        EXPECT_EQ(after.size() - before.size(), changed.size() - 2) << "only new tables of this kind";
    }
    EXPECT_EQ(titles.size(), kTaxTableKindCount);
    EXPECT_FALSE(titles.contains(QString()));
    EXPECT_THROW(taxTableKindInfo(kTaxTableKindCount), Error);
    EXPECT_THROW(taxTableKindInfo(-1), Error);
}

TEST_F(TaxTables, selectKind_showsFirstCategoryOfItsListAndTable)
{
    write("CompIns", {"自家用", "事業用"});
    write("CIN自家用", {"期間,保険料", "24ヶ月,17650"});
    TaxTableEditor editor(dir.path());
    EXPECT_TRUE(editor.currentCategory().isEmpty());
    EXPECT_FALSE(editor.editMode());
    editor.selectKind(1);
    EXPECT_EQ(editor.title(), "自賠責");
    EXPECT_EQ(editor.categories(), QStringList({"自家用", "事業用"}));
    EXPECT_EQ(editor.currentCategory(), "自家用");
    EXPECT_EQ(editor.currentCategoryIndex(), 0);
    EXPECT_EQ(editor.grid().columnCount(), 2);
    EXPECT_EQ(editor.grid().rowCount(), 2);
    EXPECT_EQ(editor.grid().cell(1, 1), "17650");
    EXPECT_EQ(editor.tablePath("自家用"), path("CIN自家用"));
}

TEST_F(TaxTables, loadTable_raggedRowsGiveWidestColumnCountAndAreWrittenBackPadded)
{
    write("AqTax", {"自家用"});
    write("AQT自家用", {"a,b,c", "1,2,3,4,5,6,7", "x,,z,9,10"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    EXPECT_EQ(editor.grid().columnCount(), 7);
    EXPECT_EQ(editor.grid().rowCount(), 3);
    EXPECT_EQ(editor.grid().cell(2, 0), "c");
    EXPECT_EQ(editor.grid().cell(3, 0), "");
    EXPECT_EQ(editor.grid().cell(1, 2), " "); // an empty item is held as a space
    editor.saveTable();
    EXPECT_EQ(lines("AQT自家用"), QStringList({"a,b,c,,,,", "1,2,3,4,5,6,7", "x,\" \",z,9,10,,"}));
}

TEST_F(TaxTables, loadTable_emptyFileIsOneRowOfTwoColumnsAndMissingFileIsFiveByFive)
{
    write("WtTax", {"空", "無し"});
    test::writeBytes(path("WTT空"), QByteArray());
    TaxTableEditor editor(dir.path());
    editor.selectKind(2);
    EXPECT_EQ(editor.grid().columnCount(), 2);
    EXPECT_EQ(editor.grid().rowCount(), 1);
    editor.selectCategory(1);
    EXPECT_EQ(editor.currentCategory(), "無し");
    EXPECT_EQ(editor.grid().columnCount(), 5);
    EXPECT_EQ(editor.grid().rowCount(), 5);
    EXPECT_FALSE(QFile::exists(path("WTT無し"))); // created by the next write-back only
    editor.saveTable();
    EXPECT_EQ(lines("WTT無し").size(), 5);
    EXPECT_EQ(lines("WTT無し").first(), ",,,,");
}

TEST_F(TaxTables, categoryChange_writesOldTableBeforeReadingNewOne)
{
    write("AqTax", {"A", "B"});
    write("AQTA", {"h,1"});
    write("AQTB", {"h,2"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    editor.setEditMode(true);
    EXPECT_TRUE(editor.setCellText(1, 0, "edited"));
    editor.selectCategory(1);
    EXPECT_EQ(lines("AQTA"), QStringList({"h,edited"}));
    EXPECT_EQ(editor.grid().cell(1, 0), "2");
    // Switching kind writes back too.
    editor.setCellText(0, 0, "B edited");
    editor.selectKind(1);
    EXPECT_EQ(lines("AQTB"), QStringList({"\"B edited\",2"}));
    EXPECT_TRUE(editor.categories().isEmpty()); // no CompIns: no categories, no table
    EXPECT_TRUE(editor.currentCategory().isEmpty());
    editor.saveTable(); // nothing current: writes nothing
    EXPECT_FALSE(QFile::exists(path("CIN")));
}

TEST_F(TaxTables, bodyCells_keepOnlyIntegersWhileHeadingsTakeAnyText)
{
    write("AqTax", {"A"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    EXPECT_TRUE(editor.setCellText(1, 1, "36000"));
    EXPECT_TRUE(editor.setCellText(2, 1, "36,000")); // typed grouped, stored plain
    EXPECT_EQ(editor.grid().cell(2, 1), "36000");
    EXPECT_TRUE(editor.setCellText(1, 2, "7"));
    EXPECT_FALSE(editor.setCellText(1, 2, "abc"));
    EXPECT_EQ(editor.grid().cell(1, 2), "7"); // a refused text leaves the cell alone
    editor.saveTable();
    EXPECT_EQ(lines("AQTA").mid(1, 2), QStringList({",36000,36000,,", ",7,,,"}));
    EXPECT_TRUE(editor.setCellText(0, 3, "1.5L以下"));
    EXPECT_TRUE(editor.setCellText(3, 0, "年額"));
    EXPECT_FALSE(editor.setCellText(9, 9, "1")); // outside the grid
    EXPECT_EQ(editor.cellDisplay(1, 1).text, "  36,000"); // "%8.0n"
    EXPECT_TRUE(editor.cellDisplay(1, 1).rightAligned);
    editor.setCellText(0, 1, "5000");
    EXPECT_EQ(editor.cellDisplay(0, 1).text, "5000"); // headings as stored
    EXPECT_FALSE(editor.cellDisplay(0, 1).rightAligned);
}

TEST_F(TaxTables, selectedAmount_isCurrentCellOrZero)
{
    write("CompIns", {"自家用"});
    write("CIN自家用", {"期間,保険料", "24ヶ月,17650", "25ヶ月,"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(1);
    editor.setCurrentCell(1, 1);
    EXPECT_EQ(editor.selectedAmount(), 17650);
    editor.setCurrentCell(1, 2);
    EXPECT_EQ(editor.selectedAmount(), 0); // " "
    editor.setCurrentCell(0, 1);
    EXPECT_EQ(editor.selectedAmount(), 0); // "24ヶ月"
    editor.setCurrentCell(5, 5); // outside: ignored
    EXPECT_EQ(editor.currentColumn(), 0);
    EXPECT_EQ(editor.currentRow(), 1);
}

TEST_F(TaxTables, rowAndColumnButtons_growAndShrinkAtTheEnd)
{
    write("AqTax", {"A"});
    write("AQTA", {"a,b", "1,2"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    editor.addRow();
    editor.addColumn();
    EXPECT_EQ(editor.grid().rowCount(), 3);
    EXPECT_EQ(editor.grid().columnCount(), 3);
    EXPECT_EQ(editor.grid().cell(2, 2), "");
    editor.setCurrentCell(2, 2);
    editor.removeLastRow();
    editor.removeLastColumn();
    EXPECT_EQ(editor.grid().cell(1, 1), "2");
    EXPECT_EQ(editor.currentColumn(), 1);
    EXPECT_EQ(editor.currentRow(), 1);
    for (int i = 0; i < 5; ++i) {
        editor.removeLastRow();
        editor.removeLastColumn();
    }
    EXPECT_EQ(editor.grid().rowCount(), 1);
    EXPECT_EQ(editor.grid().columnCount(), 1);
}

TEST_F(TaxTables, addCategory_appendsWritesListAndShowsEmptyTable)
{
    write("AqTax", {"A"});
    write("AQTA", {"h,1"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    editor.setCellText(1, 0, "9");
    editor.addCategory("新区分");
    EXPECT_EQ(lines("AqTax"), QStringList({"A", "新区分"}));
    EXPECT_EQ(lines("AQTA"), QStringList({"h,9"}));
    EXPECT_EQ(editor.currentCategory(), "新区分");
    EXPECT_EQ(editor.grid().columnCount(), 5);
}

TEST_F(TaxTables, addCategory_refusesNamesThatLeaveTheFolder)
{
    write("AqTax", {"A"});
    TaxTableEditor editor(dir.path());
    EXPECT_THROW(editor.addCategory("B"), Error); // no kind selected yet
    editor.selectKind(0);
    for (const QString &bad : {QStringLiteral("x/../../escaped"), QStringLiteral("/tmp/x"), QStringLiteral(".."),
                               QStringLiteral(".")}) {
        const QString message = messageOf([&] { editor.addCategory(bad); });
        EXPECT_TRUE(message.contains("ファイル名として使えません")) << bad.toStdString() << message.toStdString();
    }
    EXPECT_EQ(messageOf([&] { editor.addCategory(QString()); }), "分類名を入力してください。");
    EXPECT_EQ(lines("AqTax"), QStringList({"A"}));
    EXPECT_EQ(editor.categories(), QStringList({"A"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"AqTax"}));
}

TEST_F(TaxTables, deleteCategory_refusesTheLastOneAndAsksFirst)
{
    write("CompIns", {"A"});
    write("CINA", {"a,1"});
    write("CINB", {"b,2"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(1);
    EXPECT_EQ(messageOf([&] { editor.deleteCurrentCategory(yes); }), "1件以下にはできません");

    write("CompIns", {"A", "B", "C"});
    editor.selectKind(1);
    vendara::testing::FakeQuestions asker;
    asker.answer(false);
    EXPECT_FALSE(editor.deleteCurrentCategory(asker));
    EXPECT_EQ(asker.asked.last(), "分類「A」を削除しますか?");
    EXPECT_TRUE(QFile::exists(path("CINA")));

    editor.setCellText(1, 0, "99"); // an edit of the table being deleted is not written
    EXPECT_TRUE(editor.deleteCurrentCategory(yes));
    EXPECT_FALSE(QFile::exists(path("CINA")));
    EXPECT_EQ(lines("CompIns"), QStringList({"B", "C"}));
    EXPECT_EQ(editor.currentCategory(), "B");
    EXPECT_EQ(editor.grid().cell(1, 0), "2");
    editor.saveTable();
    EXPECT_FALSE(QFile::exists(path("CINA")));
}

TEST_F(TaxTables, renameCategory_renamesTheTableFileAndTheListEntry)
{
    write("CompIns", {"自家用", "軽"});
    write("CIN自家用", {"期間,保険料"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(1);
    editor.setCellText(1, 0, "額"); // edits since the last write go along
    editor.renameCurrentCategory("事業用");
    EXPECT_FALSE(QFile::exists(path("CIN自家用")));
    EXPECT_EQ(lines("CIN事業用"), QStringList({"期間,額"}));
    EXPECT_EQ(lines("CompIns"), QStringList({"事業用", "軽"}));
    EXPECT_EQ(editor.currentCategory(), "事業用");
    EXPECT_EQ(editor.currentCategoryIndex(), 0);
}

TEST_F(TaxTables, renameCategory_justAddedCategoryWithoutFileWorks)
{
    write("AqTax", {"A"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    editor.addCategory("新");
    editor.setCellText(1, 1, "100");
    editor.renameCurrentCategory("新2");
    EXPECT_EQ(editor.currentCategory(), "新2");
    EXPECT_EQ(lines("AqTax"), QStringList({"A", "新2"}));
    EXPECT_EQ(lines("AQT新2").value(1), ",100,,,");
    EXPECT_FALSE(QFile::exists(path("AQT新")));
}

TEST_F(TaxTables, renameCategory_failureChangesNothing)
{
    write("AqTax", {"A", "B"});
    write("AQTA", {"a,1"});
    write("AQTB", {"b,2"});
    write("AQTstray", {"s,3"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    for (const QString &bad : {QStringLiteral("../A"), QStringLiteral(".."), QString(), QStringLiteral("a\nb")}) {
        EXPECT_EQ(messageOf([&] { editor.renameCurrentCategory(bad); }), "分類名に無効な文字が含まれています。")
            << bad.toStdString();
    }
    // Names that are there already say so.
    EXPECT_EQ(messageOf([&] { editor.renameCurrentCategory("B"); }), "分類「B」は既にあります。");
    EXPECT_EQ(messageOf([&] { editor.renameCurrentCategory("stray"); }), "分類「stray」は既にあります。");
    EXPECT_EQ(messageOf([&] { editor.renameCurrentCategory("b "); }),
              "「b 」は分類「B」と区別できないため使えません。");
    EXPECT_EQ(editor.currentCategory(), "A");
    EXPECT_EQ(lines("AqTax"), QStringList({"A", "B"}));
    EXPECT_EQ(lines("AQTB"), QStringList({"b,2"}));
    EXPECT_EQ(lines("AQTstray"), QStringList({"s,3"}));
    editor.renameCurrentCategory("A"); // the same name: nothing to do
    EXPECT_EQ(lines("AQTA"), QStringList({"a,1"}));
}

TEST_F(TaxTables, categoryList_linesThatCannotNameATableAreLeftOut)
{
    write("WtTax", {"", "../../evil", "普通", "普通", "a/b"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(2);
    EXPECT_EQ(editor.categories(), QStringList({"普通"}));
    EXPECT_EQ(editor.currentCategory(), "普通");
}

TEST_F(TaxTables, unreadableTable_isReportedAndNeverWrittenBack)
{
    write("AqTax", {"A", "B"});
    QDir(dir.path()).mkpath("AQTB"); // not a file: cannot be read
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    EXPECT_TRUE(messageOf([&] { editor.selectCategory(1); }).contains("AQTB"));
    EXPECT_TRUE(editor.currentCategory().isEmpty());
    editor.saveTable(); // nothing current: nothing written
    EXPECT_TRUE(QFileInfo(path("AQTB")).isDir());

    QDir(dir.path()).mkpath("CompIns"); // the category list of kind 1
    EXPECT_THROW(editor.selectKind(1), Error);
    EXPECT_THROW(editor.addCategory("C"), Error); // nothing is added to an unread list
    EXPECT_TRUE(QFileInfo(path("CompIns")).isDir());
}

// Under root too: the test puts down root's power over permissions.
TEST_F(TaxTables, tableWithoutReadPermission_isReportedAndNeverWrittenBack)
{
    write("AqTax", {"A", "B"});
    write("AQTA", {"keep,1"});
    QFile::setPermissions(path("AQTA"), QFileDevice::WriteOwner);
    TaxTableEditor editor(dir.path());
    {
        const test::PermissionsBind bind;
        ASSERT_EQ(bind.failure(), QString());
        EXPECT_TRUE(messageOf([&] { editor.selectKind(0); }).contains("AQTA"));
        EXPECT_TRUE(editor.currentCategory().isEmpty());
        editor.saveTable(); // nothing current: nothing written
    }
    QFile::setPermissions(path("AQTA"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(lines("AQTA"), QStringList({"keep,1"}));
}

// A category is one table file: no name may take another category's file or
// a category list, whether added or renamed, and the files stay as they were.
TEST_F(TaxTables, categoryNames_neverTakeAnotherCategorysFileOrAList)
{
    write("AqTax", {"自家用", "Kei"});
    write("CompIns", {"本土"});
    const QStringList privateTable = {"排気量,年額", "1.0L以下,25000", "1.5L以下,30500"};
    write("AQT自家用", privateTable);
    write("AQTKei", {"排気量,年額", "軽,10800"});
    TaxTableEditor editor(dir.path());
    editor.selectKind(0);
    const auto snapshot = [&] {
        QStringList all;
        for (const QString &file : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
            all << file << lines(file);
        return all;
    };
    const QStringList before = snapshot();

    EXPECT_EQ(messageOf([&] { editor.addCategory("自家用"); }), "分類「自家用」は既にあります。");
    EXPECT_EQ(messageOf([&] { editor.addCategory("KEI"); }), "「KEI」は分類「Kei」と区別できないため使えません。");
    // "AQT" + "ax" is the category list AqTax where letter case is not told apart.
    EXPECT_TRUE(messageOf([&] { editor.addCategory("ax"); }).contains("ファイル名として使えません"));
    EXPECT_TRUE(messageOf([&] { editor.addCategory(QString(200, QChar(u'長'))); }).contains("長すぎます"));
    EXPECT_EQ(messageOf([&] { editor.renameCurrentCategory("Kei."); }),
              "「Kei.」は分類「Kei」と区別できないため使えません。");
    EXPECT_EQ(editor.categories(), QStringList({"自家用", "Kei"}));
    EXPECT_EQ(editor.currentCategory(), "自家用");
    editor.saveTable();
    EXPECT_EQ(snapshot(), before);

    // A category list edited by hand to name one file twice keeps it once.
    write("AqTax", {"Kei", "kei", "自家用"});
    editor.selectKind(0);
    EXPECT_EQ(editor.categories(), QStringList({"Kei", "自家用"}));
}

// Two desks on one data folder, each table read before the other wrote it.
TEST_F(TaxTables, tableChangedOnAnotherDesk_isNotReplacedUntilOverwrittenOrReloaded)
{
    write("CompIns", {"A", "B"});
    write("CINA", {"a,1"});
    write("CINB", {"b,2"});
    TaxTableEditor first(dir.path());
    TaxTableEditor second(dir.path());
    first.selectKind(1);
    second.selectKind(1);
    first.setCellText(1, 0, "10");
    first.saveTable();
    second.setCellText(1, 0, "20");

    EXPECT_THROW(second.saveTable(), FileChangedError);
    EXPECT_THROW(second.selectCategory(1), FileChangedError); // switching writes first
    EXPECT_EQ(second.currentCategory(), "A");
    EXPECT_EQ(lines("CINA"), QStringList({"a,10"}));

    second.loadTable();
    EXPECT_EQ(second.grid().cell(1, 0), "10");
    second.setCellText(1, 0, "20");
    second.saveTable();
    EXPECT_EQ(lines("CINA"), QStringList({"a,20"}));

    first.saveTable(Overwrite::Force);
    EXPECT_EQ(lines("CINA"), QStringList({"a,10"}));
    // A rename moves the bytes last written: the version still holds.
    first.renameCurrentCategory("C");
    first.setCellText(1, 0, "30");
    first.saveTable();
    EXPECT_EQ(lines("CINC"), QStringList({"a,30"}));
}

TEST_F(TaxTables, categoryListChangedOnAnotherDesk_refusesAnAddition)
{
    write("CompIns", {"A"});
    TaxTableEditor first(dir.path());
    TaxTableEditor second(dir.path());
    first.selectKind(1);
    second.selectKind(1);
    first.addCategory("B");
    EXPECT_THROW(second.addCategory("C"), FileChangedError);
    EXPECT_EQ(lines("CompIns"), QStringList({"A", "B"}));
    EXPECT_EQ(second.categories(), QStringList{"A"}); // the list shown is the list on disk
    second.selectKind(1);
    second.addCategory("C");
    EXPECT_EQ(lines("CompIns"), QStringList({"A", "B", "C"}));
}
