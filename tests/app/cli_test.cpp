#include "common/cp932codec.h"
#include "common/iniprofile.h"
#include "settings/settings.h"

#include "support/shippeddata.h"
#include "support/testdata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

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

namespace {

// A settings file with more than the number in it, as a desk's looks.
QStringList settingsWithOthers(int next)
{
    QStringList lines{"; 共有フォルダの設定", "[Date]", "Date=1", "[Slip]", QStringLiteral("No=%1").arg(next),
                      "[Tax]", "SRate=10", "Hasu=1", "[Init]", "Dir=/mnt/share/見積/", "PdfDir=/tmp/pdf/"};
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("[Other%1]").arg(i) << QStringLiteral("Key=値%1").arg(i);
    return lines;
}

// The settings file's bytes after the next number alone was written.
QByteArray withNext(const QString &path, int next)
{
    IniProfile ini = IniProfile::fromText(cp932::decode(test::readBytes(path)));
    ini.writeInt(QStringLiteral("Slip"), QStringLiteral("No"), next);
    return cp932::encode(ini.toText());
}

} // namespace

TEST(Cli, number_takesTheNextAndLeavesTheOneAfter)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("vendara.ini");
    test::writeSjisLines(ini, settingsWithOthers(41));
    const QByteArray expected = withNext(ini, 44);

    test::CliResult r = test::runCli({"--data-dir", dir.path(), "number"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("00000041\n"));
    // The data root also follows the subcommand.
    r = test::runCli({"number", "--count", "2", "--data-dir", dir.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("00000042\n00000043\n"));
    EXPECT_EQ(test::readBytes(ini), expected);
}

TEST(Cli, number_countThatIsNoPositiveNumber_takesNothing)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("vendara.ini");
    test::writeSjisLines(ini, {"[Slip]", "No=7"});
    for (const char *count : {"0", "-1", "x"}) {
        const test::CliResult r = test::runCli({"--data-dir", dir.path(), "number", "--count", count});
        EXPECT_EQ(r.exitCode, 1) << count;
        EXPECT_TRUE(r.err.contains("--count")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(test::readBytes(ini), QByteArray("[Slip]\r\nNo=7\r\n"));
}

TEST(Cli, number_fourProcessesAtOnce_takeDistinctConsecutiveNumbers)
{
    constexpr int kProcesses = 4;
    constexpr int kEach = 100;
    constexpr int kFirst = 1000;
    QTemporaryDir dir;
    const QString ini = dir.filePath("vendara.ini");
    test::writeSjisLines(ini, settingsWithOthers(kFirst));
    const QByteArray expected = withNext(ini, kFirst + kProcesses * kEach);

    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < kProcesses; ++i) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->start(test::cliProgram(), {"--data-dir", dir.path(), "number", "--count",
                                                     QString::number(kEach)});
    }
    std::map<int, int> takerOf; // number -> process
    for (int i = 0; i < kProcesses; ++i) {
        QProcess &p = *processes[size_t(i)];
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), kEach);
        int previous = -1;
        for (const QString &line : lines) {
            bool valid = false;
            const int number = line.toInt(&valid);
            ASSERT_TRUE(valid) << line.toStdString();
            EXPECT_EQ(line, Settings::formatSlipCode(number));
            EXPECT_GT(number, previous) << "one process's numbers only grow";
            previous = number;
            EXPECT_TRUE(takerOf.emplace(number, i).second) << "taken twice: " << number;
        }
    }
    const qint64 elapsed = clock.elapsed();

    ASSERT_EQ(takerOf.size(), size_t(kProcesses * kEach));
    EXPECT_EQ(takerOf.begin()->first, kFirst);
    EXPECT_EQ(takerOf.rbegin()->first, kFirst + kProcesses * kEach - 1);
    // Every other line of the file as it was; the number the one after the last.
    EXPECT_EQ(test::readBytes(ini), expected);

    int handovers = 0;
    for (auto it = takerOf.begin(); std::next(it) != takerOf.end(); ++it)
        handovers += it->second != std::next(it)->second ? 1 : 0;
    std::fprintf(stderr, "%d numbers by %d processes in %lld ms, %d handovers between processes\n",
                 kProcesses * kEach, kProcesses, qint64(elapsed), handovers);
}

