#include "support/testdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

TEST(Cli, help_listsSubcommands)
{
    const test::CliResult r = test::runCli({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("settings"));
}

TEST(Cli, unknownSubcommand_failsWithOneLine)
{
    const test::CliResult r = test::runCli({"no-such-command"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(r.err.count(u'\n'), 1);
}

TEST(Cli, settings_readTheDataRootsFile)
{
    QTemporaryDir dir;
    test::writeSjisLines(dir.filePath("vendara.ini"), {"[Tax]", "SRate=10", "[Date]", "Date=1"});
    const test::CliResult r = test::runCli({"--data-dir", dir.path(), "settings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("tax_rate\t10\n"));
    EXPECT_TRUE(r.out.contains("date_form\t和暦\n"));
}
