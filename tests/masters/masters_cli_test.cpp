#include "common/datafolder.h"
#include "common/textfile.h"

#include "support/testdata.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

QString kenLine(const QString &code, const QString &pref, const QString &city, const QString &area)
{
    return QStringLiteral("13101,\"%1\",\"%2\",\"ﾄｳｷｮｳﾄ\",\"ｶﾅ\",\"ｶﾅ\",\"%3\",\"%4\",\"%5\",0,0,0,0,0,0")
        .arg(code.left(3) + "  ", code, pref, city, area);
}

} // namespace

TEST(PostalCodeCommand, printsTabSeparatedResultsThenTheEndLine)
{
    QTemporaryDir root;
    const DataFolder data(root.path());
    QDir().mkpath(data.datPath("Mst/Zip"));
    test::writeSjisLines(data.datPath("Mst/Zip/A.CSV"), {kenLine("1000001", "東京都", "千代田区", "千代田"),
                                                         kenLine("1040061", "東京都", "中央区", "銀座")});
    test::writeSjisLines(data.datPath("Mst/Zip/B.CSV"), {kenLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合")});
    test::writeSjisLines(data.datPath("Mst/Zip/ziplist"), {"B.CSV", "MISSING.CSV", "A.CSV"});

    const test::CliResult r = test::runCli({"--data-dir", root.path(), "postalcode", "中央"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "0600000\t北海道\t札幌市中央区以下に掲載がない場合\n"
                     "1040061\t東京都\t中央区銀座\n"
                     "検索終了 - 2 件\n");

    const test::CliResult none = test::runCli({"--data-dir", root.path(), "postalcode", "999"});
    EXPECT_EQ(none.out, "検索終了 - 0 件\n");
    const test::CliResult missing = test::runCli({"--data-dir", root.path(), "postalcode"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("キーワード"));
}

TEST(PostalCodeCommand, noDictionaryList_findsNothing)
{
    QTemporaryDir root;
    const test::CliResult r = test::runCli({"--data-dir", root.path(), "postalcode", "060"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "検索終了 - 0 件\n");
}

TEST(PostalCodeCommand, formerNameZip_runsTheSameSearch)
{
    QTemporaryDir root;
    const DataFolder data(root.path());
    QDir().mkpath(data.datPath("Mst/Zip"));
    test::writeSjisLines(data.datPath("Mst/Zip/A.CSV"), {kenLine("1000001", "東京都", "千代田区", "千代田")});
    test::writeSjisLines(data.datPath("Mst/Zip/ziplist"), {"A.CSV"});

    const test::CliResult byName = test::runCli({"--data-dir", root.path(), "postalcode", "100"});
    const test::CliResult byFormerName = test::runCli({"--data-dir", root.path(), "zip", "100"});
    EXPECT_EQ(byFormerName.exitCode, 0) << byFormerName.err.toStdString();
    EXPECT_EQ(byFormerName.out, byName.out);
    EXPECT_EQ(byName.out, "1000001\t東京都\t千代田区千代田\n検索終了 - 1 件\n");
}

TEST(GtaxCommand, usesTheSettingsRateUnlessGivenOne)
{
    QTemporaryDir root;
    const DataFolder data(root.path());
    textfile::writeLines(data.settingsPath(), {"[Tax]", "Gtax=3"});
    const test::CliResult r = test::runCli({"--data-dir", root.path(), "gtax", "1000000", "234567"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "total\t1234567\ntax\t37000\n");

    const test::CliResult given = test::runCli({"--data-dir", root.path(), "gtax", "--rate", "5", "500000"});
    EXPECT_EQ(given.out, "total\t500000\ntax\t25000\n");
    const test::CliResult below = test::runCli({"--data-dir", root.path(), "gtax", "499999", "1,000"});
    EXPECT_EQ(below.out, "total\t499999\ntax\t0\n");
    EXPECT_EQ(test::runCli({"--data-dir", root.path(), "gtax", "--rate", "x", "1"}).exitCode, 1);
    EXPECT_EQ(test::runCli({"--data-dir", root.path(), "gtax"}).exitCode, 1);
}

TEST(GtaxCommand, defaultRate_isFiveWithoutSettings)
{
    QTemporaryDir root;
    const test::CliResult r = test::runCli({"--data-dir", root.path(), "gtax", "500000"});
    EXPECT_EQ(r.out, "total\t500000\ntax\t25000\n");
}
