#include "masters/carmaster.h"
#include "masters/japanesesort.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include "support/fakequestions.h"
#include "support/testdata.h"

#include <QDir>
#include <QHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

class CarMasterFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath("Mk");
        folder = dir.filePath("Mk") + "/";
    }
    QString path(const QString &name) const { return folder + name; }
    QStringList lines(const QString &name) const { return textfile::readLines(path(name)).value_or(QStringList{"<missing>"}); }
    void write(const QString &name, const QStringList &content) { test::writeSjisLines(path(name), content); }
    void writeThreeMakers()
    {
        write("Maker.dat", {"トヨタ", "日産", "ホンダ"});
        write("トヨタ", {"カローラ", "プリウス"});
        write("日産", {"ノート"});
    }

    QTemporaryDir dir;
    QString folder;
};

vendara::testing::YesToEverything yes;

} // namespace

TEST_F(CarMasterFiles, creation_readsMakersAndFirstMakersCars)
{
    writeThreeMakers();
    CarMaster master(folder);
    EXPECT_EQ(master.makers(), QStringList({"トヨタ", "日産", "ホンダ"}));
    EXPECT_EQ(master.cars(), QStringList({"カローラ", "プリウス"}));
    EXPECT_EQ(master.currentMakerName(), "トヨタ");
}

TEST_F(CarMasterFiles, missingFilesGiveOneEmptyRow_blankLinesAreHeldAsSpace)
{
    CarMaster empty(folder);
    EXPECT_EQ(empty.makers(), QStringList({""}));
    EXPECT_EQ(empty.cars(), QStringList({""}));

    write("Maker.dat", {"トヨタ", "", "日産"});
    write("トヨタ", {"カローラ", "", "ヤリス"});
    CarMaster master(folder);
    EXPECT_EQ(master.makers(), QStringList({"トヨタ", " ", "日産"}));
    EXPECT_EQ(master.cars(), QStringList({"カローラ", " ", "ヤリス"}));
    master.save();
    EXPECT_EQ(test::readBytes(path("Maker.dat")), cp932::encode(u"トヨタ\r\n \r\n日産\r\n"));
    EXPECT_EQ(lines("Maker.dat"), QStringList({"トヨタ", " ", "日産"}));
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", " ", "ヤリス"}));
}

TEST_F(CarMasterFiles, leavingAMakerRow_writesItsCarsFirst)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.setCarText(1, "プリウス PHEV");
    master.moveToMaker(1);
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", "プリウス PHEV"}));
    EXPECT_EQ(master.cars(), QStringList({"ノート"}));
    master.moveToMaker(2); // ホンダ has no file yet
    EXPECT_EQ(master.cars(), QStringList({""}));
    master.setCarText(0, "フィット");
    master.moveToMaker(2); // the same row: nothing happens
    EXPECT_FALSE(QFile::exists(path("ホンダ")));
    master.moveToMaker(0);
    EXPECT_EQ(lines("ホンダ"), QStringList({"フィット"}));
}

TEST_F(CarMasterFiles, renamedMaker_writesToNewFileAndLeavesOldOne)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.setMakerText(0, "TOYOTA");
    master.moveToMaker(1);
    EXPECT_EQ(lines("TOYOTA"), QStringList({"カローラ", "プリウス"}));
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", "プリウス"}));
    master.save();
    EXPECT_EQ(lines("Maker.dat"), QStringList({"TOYOTA", "日産", "ホンダ"}));
}

TEST_F(CarMasterFiles, addedMakerLeftEmpty_writesAnEmptyLineAndNoCarFile)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.addMaker();
    EXPECT_EQ(master.currentMakerRow(), 3);
    EXPECT_EQ(master.cars(), QStringList({""}));
    master.addCar();
    master.setCarText(1, "lost");
    master.save();
    EXPECT_EQ(lines("Maker.dat"), QStringList({"トヨタ", "日産", "ホンダ", ""}));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3); // Maker.dat, トヨタ, 日産
}

TEST_F(CarMasterFiles, deleteMaker_asksThenRemovesRowAndCarFile)
{
    writeThreeMakers();
    CarMaster master(folder);
    vendara::testing::FakeQuestions asker;
    asker.answer(false);
    EXPECT_FALSE(master.deleteCurrentMaker(asker));
    EXPECT_EQ(asker.asked.last(), "メーカー トヨタ を削除しますか?\r同時にこのメーカーの車名データも削除されます");
    EXPECT_EQ(master.makers().size(), 3);

    master.setCarText(0, "edited"); // the deleted maker's cars are not written back
    EXPECT_TRUE(master.deleteCurrentMaker(yes));
    EXPECT_FALSE(QFile::exists(path("トヨタ")));
    EXPECT_EQ(master.makers(), QStringList({"日産", "ホンダ"}));
    EXPECT_EQ(master.currentMakerName(), "日産");
    EXPECT_EQ(master.cars(), QStringList({"ノート"}));
}

