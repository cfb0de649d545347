#include "app/settings.h"

#include "support/testdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

TEST(Settings, noFile_givesTheDefaults)
{
    QTemporaryDir dir;
    const LoadedSettings s = Settings(dir.filePath("vendara.ini")).load(true);
    EXPECT_FALSE(s.eraDates);
    EXPECT_EQ(s.defaultDatePattern, QStringLiteral("YYYY/MM/DD"));
    EXPECT_EQ(s.nextSlipCode, QStringLiteral("00000000"));
    EXPECT_DOUBLE_EQ(s.taxRate, 5);
    EXPECT_EQ(s.rounding, 0);
    EXPECT_DOUBLE_EQ(s.annualRate, 0);
    EXPECT_EQ(s.acquisitionRatio, 90);
    EXPECT_DOUBLE_EQ(s.correctionX, 0);
}

TEST(Settings, fullLoad_readsEveryKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vendara.ini");
    test::writeSjisLines(path, {"[Date]", "Date=2", "[Slip]", "No=123", "[Tax]", "SRate=10", "Hasu=2",
                                "Std=90.5", "[Credit]", "Rate=3.9", "[Init]", "Dir=/home/u/見積", "[Print]",
                                "Fix_X=1.5", "Fix_Y=-2"});
    const LoadedSettings s = Settings(path).load(true);
    EXPECT_TRUE(s.eraDates); // any value but 0 is the era form
    EXPECT_EQ(s.defaultDatePattern, QStringLiteral("GGEE/MM/DD"));
    EXPECT_EQ(s.nextSlipCode, QStringLiteral("00000123"));
    EXPECT_DOUBLE_EQ(s.taxRate, 10);
    EXPECT_EQ(s.rounding, 2);
    EXPECT_DOUBLE_EQ(s.annualRate, 3.9);
    EXPECT_EQ(s.startFolder, QStringLiteral("/home/u/見積"));
    EXPECT_EQ(s.acquisitionRatio, 90); // 90.5 is not a whole number
    EXPECT_DOUBLE_EQ(s.correctionX, 1.5);
    EXPECT_DOUBLE_EQ(s.correctionY, -2);
}

TEST(Settings, partialLoad_takesOnlyTheDateForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vendara.ini");
    test::writeSjisLines(path, {"[Date]", "Date=1", "[Slip]", "No=9", "[Tax]", "SRate=8"});
    const LoadedSettings s = Settings(path).load(false);
    EXPECT_TRUE(s.eraDates);
    EXPECT_EQ(s.nextSlipCode, QStringLiteral("00000000"));
    EXPECT_DOUBLE_EQ(s.taxRate, 5);
}

TEST(Settings, basicPage_savesAndDetectsChanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vendara.ini");
    test::writeSjisLines(path, {"; kept", "[Slip]", "No=7"});
    const Settings settings(path);
    BasicSettings b = settings.loadBasic();
    EXPECT_FALSE(settings.isChanged(b));
    b.standardTaxRate = 10;
    b.acquisitionRatio = 85.5;
    EXPECT_TRUE(settings.isChanged(b));
    settings.saveBasic(b);
    EXPECT_FALSE(settings.isChanged(b));
    EXPECT_EQ(settings.nextSlipNumber(), 7);
    EXPECT_TRUE(test::readBytes(path).startsWith("; kept\r\n[Slip]\r\nNo=7\r\n"));
    EXPECT_EQ(settings.load(true).acquisitionRatio, 90); // 85.5 read as an integer
}

TEST(Settings, slipCode_hasEightDigits)
{
    EXPECT_EQ(Settings::formatSlipCode(0), QStringLiteral("00000000"));
    EXPECT_EQ(Settings::formatSlipCode(42), QStringLiteral("00000042"));
    EXPECT_EQ(Settings::formatSlipCode(123456789), QStringLiteral("123456789"));
}

TEST(Settings, roundingOutsideItsThreeChoices_readsAsTheFirst)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vendara.ini");
    for (const char *hasu : {"Hasu=3", "Hasu=-1", "Hasu=7", "Hasu=x"}) {
        test::writeSjisLines(path, {"[Tax]", hasu, "[Print]", "Fix_X=2,500"});
        EXPECT_EQ(Settings(path).load(true).rounding, 0) << hasu;
        EXPECT_EQ(Settings(path).loadBasic().rounding, 0) << hasu;
        EXPECT_DOUBLE_EQ(Settings(path).load(true).correctionX, 0) << "grouped digits are no number";
    }
}
