#include "settings/settings.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/filelock.h"

#include "support/permissions.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

// A data root whose settings file and DefPrDat the tests write.
struct SettingsFolder
{
    QTemporaryDir dir;
    DataFolder data{dir.path() + QStringLiteral("/")};

    SettingsFolder() { QDir().mkpath(data.mastersDir()); }
    void writeSettings(const QStringList &lines) const { test::writeSjisLines(data.settingsPath(), lines); }
    void writeDefaultPrint(const QStringList &lines) const
    {
        test::writeSjisLines(DefaultPrintSettings::filePath(data), lines);
    }
};

} // namespace

TEST(Settings, noFiles_giveTheDefaults)
{
    SettingsFolder f;
    Settings settings(f.data);
    settings.load();
    EXPECT_EQ(settings.basic(), BasicSettings{});
    EXPECT_EQ(settings.datePattern(), QStringLiteral("YYYY/MM/DD"));
    EXPECT_EQ(settings.slipAcquisitionRatio(), 90);
    EXPECT_EQ(settings.defaultPrint(), DefaultPrintSettings::defaults());
    EXPECT_EQ(settings.nextSlipNumber(), 0);
    EXPECT_DOUBLE_EQ(settings.correctionX(), 0);
    EXPECT_FALSE(QFile::exists(f.data.settingsPath())); // reading writes nothing
}

TEST(Settings, load_readsEveryKeyOfBothFiles)
{
    SettingsFolder f;
    f.writeSettings({"[Date]", "Date=2", "[Slip]", "No=123", "[Tax]", "SRate=10", "Hasu=2", "Gtax=3", "Std=90.5",
                     "[Credit]", "Rate=3.9", "[Init]", "Dir=/home/u/見積", "PdfDir=/tmp/pdf", "[Print]", "Fix_X=1.5",
                     "Fix_Y=-2"});
    f.writeDefaultPrint({"[Mit]", "1=御見積書", "[Def]", "FomatM=見積A4", "Logo=本店"});
    Settings settings(f.data);
    settings.load();
    const BasicSettings &b = settings.basic();
    EXPECT_EQ(b.dateForm, DateForm::Era); // any value but 0 is the era form
    EXPECT_EQ(settings.datePattern(), QStringLiteral("GGEE/MM/DD"));
    EXPECT_DOUBLE_EQ(b.standardTaxRate, 10);
    EXPECT_EQ(b.rounding, 2);
    EXPECT_DOUBLE_EQ(b.acquisitionTaxRate, 3);
    EXPECT_DOUBLE_EQ(b.acquisitionRatio, 90.5);
    EXPECT_DOUBLE_EQ(b.creditRate, 3.9);
    EXPECT_EQ(settings.slipAcquisitionRatio(), 90); // a new slip takes whole numbers only
    EXPECT_EQ(Settings::formatSlipCode(settings.nextSlipNumber()), QStringLiteral("00000123"));
    EXPECT_EQ(settings.startFolder(), QStringLiteral("/home/u/見積"));
    EXPECT_EQ(settings.pdfFolder(), QStringLiteral("/tmp/pdf"));
    EXPECT_DOUBLE_EQ(settings.correctionX(), 1.5);
    EXPECT_DOUBLE_EQ(settings.correctionY(), -2);
    EXPECT_EQ(settings.defaultPrint().titles[0][0], QStringLiteral("御見積書"));
    EXPECT_EQ(settings.defaultPrint().formatNames[0], QStringLiteral("見積A4"));
    EXPECT_EQ(settings.defaultPrint().setName, QStringLiteral("本店"));
}