TEST(Cli, doctor_shippedData_isAllInOrder)
{
    QTemporaryDir dir;
    test::copyShippedData(dir.path());
    test::writeSjisLines(dir.filePath("vendara.ini"), settingsWithOthers(12));
    const test::CliResult r = test::runCli({"doctor", "--data-dir", dir.path()});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 10) << r.out.toStdString();
    for (const QString &line : lines)
        EXPECT_TRUE(line.startsWith("OK\t")) << line.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("OK\tロック\t"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("次の伝票番号 00000012"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("見積書 見積書_A4"))) << r.out.toStdString();
    // Looking took no number and left no probe behind.
    EXPECT_EQ(IniProfile::load(dir.filePath("vendara.ini")).readInt("Slip", "No", -1), 12);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"vendara.ini", "vendara.ini.lock"}));
    EXPECT_TRUE(QDir(dir.filePath("Dat/Tmp")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST(Cli, doctor_damagedFiles_areNamedAndFail)
{
    struct Damage
    {
        QString file;
        QByteArray bytes;
        QStringList subjects; // the findings that must be NG
        QString named;        // what they name: the file unless given
    };
    const auto sjis = [](const QString &text) { return cp932::encode(text); };
    const QList<Damage> damages = {
        {"vendara.ini", QByteArrayLiteral("[Slip]\r\nNo=12\r\n\x00\x01\x02\x03"), {"設定ファイル"}, {}},
        {"vendara.ini", "[Slip]\r\nNo=twelve\r\n", {"設定ファイル"}, {}},
        {"vendara.ini", "[Slip]\r\nNo=12\r\nDir=\x82\xa0\x82\r\n", {"設定ファイル"}, {}}, // a lead byte alone
        {"vendara.ini", "[Slip]\r\nNo=12\r\nwhat is this\r\n", {"設定ファイル"}, {}},
        {"Dat/Mst/DefPrDat", sjis("[Def]\r\nFomatM=ない書式\r\n"), {"印刷設定"}, "ない書式"},
        {"Dat/Mst/DefPrDat", "[Def]\r\nFomatM=\x83\r\n", {"印刷設定"}, {}},
        {"Dat/Mst/色", "red\r\n\x88\r\n", {"マスタ"}, {}},
        {"Dat/Mst/Mk/トヨタ", QByteArrayLiteral("Prius\r\n\x00\r\n"), {"メーカー・車名"}, {}},
        {"Dat/Mst/Zip/ziplist", "SAMPLE.CSV\r\nKEN_ALL.CSV\r\n", {"郵便番号辞書"}, "KEN_ALL.CSV"},
        {"Dat/Tax/AqTax", "\x81\r\n", {"税金表"}, {}},
        // The default print settings name that set: they cannot print either.
        {"Dat/Etc/デフォルト.Dat", "short\r\n", {"印刷設定", "社名ロゴ"}, {}},
    };
    for (const Damage &damage : damages) {
        QTemporaryDir dir;
        test::copyShippedData(dir.path());
        test::writeSjisLines(dir.filePath("vendara.ini"), {"[Slip]", "No=12"});
        const QString file = dir.filePath(damage.file);
        test::writeBytes(file, damage.bytes);
        const test::CliResult r = test::runCli({"--data-dir", dir.path(), "doctor"});
        const std::string context = damage.file.toStdString() + ":\n" + r.out.toStdString();
        EXPECT_EQ(r.exitCode, 1) << context;
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.size(), 10) << context;
        for (const QString &line : lines) {
            const bool damaged = damage.subjects.contains(line.section(u'\t', 1, 1));
            EXPECT_TRUE(line.startsWith(damaged ? "NG\t" : "OK\t")) << context;
            if (damaged) {
                EXPECT_TRUE(line.contains(damage.named.isEmpty() ? file : damage.named)) << context;
            }
        }
    }
}
