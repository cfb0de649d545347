#include "printsettings/defaultprintsettings.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "support/testdata.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

struct DataDir
{
    QTemporaryDir dir;
    DataFolder data{dir.path()};
    DataDir() { QDir().mkpath(data.datPath(QStringLiteral("Mst"))); }
    QString defPrDat() const { return data.datPath(QStringLiteral("Mst/DefPrDat")); }
};

} // namespace

TEST(DocumentKind, namesAndSlipDiv_mapToKindsAndUnknownNamesToNone)
{
    EXPECT_EQ(documentKindName(DocumentKind::Estimate), QStringLiteral("見積書"));
    EXPECT_EQ(documentKindName(DocumentKind::Order), QStringLiteral("注文書"));
    EXPECT_EQ(documentKindFromName(QStringLiteral("注文書")), DocumentKind::Order);
    EXPECT_FALSE(documentKindFromName(QStringLiteral("請求書")).has_value());
    EXPECT_EQ(documentKindOfSlipDiv(1), DocumentKind::Order);
    EXPECT_EQ(documentKindOfSlipDiv(0), DocumentKind::Estimate);
}

TEST(DefaultPrintSettings, missingFile_givesTheDefaults)
{
    DataDir d;
    const DefaultPrintSettings s = DefaultPrintSettings::load(d.data);
    EXPECT_EQ(s.titles[0], (CopyTitles{"見積書", "見積書(控)", "", ""}));
    EXPECT_EQ(s.titles[1], (CopyTitles{"注文書", "注文書(控)", "", ""}));
    EXPECT_EQ(s.copies, (CopySwitches{true, true, false, false}));
    EXPECT_EQ(s.formatNames, (std::array<QString, 2>{}));
    EXPECT_EQ(s.setName, QString());
    EXPECT_EQ(s, DefaultPrintSettings::defaults());
}

TEST(DefaultPrintSettings, save_writesAllFifteenKeysInTheirOrder)
{
    DataDir d;
    DefaultPrintSettings::defaults().save(d.data, {});
    const QByteArray expected = cp932::encode(QStringLiteral(
        "[Mit]\r\n1=見積書\r\n2=見積書(控)\r\n3=\r\n4=\r\n"
        "[Tyu]\r\n1=注文書\r\n2=注文書(控)\r\n3=\r\n4=\r\n"
        "[Fuk]\r\n0=1\r\n1=1\r\n2=0\r\n3=0\r\n"
        "[Def]\r\nFomatM=\r\nFomatT=\r\nLogo=\r\n"));
    EXPECT_EQ(test::readBytes(d.defPrDat()), expected);
}

TEST(DefaultPrintSettings, clearedTitleAndOwnChoices_readBackAsWritten)
{
    DataDir d;
    DefaultPrintSettings s = DefaultPrintSettings::defaults();
    s.titles[0][0] = QString(); // cleared by the user: stays empty, not the default
    s.titles[1][3] = QStringLiteral("注文書(写)");
    s.copies = {false, true, true, true};
    s.formatNames = {QStringLiteral("見積書_A4"), QStringLiteral("注文書_A4")};
    s.setName = QStringLiteral("本社");
    s.save(d.data, {});
    EXPECT_EQ(DefaultPrintSettings::load(d.data), s);
    EXPECT_TRUE(test::readBytes(d.defPrDat()).contains("\r\n1=\r\n"));
}

TEST(DefaultPrintSettings, copySwitches_readAsIntegersWithDefaultsForOtherText)
{
    DataDir d;
    test::writeSjisLines(d.defPrDat(), {"[fuk]", "0=0", "1=yes", "2=0x10", "3=-1"});
    const DefaultPrintSettings s = DefaultPrintSettings::load(d.data);
    EXPECT_EQ(s.copies, (CopySwitches{false, true, true, true}));
}

TEST(DefaultPrintSettings, save_keepsForeignLinesOfTheFile)
{
    DataDir d;
    test::writeSjisLines(d.defPrDat(), {"; comment", "[Def]", "Other=x", "Logo=old"});
    DefaultPrintSettings s = DefaultPrintSettings::defaults();
    s.setName = QStringLiteral("新");
    s.save(d.data, FileVersion::of(d.defPrDat()));
    const QString text = cp932::decode(test::readBytes(d.defPrDat()));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; comment\r\n[Def]\r\nOther=x\r\nLogo=新\r\n")));
}

TEST(CurrentPrintSettings, load_buildsPathsEvenForEmptyNamesAndTakesCorrections)
{
    DataDir d;
    CurrentPrintSettings s = CurrentPrintSettings::from(d.data, DefaultPrintSettings::load(d.data), 1.5f, -2.0f);
    EXPECT_EQ(s.formatPathOf(DocumentKind::Estimate), d.data.datPath(QStringLiteral("Fmt/.fmt")));
    EXPECT_EQ(s.setPath, d.data.datPath(QStringLiteral("Etc/.Dat")));
    EXPECT_EQ(s.titlesOf(DocumentKind::Order)[1], QStringLiteral("注文書(控)"));
    EXPECT_FLOAT_EQ(s.correctionX, 1.5f);
    EXPECT_FLOAT_EQ(s.correctionY, -2.0f);

    DefaultPrintSettings saved = DefaultPrintSettings::defaults();
    saved.formatNames = {QStringLiteral("見積書_A4"), QStringLiteral("注文書_A4")};
    saved.setName = QStringLiteral("本社");
    saved.titles[0][2] = QStringLiteral("見積書(写)");
    saved.save(d.data, FileVersion::of(d.defPrDat()));
    s.titles[0][0] = QStringLiteral("edited before a print");
    s.correctionX = 3.0f;
    s.refill(d.data, DefaultPrintSettings::load(d.data));
    EXPECT_EQ(s.formatPathOf(DocumentKind::Estimate), d.data.datPath(QStringLiteral("Fmt/見積書_A4.fmt")));
    EXPECT_EQ(s.formatPathOf(DocumentKind::Order), d.data.datPath(QStringLiteral("Fmt/注文書_A4.fmt")));
    EXPECT_EQ(s.setPath, d.data.datPath(QStringLiteral("Etc/本社.Dat")));
    EXPECT_EQ(s.titlesOf(DocumentKind::Estimate)[0], QStringLiteral("見積書")) << "refilled from the file";
    EXPECT_EQ(s.titlesOf(DocumentKind::Estimate)[2], QStringLiteral("見積書(写)"));
    EXPECT_FLOAT_EQ(s.correctionX, 3.0f) << "reloading leaves the corrections";
}

TEST(CurrentPrintSettings, namesLeadingOutOfTheirFolder_nameNoFile)
{
    DataDir d;
    test::writeSjisLines(d.defPrDat(), {"[Def]", "FomatM=../../etc/passwd", "Logo=../x"});
    const CurrentPrintSettings s = CurrentPrintSettings::from(d.data, DefaultPrintSettings::load(d.data), 0, 0);
    EXPECT_EQ(s.formatPathOf(DocumentKind::Estimate), d.data.datPath(QStringLiteral("Fmt/.fmt")));
    EXPECT_EQ(s.setPath, d.data.datPath(QStringLiteral("Etc/.Dat")));
    EXPECT_THROW(formatFilePath(d.data, QStringLiteral("a/b")), Error);
    EXPECT_EQ(formatFilePath(d.data, QStringLiteral("..")), d.data.datPath(QStringLiteral("Fmt/...fmt")))
        << "the appended extension keeps .. inside the folder";
}