TEST(Settings, saveBasic_writesItsKeysKeepsTheRestAndAnnouncesTheChange)
{
    SettingsFolder f;
    f.writeSettings({"; kept", "[Slip]", "No=7"});
    Settings settings(f.data);
    settings.load();
    QSignalSpy changed(&settings, &Settings::changed);
    BasicSettings b = settings.basic();
    EXPECT_FALSE(settings.isChanged(b));
    b.standardTaxRate = 10;
    b.acquisitionRatio = 85.5;
    b.dateForm = DateForm::Era;
    EXPECT_TRUE(settings.isChanged(b));
    settings.saveBasic(b);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(settings.basic(), b);
    EXPECT_FALSE(settings.isChanged(b));
    EXPECT_EQ(settings.nextSlipNumber(), 7);
    EXPECT_TRUE(test::readBytes(f.data.settingsPath()).startsWith("; kept\r\n[Slip]\r\nNo=7\r\n"));
    EXPECT_EQ(settings.slipAcquisitionRatio(), 90); // 85.5 is no whole number

    // Saving the same values again, or loading an unchanged file, is no change.
    settings.saveBasic(b);
    settings.load();
    EXPECT_EQ(changed.size(), 1);
}

TEST(Settings, changesOfOtherWindows_areSeenOnLoadAndNeverOverwritten)
{
    SettingsFolder f;
    Settings mine(f.data);
    Settings theirs(f.data);
    mine.load();
    QSignalSpy changed(&mine, &Settings::changed);

    BasicSettings b;
    b.standardTaxRate = 8;
    theirs.saveBasic(b);
    theirs.setNextSlipNumber(41);
    // A value kept between runs is written alone: the other window's rate stays.
    mine.setStartFolder(QStringLiteral("/slips/"));
    mine.setCorrections(1, 2);
    EXPECT_EQ(mine.nextSlipNumber(), 41);
    EXPECT_EQ(changed.size(), 0);
    mine.load();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_DOUBLE_EQ(mine.basic().standardTaxRate, 8);
    EXPECT_FALSE(mine.isChanged(b));
    theirs.load();
    EXPECT_EQ(theirs.startFolder(), QStringLiteral("/slips/"));
    EXPECT_DOUBLE_EQ(theirs.correctionY(), 2);
}

TEST(Settings, saveDefaultPrint_writesDefPrDatAndAnnouncesTheChange)
{
    SettingsFolder f;
    Settings settings(f.data);
    settings.load();
    QSignalSpy changed(&settings, &Settings::changed);
    DefaultPrintSettings print = settings.defaultPrint();
    print.titles[1][0] = QStringLiteral("御注文書");
    print.copies[3] = true;
    settings.saveDefaultPrint(print);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(settings.defaultPrint(), print);
    EXPECT_EQ(DefaultPrintSettings::load(f.data), print);
}

TEST(Settings, optionsChangedOnAnotherDesk_areNotReplacedUnlessForced)
{
    SettingsFolder f;
    Settings mine(f.data);
    Settings theirs(f.data);
    mine.load();
    theirs.load();

    // The values kept between runs change all the time: never a conflict.
    theirs.takeSlipNumber();
    theirs.setStartFolder(QStringLiteral("/slips/"));
    BasicSettings edited = mine.basic();
    edited.creditRate = 3;
    mine.saveBasic(edited);

    theirs.load();
    BasicSettings other = theirs.basic();
    other.standardTaxRate = 8;
    other.rounding = 1;
    theirs.saveBasic(other);
    const QByteArray before = test::readBytes(f.data.settingsPath());
    edited.standardTaxRate = 10;
    try {
        mine.saveBasic(edited);
        ADD_FAILURE() << "another desk's basic values were replaced";
    } catch (const FileChangedError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("[Tax] SRate=8"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("[Tax] Hasu=1"))) << e.message().toStdString();
        EXPECT_FALSE(e.message().contains(QStringLiteral("Rate=3"))) << "unchanged keys are not listed";
    }
    EXPECT_EQ(test::readBytes(f.data.settingsPath()), before);
    mine.saveBasic(edited, Overwrite::Force);
    EXPECT_EQ(mine.basic(), edited);
    EXPECT_EQ(mine.nextSlipNumber(), 1);

    // The default print settings file: the same, as a whole file.
    DefaultPrintSettings print = mine.defaultPrint();
    DefaultPrintSettings otherPrint = theirs.defaultPrint();
    otherPrint.titles[0][0] = QStringLiteral("御見積書");
    theirs.saveDefaultPrint(otherPrint);
    print.copies[3] = true;
    EXPECT_THROW(mine.saveDefaultPrint(print), FileChangedError);
    EXPECT_EQ(DefaultPrintSettings::load(f.data), otherPrint);
    mine.saveDefaultPrint(print, Overwrite::Force);
    EXPECT_EQ(DefaultPrintSettings::load(f.data), print);
    // What this desk wrote is what it read from now on.
    print.copies[2] = true;
    mine.saveDefaultPrint(print);
    EXPECT_EQ(DefaultPrintSettings::load(f.data), print);
}