TEST_F(CarMasterFiles, deleteLastMakerRow_showsTheMakerNowCurrent)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.moveToMaker(2);
    EXPECT_TRUE(master.deleteCurrentMaker(yes)); // ホンダ has no file: the row still goes
    EXPECT_EQ(master.makers(), QStringList({"トヨタ", "日産"}));
    EXPECT_EQ(master.currentMakerRow(), 1);
    EXPECT_EQ(master.cars(), QStringList({"ノート"}));
    master.deleteCurrentMaker(yes);
    master.deleteCurrentMaker(yes);
    EXPECT_EQ(master.makers(), QStringList({""})); // a grid keeps one row
}

TEST_F(CarMasterFiles, deleteCar_removesRowWithoutAsking)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.setCurrentCarRow(0);
    master.deleteCurrentCar();
    EXPECT_EQ(master.cars(), QStringList({"プリウス"}));
    master.deleteCurrentCar();
    EXPECT_EQ(master.cars(), QStringList({""}));
}

TEST_F(CarMasterFiles, makerNamesThatAreNotFilesOfTheFolder_touchNoOtherFile)
{
    // A list edited by hand may name anything; typing such a name is refused.
    write("Maker.dat", {"../outside", "日産", "Maker.dat", "AB/CD"});
    write("日産", {"ノート"});
    test::writeBytes(dir.filePath("outside"), "keep");
    CarMaster master(folder);
    EXPECT_EQ(master.cars(), QStringList({""})); // nothing is read from outside the folder
    EXPECT_THROW(master.writeCarList(), Error);
    EXPECT_THROW(master.moveToMaker(1), Error);
    EXPECT_EQ(master.currentMakerRow(), 0); // the move stopped
    for (const QString &bad : {QStringLiteral("../outside"), QStringLiteral("Maker.dat"), QStringLiteral("MAKER.DAT"),
                               QStringLiteral(".."), QStringLiteral("AB/CD")}) {
        EXPECT_THROW(master.setMakerText(1, bad), Error) << bad.toStdString();
        EXPECT_EQ(master.makers().value(1), "日産");
    }
    EXPECT_TRUE(master.deleteCurrentMaker(yes)); // the row goes, the file it names stays
    EXPECT_EQ(test::readBytes(dir.filePath("outside")), QByteArray("keep"));
    EXPECT_EQ(master.cars(), QStringList({"ノート"}));
    master.moveToMaker(1);
    EXPECT_EQ(master.currentMakerName(), "Maker.dat");
    EXPECT_THROW(master.moveToMaker(0), Error);
    EXPECT_TRUE(master.deleteCurrentMaker(yes));
    EXPECT_EQ(lines("Maker.dat"), QStringList({"../outside", "日産", "Maker.dat", "AB/CD"}));
    EXPECT_EQ(master.currentMakerName(), "AB/CD");
    EXPECT_THROW(master.writeCarList(), Error);
    EXPECT_TRUE(master.deleteCurrentMaker(yes));
    master.save();
    EXPECT_EQ(lines("Maker.dat"), QStringList({"日産"}));
    EXPECT_EQ(lines("日産"), QStringList({"ノート"}));
}

