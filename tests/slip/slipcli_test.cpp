#include "common/iniprofile.h"
#include "support/testdata.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

// A data root of its own, so no user settings take part.
struct CliRun
{
    CliRun()
    {
        test::writeSjisLines(root.filePath(QStringLiteral("vendara.ini")), {"[Tax]", "Std=85"});
    }

    test::CliResult operator()(const QStringList &args) const
    {
        return test::runCli(QStringList{QStringLiteral("--data-dir"), root.path()} + args);
    }

    QString copyOf(const QString &fixture) const
    {
        const QString path = root.filePath(fixture);
        QFile::copy(test::fixturePath(QStringLiteral("slip/") + fixture), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    QTemporaryDir root;
};

QString value(const IniProfile &ini, const char *section, const char *key)
{
    return ini.value(QLatin1String(section), QLatin1String(key)).value_or(QStringLiteral("<missing>"));
}

} // namespace

TEST(SlipCli, recalcOfAHandWrittenSlip_givesTheWorkedTotals)
{
    CliRun cli;
    const QString out = cli.root.filePath(QStringLiteral("out.pvq"));
    const test::CliResult r = cli({"recalc", test::fixturePath("slip/worked_totals.pvq"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    const IniProfile ini = IniProfile::load(out);
    const std::pair<const char *, const char *> price[] = {
        {"DisTitle", "値引き"}, {"Car", "1500000"},  {"Dis", "100000"},    {"Obj", "1400000"}, {"ObjTx", "70000"},
        {"Acc", "83333"},      {"AccTx", "4167"},   {"Spc", "0"},         {"SpcTx", "0"},     {"Prc", "1483333"},
        {"PrcTx", "74167"},    {"TxCst", "107980"}, {"PrCst", "20000"},   {"PrCstTx", "1000"}, {"ExCst", "5000"},
        {"Cost", "132980"},    {"CostTx", "1000"},  {"CarAmt", "1616313"}, {"CarAmtTx", "75167"},
        {"TaxInc", "1691480"}, {"Last", "1491480"},
    };
    for (const auto &[key, expected] : price)
        EXPECT_EQ(value(ini, "Price", key), QString::fromUtf8(expected)) << key;
    EXPECT_EQ(value(ini, "Car", "Tax"), "70000");
    EXPECT_EQ(value(ini, "Car", "Left"), "1200000"); // a used car keeps its own
    EXPECT_EQ(value(ini, "Car", "LineA2"), "\"フロア マット\",33333,");
    for (const auto &[key, v] : ini.sectionEntries("Pay"))
        EXPECT_EQ(v, key == "Method" ? "1" : "0") << key.toStdString();
    EXPECT_EQ(value(ini, "Idx", "Label7"), "合計が更新されました");
    EXPECT_EQ(value(ini, "Idx", "Label7c"), "255");
    EXPECT_EQ(value(ini, "Idx", "Label1"), "未設定");
    // Keys the writer does not own stay, and the input file is untouched.
    EXPECT_EQ(value(ini, "Car", "Extra"), "手で足した値");
    EXPECT_EQ(value(ini, "Custom", "Own"), "残す");
    EXPECT_FALSE(IniProfile::load(test::fixturePath("slip/worked_totals.pvq")).hasSection("Price"));
}

TEST(SlipCli, recalcInPlace_computesThePlanWithTheDataRootsRatio)
{
    CliRun cli;
    const QString path = cli.copyOf(QStringLiteral("worked_plan.pvq"));
    const test::CliResult r = cli({"recalc", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    const IniProfile ini = IniProfile::load(path);
    // No Tax section: rate 0, so the total to pay is the body price.
    EXPECT_EQ(value(ini, "Tax", "Rate"), "0");
    EXPECT_EQ(value(ini, "Price", "Last"), "1000000");
    EXPECT_EQ(value(ini, "Car", "Left"), "850000"); // [Tax] Std=85 of the data root
    const std::pair<const char *, const char *> pay[] = {
        {"Method", "0"},  {"Down", "100000"}, {"Rate", "3.9"},  {"Time", "60"},       {"BTime", "0"},
        {"BPlus", "0"},   {"Head", "100000"}, {"All", "900000"}, {"Int", "92091"},    {"Bonus1", "0"},
        {"Bonus2", "0"},  {"First", "18591"}, {"Month", "16500"}, {"Total", "1092091"},
    };
    for (const auto &[key, expected] : pay)
        EXPECT_EQ(value(ini, "Pay", key), QString::fromUtf8(expected)) << key;
    EXPECT_EQ(ini.sectionNames(), QStringList({"Car", "Pay", "Idx", "No", "Cust", "Tax", "Cost", "Trade", "Price",
                                               "Note", "Print"}));
}

TEST(SlipCli, check_printsEverySectionsStatusAndColour)
{
    CliRun cli;
    const test::CliResult r = cli({"check", test::fixturePath("slip/customer_only.pvq")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "1\t電話番号が未設定です\t255\n"
                     "2\t消費税率が未設定です\t255\n"
                     "3\t車名が未設定です\t255\n"
                     "4\t付属品が未設定です\t255\n"
                     "5\t自動車税が未設定です\t255\n"
                     "6\t車名が未設定です\t255\n"
                     "7\t確認済み\t16711680\n"
                     "8\t設定完了 (現金)\t16711680\n"
                     "9\t確認済み\t16711680\n");
}

TEST(SlipCli, checkOfChosenSections_writesTheResult)
{
    CliRun cli;
    const QString out = cli.root.filePath(QStringLiteral("checked.pvq"));
    const test::CliResult r = cli({"check", test::fixturePath("slip/worked_totals.pvq"), "--close", "8,2,7",
                                   "--write", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "8\t設定完了 (現金)\t16711680\n2\t設定完了\t16711680\n7\t確認済み\t16711680\n");

    const IniProfile ini = IniProfile::load(out);
    EXPECT_EQ(value(ini, "Idx", "Label2"), "設定完了");
    EXPECT_EQ(value(ini, "Idx", "Label7"), "確認済み"); // the totals ran before the checks
    EXPECT_EQ(value(ini, "Idx", "Label7c"), "16711680");
    EXPECT_EQ(value(ini, "Idx", "Label1"), "未設定");
    EXPECT_EQ(value(ini, "Price", "Last"), "1491480");
    EXPECT_EQ(value(ini, "Car", "Extra"), "手で足した値");
}

TEST(SlipCli, check_keepsTheStatusesOfSectionsNotClosed)
{
    CliRun cli;
    const QString out = cli.root.filePath(QStringLiteral("one.pvq"));
    const test::CliResult r = cli({"check", test::fixturePath("slip/customer_only.pvq"), "--close", "1", "--write", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "1\t電話番号が未設定です\t255\n");
    const IniProfile ini = IniProfile::load(out);
    EXPECT_EQ(value(ini, "Idx", "Btn1"), "0");
    EXPECT_EQ(value(ini, "Idx", "Label3"), "古い状態");
    EXPECT_EQ(value(ini, "Cust", "City_Add1"), "東京都千代田区");
}

TEST(SlipCli, failures_exitNonZeroWithOneLine)
{
    CliRun cli;
    const QString missing = cli.root.filePath(QStringLiteral("missing.pvq"));
    const QString fixture = test::fixturePath("slip/worked_plan.pvq");
    const QString badOut = cli.root.filePath(QStringLiteral("no/such/folder/out.pvq"));
    const struct
    {
        QStringList args;
        QString message;
    } cases[] = {
        {{"recalc", missing}, missing},
        {{"check", missing}, missing},
        {{"recalc", fixture, badOut}, badOut + " に書き込めません"},
        {{"check", fixture, "--write", badOut}, badOut + " に書き込めません"},
        {{"check", fixture, "--close", "0"}, "1～9"},
        {{"check", fixture, "--close", "1,x"}, "1～9"},
        {{"recalc"}, "入力の伝票ファイル"},
        {{"recalc", fixture, badOut, "extra"}, "extra"},
    };
    for (const auto &c : cases) {
        const test::CliResult r = cli(c.args);
        EXPECT_NE(r.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(badOut));
}

TEST(SlipCli, unwritableTarget_keepsItsContent)
{
    CliRun cli;
    const QString path = cli.copyOf(QStringLiteral("worked_plan.pvq"));
    const QByteArray before = test::readBytes(path);
    QFile::setPermissions(path, QFile::ReadOwner);
    const test::CliResult r = cli({"recalc", path});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(path + " に書き込めません")) << r.err.toStdString();
    EXPECT_EQ(test::readBytes(path), before);
}