TEST(Settings, slipCode_hasEightDigits)
{
    EXPECT_EQ(Settings::formatSlipCode(0), QStringLiteral("00000000"));
    EXPECT_EQ(Settings::formatSlipCode(42), QStringLiteral("00000042"));
    EXPECT_EQ(Settings::formatSlipCode(123456789), QStringLiteral("123456789"));
    EXPECT_EQ(Settings::formatSlipCode(-5), QStringLiteral("-00000005"));
}

TEST(Settings, roundingOutsideItsThreeChoices_readsAsTheFirst)
{
    SettingsFolder f;
    for (const char *hasu : {"Hasu=3", "Hasu=-1", "Hasu=7", "Hasu=x"}) {
        f.writeSettings({"[Tax]", hasu, "[Print]", "Fix_X=2,500"});
        Settings settings(f.data);
        settings.load();
        EXPECT_EQ(settings.basic().rounding, 0) << hasu;
        EXPECT_DOUBLE_EQ(settings.correctionX(), 0) << "grouped digits are no number";
    }
}

TEST(Settings, takeSlipNumber_givesTheNextAndWritesTheOneAfterKeepingEveryOtherLine)
{
    SettingsFolder f;
    f.writeSettings({"; kept", "[Slip]", "No=41", "Foreign=値", "[Tax]", "SRate=10", "[Init]", "Dir=/slips/"});
    Settings settings(f.data);
    EXPECT_EQ(settings.takeSlipNumber(), 41);
    EXPECT_EQ(settings.takeSlipNumber(), 42);
    EXPECT_EQ(test::readBytes(f.data.settingsPath()),
              cp932::encode(QStringLiteral("; kept\r\n[Slip]\r\nNo=43\r\nForeign=値\r\n[Tax]\r\nSRate=10\r\n"
                                           "[Init]\r\nDir=/slips/\r\n")));
    EXPECT_TRUE(QFile::exists(f.data.settingsPath() + QStringLiteral(".lock")));
    EXPECT_EQ(settings.lockPath(), f.data.settingsPath() + QStringLiteral(".lock"));
}

TEST(Settings, takeSlipNumber_withoutAFile_startsAtZero)
{
    SettingsFolder f;
    Settings settings(f.data);
    EXPECT_EQ(settings.takeSlipNumber(), 0);
    EXPECT_EQ(settings.nextSlipNumber(), 1);
}

TEST(Settings, takeSlipNumber_proposedAboveTheNext_takesTheProposed)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=5"});
    Settings settings(f.data);
    QList<int> written;
    const auto record = [&written](int number) {
        written << number;
        return true;
    };
    EXPECT_EQ(settings.takeSlipNumber(9, record), 9);
    EXPECT_EQ(settings.nextSlipNumber(), 10);
    // One taken meanwhile: the proposal gives way to the next free number.
    EXPECT_EQ(settings.takeSlipNumber(9, record), 10);
    EXPECT_EQ(settings.nextSlipNumber(), 11);
    EXPECT_EQ(written, QList<int>({9, 10}));
}