// A maker's cars are one file named after it: no typed name may make a row
// write over, or delete with it, the file of another row.
TEST_F(CarMasterFiles, aMakerEdit_neverTouchesAnotherMakersCars)
{
    QStringList toyota;
    for (int i = 1; i <= 33; ++i)
        toyota.append(QStringLiteral("車種%1").arg(i));
    write("Maker.dat", {"トヨタ", "日産", "Honda"});
    write("トヨタ", toyota);
    write("日産", {"ノート"});
    write("Honda", {"フィット"});
    const QByteArray toyotaBytes = test::readBytes(path("トヨタ"));
    const QByteArray hondaBytes = test::readBytes(path("Honda"));
    CarMaster master(folder);

    const auto refusal = [&](int row, const QString &name) {
        try {
            master.setMakerText(row, name);
        } catch (const Error &e) {
            return e.message();
        }
        return QString();
    };
    // A new maker typed with an existing name, then another row entered.
    master.addMaker();
    EXPECT_EQ(refusal(3, "トヨタ"), "メーカー「トヨタ」は既にあります。");
    EXPECT_EQ(refusal(3, "HONDA"), "「HONDA」はメーカー「Honda」と区別できないため使えません。");
    EXPECT_EQ(refusal(3, "Honda "), "「Honda 」はメーカー「Honda」と区別できないため使えません。");
    EXPECT_TRUE(refusal(3, "AB/CD").contains("ファイル名として使えません"));
    EXPECT_EQ(master.makers().value(3), "");
    master.moveToMaker(0);
    // An existing maker renamed to another's name, then another row entered.
    master.moveToMaker(1);
    EXPECT_EQ(refusal(1, "トヨタ"), "メーカー「トヨタ」は既にあります。");
    master.moveToMaker(2);
    master.moveToMaker(1);
    // Its own name, or blanking a row, is always taken.
    EXPECT_EQ(refusal(1, "日産"), QString());
    EXPECT_EQ(refusal(3, ""), QString());
    master.save();

    EXPECT_EQ(test::readBytes(path("トヨタ")), toyotaBytes);
    EXPECT_EQ(lines("トヨタ").size(), 33);
    EXPECT_EQ(test::readBytes(path("Honda")), hondaBytes);
    EXPECT_EQ(lines("日産"), QStringList({"ノート"}));
    EXPECT_EQ(lines("Maker.dat"), QStringList({"トヨタ", "日産", "Honda", ""}));
}

TEST_F(CarMasterFiles, deletingOneOfTwoRowsNamingOneFile_keepsTheFile)
{
    // Lists edited by hand (or written before names were checked) may name
    // one file twice.
    write("Maker.dat", {"トヨタ", "日産", "トヨタ"});
    write("トヨタ", {"カローラ", "プリウス"});
    CarMaster master(folder);
    master.moveToMaker(2);
    vendara::testing::FakeQuestions asker;
    asker.answer(true);
    EXPECT_TRUE(master.deleteCurrentMaker(asker));
    EXPECT_EQ(asker.asked.last(), CarMaster::deleteSharedMakerQuestion("トヨタ"));
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", "プリウス"}));
    // The last row naming it takes the file with it, as any maker does.
    master.moveToMaker(0);
    asker.answer(true);
    EXPECT_TRUE(master.deleteCurrentMaker(asker));
    EXPECT_EQ(asker.asked.last(), CarMaster::deleteMakerQuestion("トヨタ"));
    EXPECT_FALSE(QFile::exists(path("トヨタ")));
}

