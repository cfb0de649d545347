#include "sliplisttesting.h"

#include "support/testdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

// A data root whose start folder holds three slips and a broken file; the
// CLI's cache goes to a folder of the test's own.
struct ListCli
{
    ListCli()
    {
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
        test::writeSjisLines(root.filePath(QStringLiteral("vendara.ini")),
                             {"[Init]", "Dir=" + slips.path()});
        write("a.pvq", QStringLiteral("山田"), 0, QDate(2026, 1, 10), 1);
        write("b.pvq", QStringLiteral("佐藤"), 1, QDate(2026, 2, 10), 2);
        write("c.pvq", QStringLiteral("やまだ"), 1, QDate(2026, 3, 10), 3);
        test::writeBytes(slips.filePath(QStringLiteral("d.pvq")), "broken");
        test::setModified(slips.filePath(QStringLiteral("d.pvq")), QDateTime(QDate(2026, 4, 1), QTime(9, 0)));
    }

    void write(const char *file, const QString &customer, int div, const QDate &date, int minute)
    {
        const QString path = test::writeListSlip(slips.path(), QLatin1String(file), [&](SlipRecord &s) {
            s.cust.name = customer;
            s.no.slipDiv = div;
            s.no.slipDate = date;
        });
        test::setModified(path, QDateTime(QDate(2026, 4, 1), QTime(8, minute)));
    }

    test::CliResult operator()(QStringList args) const
    {
        return test::runCli(QStringList{QStringLiteral("list"), QStringLiteral("--data-dir"), root.path()} + args);
    }

    QTemporaryDir root, slips, cache;
};

// The file column of each data line of a TSV listing.
QStringList filesOf(const QString &tsv)
{
    QStringList files;
    const QStringList lines = tsv.split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        files.append(lines[i].split(u'\t').value(8));
    return files;
}

TEST(ListCommand, startFolder_listsEverySlipNewestFirstWithErrors)
{
    ListCli cli;
    const test::CliResult r = cli({});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("伝票番号\t種類\t発行日\tお客様")));
    EXPECT_EQ(filesOf(r.out), (QStringList{"d.pvq", "c.pvq", "b.pvq", "a.pvq"}));
    EXPECT_TRUE(r.out.contains(QStringLiteral("\td.pvq\t\t\t\t伝票ファイルではありません\n")));
    // The second run reads the cache the first one wrote, with the same result.
    EXPECT_EQ(cli({}).out, r.out);
    EXPECT_FALSE(QDir(cli.cache.filePath(QStringLiteral("vendara/slips"))).isEmpty());
}

TEST(ListCommand, filters_combine)
{
    ListCli cli;
    EXPECT_EQ(filesOf(cli({QStringLiteral("--query"), QStringLiteral("ヤマダ")}).out), (QStringList{"c.pvq"}));
    EXPECT_EQ(filesOf(cli({QStringLiteral("--kind"), QStringLiteral("order")}).out), (QStringList{"c.pvq", "b.pvq"}));
    EXPECT_EQ(filesOf(cli({QStringLiteral("--from"), QStringLiteral("2026-02-10"), QStringLiteral("--to"),
                           QStringLiteral("2026/3/9")})
                          .out),
              (QStringList{"b.pvq"}));
    const test::CliResult json = cli({cli.slips.path(), QStringLiteral("--format"), QStringLiteral("json"),
                                      QStringLiteral("--kind"), QStringLiteral("estimate")});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()[QStringLiteral("customer")].toString(), QStringLiteral("山田"));
    // The raw bytes: a UTF-8 decoder would hide the byte-order mark.
    QProcess csv;
    csv.start(test::cliProgram(), {QStringLiteral("list"), QStringLiteral("--data-dir"), cli.root.path(),
                                   QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_TRUE(csv.waitForFinished(60000));
    const QByteArray bytes = csv.readAllStandardOutput();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), 5);
}

TEST(ListCommand, wrongArguments_exitWithStatus2)
{
    ListCli cli;
    const QList<QStringList> wrong = {
        {QStringLiteral("--from"), QStringLiteral("2026/02/30")},
        {QStringLiteral("--to"), QStringLiteral("tomorrow")},
        {QStringLiteral("--from"), QStringLiteral("2026/03/01"), QStringLiteral("--to"), QStringLiteral("2026/02/01")},
        {QStringLiteral("--kind"), QStringLiteral("invoice")},
        {QStringLiteral("--format"), QStringLiteral("xml")},
        {QStringLiteral("--sort")},
        {QStringLiteral("--query")},
    };
    for (const QStringList &args : wrong) {
        const test::CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("vendara-cli: "))) << r.err.toStdString();
    }
    const test::CliResult missing = cli({cli.slips.filePath(QStringLiteral("nothing"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("フォルダが見つかりません")));
}

} // namespace