TEST(Settings, takeSlipNumber_whoseWriteFails_takesNothing)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=5"});
    const QByteArray before = test::readBytes(f.data.settingsPath());
    Settings settings(f.data);
    EXPECT_EQ(settings.takeSlipNumber(std::nullopt, [](int) { return false; }), std::nullopt);
    EXPECT_THROW(settings.takeSlipNumber(std::nullopt, [](int) -> bool { throw Error(QStringLiteral("x")); }), Error);
    EXPECT_EQ(test::readBytes(f.data.settingsPath()), before);
    EXPECT_EQ(settings.takeSlipNumber(), 5);
}

TEST(Settings, takeSlipNumber_runsTheWriteWhileTheLockIsHeld)
{
    SettingsFolder f;
    Settings settings(f.data);
    bool heldDuringWrite = false;
    settings.takeSlipNumber(std::nullopt, [&](int) {
        heldDuringWrite = FileLock::isHeld(settings.lockPath());
        return true;
    });
    EXPECT_TRUE(heldDuringWrite);
    EXPECT_FALSE(FileLock::isHeld(settings.lockPath()));
}

TEST(Settings, lastSlipNumber_hasNoNextAndIsRefused)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=2147483647"});
    Settings settings(f.data);
    EXPECT_THROW(settings.takeSlipNumber(), Error);
    EXPECT_THROW(settings.raiseSlipNumberPast(2147483647), Error);
    EXPECT_EQ(settings.nextSlipNumber(), 2147483647);
}

TEST(Settings, raiseSlipNumberPast_movesTheNextOnlyForward)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=5", "[Tax]", "SRate=10"});
    Settings settings(f.data);
    settings.raiseSlipNumberPast(3);
    EXPECT_EQ(settings.nextSlipNumber(), 5);
    settings.raiseSlipNumberPast(5);
    EXPECT_EQ(settings.nextSlipNumber(), 6);
    settings.raiseSlipNumberPast(12);
    EXPECT_EQ(settings.nextSlipNumber(), 13);
    settings.loadBasic();
    EXPECT_DOUBLE_EQ(settings.basic().standardTaxRate, 10);
}

TEST(Settings, everyWrite_waitsForTheLockAndFailsWhenItStaysHeld)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=5"});
    const QByteArray before = test::readBytes(f.data.settingsPath());
    Settings settings(f.data);
    settings.setLockTimeout(0);
    {
        const FileLock otherProcess(settings.lockPath());
        EXPECT_THROW(settings.takeSlipNumber(), Error);
        EXPECT_THROW(settings.raiseSlipNumberPast(9), Error);
        EXPECT_THROW(settings.setNextSlipNumber(9), Error);
        EXPECT_THROW(settings.setStartFolder(QStringLiteral("/x/")), Error);
        EXPECT_THROW(settings.setPdfFolder(QStringLiteral("/x/")), Error);
        EXPECT_THROW(settings.setCorrections(1, 2), Error);
        EXPECT_THROW(settings.saveBasic(BasicSettings{}), Error);
        EXPECT_EQ(test::readBytes(f.data.settingsPath()), before);
    }
    EXPECT_EQ(settings.takeSlipNumber(), 5);
}

TEST(Settings, settingsFileThatCannotBeRead_isNeverWrittenOver)
{
    SettingsFolder f;
    f.writeSettings({"[Slip]", "No=5", "[Tax]", "SRate=10"});
    const QByteArray before = test::readBytes(f.data.settingsPath());
    QFile::setPermissions(f.data.settingsPath(), QFile::WriteOwner);
    const test::PermissionsBind bind;
    if (!bind.failure().isEmpty())
        GTEST_SKIP() << bind.failure().toStdString();
    Settings settings(f.data);
    EXPECT_THROW(settings.takeSlipNumber(), Error);
    EXPECT_THROW(settings.setStartFolder(QStringLiteral("/x/")), Error);
    QFile::setPermissions(f.data.settingsPath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(test::readBytes(f.data.settingsPath()), before);
}