TEST_F(CarMasterFiles, sortMakers_keepsEveryCarListWithItsMaker)
{
    write("Maker.dat", {"日産", "BMW", "アウディ", "audi", "トヨタ", ""});
    write("日産", {"ノート"});
    write("BMW", {"X1"});
    write("アウディ", {"A3"});
    write("トヨタ", {"ヤリス"});
    CarMaster master(folder);
    master.setCarText(0, "ノート オーラ"); // unsaved edit of the current maker
    master.sortMakers();
    EXPECT_EQ(lines("日産"), QStringList({"ノート オーラ"}));
    EXPECT_EQ(master.makers().first(), " "); // the blank line, held as a space, sorts first
    EXPECT_EQ(master.makers().size(), 6);
    // The current row now holds another maker and shows that maker's cars.
    EXPECT_EQ(master.currentMakerRow(), 0);
    EXPECT_EQ(master.cars(), QStringList({""}));
    const QHash<QString, QStringList> expected = {
        {"日産", {"ノート オーラ"}}, {"BMW", {"X1"}}, {"トヨタ", {"ヤリス"}}, {"アウディ", {"A3"}}};
    int checked = 0;
    for (int row = 0; row < master.makers().size(); ++row) {
        master.moveToMaker(row);
        const auto it = expected.constFind(master.currentMakerName());
        if (it == expected.cend())
            continue;
        EXPECT_EQ(master.cars(), *it) << it.key().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}

TEST_F(CarMasterFiles, sortedCars_giveThePickedNameWithItsMaker)
{
    writeThreeMakers();
    CarMaster master(folder);
    master.setCarText(0, "プリウス");
    master.setCarText(1, "カローラ");
    master.sortCars();
    EXPECT_EQ(master.cars(), QStringList({"カローラ", "プリウス"}));
    master.setCurrentCarRow(0);
    EXPECT_EQ(master.selectedName(), "トヨタ カローラ");
    master.setCarText(0, "");
    EXPECT_EQ(master.selectedName(), "トヨタ");
    master.setCarText(0, " ");
    master.setMakerText(0, " トヨタ ");
    EXPECT_EQ(master.selectedName(), "トヨタ");
}

TEST(JapaneseSort, ignoresCaseAndOrdersKanaAndLatinAsTheLocaleDoes)
{
    QStringList names = {"bmw", "Audi", "BMW", "audi", "マツダ", "アウディ", " ", "トヨタ", ""};
    sortJapaneseIgnoringCase(names);
    ASSERT_EQ(names.size(), 9);
    EXPECT_TRUE(names[0].trimmed().isEmpty());
    EXPECT_TRUE(names[1].trimmed().isEmpty());
    // Case-only differences are equal and keep their order.
    EXPECT_EQ(names.mid(2, 4), QStringList({"Audi", "audi", "bmw", "BMW"}));
    EXPECT_EQ(names.mid(6), QStringList({"アウディ", "トヨタ", "マツダ"}));
}

TEST(JapaneseSort, hiraganaAndKatakana_areInterleavedByReading)
{
    QStringList names = {"ホンダ", "すずき", "カローラ", "いすゞ"};
    sortJapaneseIgnoringCase(names);
    EXPECT_EQ(names, QStringList({"いすゞ", "カローラ", "すずき", "ホンダ"}));
}

TEST_F(CarMasterFiles, unreadableCarList_isReportedAndNotWrittenBack)
{
    write("Maker.dat", {"トヨタ", "日産"});
    write("トヨタ", {"カローラ"});
    QDir(folder).mkpath("日産"); // a folder, not a car-name file
    CarMaster master(folder);
    EXPECT_THROW(master.moveToMaker(1), Error);
    EXPECT_EQ(master.currentMakerRow(), 1);
    master.setCarText(0, "typed over the failure");
    master.moveToMaker(0);
    EXPECT_TRUE(QFileInfo(path("日産")).isDir());
    EXPECT_EQ(master.cars(), QStringList({"カローラ"}));

    QFile::remove(path("Maker.dat"));
    QDir(folder).mkpath("Maker.dat");
    ASSERT_TRUE(QFileInfo(path("Maker.dat")).isDir());
    EXPECT_THROW(CarMaster{folder}, Error);
}

// Two desks on one data folder, each master read before the other wrote.
TEST_F(CarMasterFiles, carsChangedOnAnotherDesk_areNotReplacedUntilOverwrittenOrReloaded)
{
    writeThreeMakers();
    CarMaster first(folder);
    CarMaster second(folder);
    first.setCarText(1, "アクア");
    first.moveToMaker(1); // writes トヨタ's cars
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", "アクア"}));

    second.setCarText(0, "クラウン");
    EXPECT_THROW(second.moveToMaker(1), FileChangedError);
    EXPECT_EQ(second.currentMakerRow(), 0); // stays on the row whose cars were not written
    EXPECT_THROW(second.save(), FileChangedError);
    EXPECT_EQ(lines("トヨタ"), QStringList({"カローラ", "アクア"}));

    second.loadCars();
    EXPECT_EQ(second.cars(), QStringList({"カローラ", "アクア"}));
    second.setCarText(0, "クラウン");
    second.moveToMaker(1);
    EXPECT_EQ(lines("トヨタ"), QStringList({"クラウン", "アクア"}));
}

TEST_F(CarMasterFiles, makerListChangedOnAnotherDesk_isRefusedThenOverwrittenOrReloaded)
{
    writeThreeMakers();
    CarMaster first(folder);
    CarMaster second(folder);
    first.addMaker();
    first.setMakerText(3, "マツダ");
    first.save();
    second.setMakerText(2, "スズキ");

    try {
        second.save();
        FAIL() << "the maker list of the first desk was replaced";
    } catch (const FileChangedError &e) {
        EXPECT_TRUE(e.message().contains("トヨタ\n日産\nホンダ\n…")) << e.message().toStdString();
    }
    EXPECT_EQ(lines("Maker.dat"), QStringList({"トヨタ", "日産", "ホンダ", "マツダ"}));

    second.moveToMaker(1);
    second.load();
    EXPECT_EQ(second.makers(), QStringList({"トヨタ", "日産", "ホンダ", "マツダ"}));
    EXPECT_EQ(second.currentMakerRow(), 1);
    EXPECT_EQ(second.cars(), QStringList({"ノート"}));

    first.setMakerText(3, "スバル");
    first.save(Overwrite::Force);
    EXPECT_EQ(lines("Maker.dat"), QStringList({"トヨタ", "日産", "ホンダ", "スバル"}));
}
