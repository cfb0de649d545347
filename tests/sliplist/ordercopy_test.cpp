#include "sliplisttesting.h"

#include "common/error.h"
#include "common/iniprofile.h"
#include "sliplist/ordercopy.h"
#include "sliplist/sliplistfolders.h"
#include "sliplist/slipsummary.h"

#include "support/testdata.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

QString estimateIn(const QTemporaryDir &dir)
{
    return test::writeListSlip(dir.path(), QStringLiteral("00000007-26-03-05.pvq"), [](SlipRecord &s) {
        s.no.slipCode = QStringLiteral("00000007");
        s.no.slipDiv = 0;
        s.no.slipDate = QDate(2026, 3, 5);
        s.cust.name = QStringLiteral("山田 太郎");
    });
}

} // namespace

TEST(OrderCopy, estimate_becomesAnOrderUnderTheNewNumberBesideIt)
{
    QTemporaryDir dir;
    const QString estimate = estimateIn(dir);
    const QByteArray before = test::readBytes(estimate);

    const QString copy = writeOrderCopy(estimate, QStringLiteral("00000042"));

    EXPECT_EQ(copy, QDir(dir.path()).filePath(QStringLiteral("00000042-26-03-05.pvq")));
    const SlipSummary order = readSlipSummary(copy);
    ASSERT_TRUE(order.isReadable()) << order.error.toStdString();
    EXPECT_EQ(order.kind, DocumentKind::Order);
    EXPECT_EQ(order.slipCode, QStringLiteral("00000042"));
    const SlipSummary source = readSlipSummary(estimate);
    EXPECT_EQ(order.customerName, source.customerName);
    EXPECT_EQ(order.total, source.total);
    EXPECT_EQ(order.issueDate, source.issueDate);
    // Every other line of the file is the estimate's.
    QStringList orderLines = IniProfile::load(copy).lines();
    QStringList sourceLines = IniProfile::load(estimate).lines();
    ASSERT_EQ(orderLines.size(), sourceLines.size());
    int differing = 0;
    for (int i = 0; i < orderLines.size(); ++i)
        differing += orderLines.at(i) != sourceLines.at(i) ? 1 : 0;
    EXPECT_EQ(differing, 2);
    EXPECT_EQ(test::readBytes(estimate), before);
}

TEST(OrderCopy, orderNoSlipOrTakenName_areRefusedAndNothingIsWritten)
{
    QTemporaryDir dir;
    const QString order = test::writeListSlip(dir.path(), QStringLiteral("o.pvq"), [](SlipRecord &s) { s.no.slipDiv = 1; });
    EXPECT_THROW(writeOrderCopy(order, QStringLiteral("00000050")), Error);

    const QString junk = QDir(dir.path()).filePath(QStringLiteral("junk.pvq"));
    test::writeBytes(junk, QByteArray("\x00\x01\x02", 3));
    EXPECT_THROW(writeOrderCopy(junk, QStringLiteral("00000050")), Error);
    EXPECT_THROW(writeOrderCopy(QDir(dir.path()).filePath(QStringLiteral("gone.pvq")), QStringLiteral("00000050")),
                 Error);

    const QString estimate = estimateIn(dir);
    const QString taken = QDir(dir.path()).filePath(QStringLiteral("00000050-26-03-05.pvq"));
    test::writeBytes(taken, "mine");
    EXPECT_THROW(writeOrderCopy(estimate, QStringLiteral("00000050")), Error);
    EXPECT_EQ(test::readBytes(taken), QByteArray("mine"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}

TEST(OrderCopy, fileName_isTheNumberAndTheIssueDate)
{
    EXPECT_EQ(orderCopyFileName(QStringLiteral("00000012"), QDate(2026, 12, 7)), QStringLiteral("00000012-26-12-07.pvq"));
    EXPECT_EQ(orderCopyFileName(QStringLiteral("00000012"), QDate()), QStringLiteral("00000012.pvq"));
    EXPECT_EQ(orderCopyFileName(QStringLiteral("00000012"), kZeroDate), QStringLiteral("00000012.pvq"));
}

TEST(FilterDate, slashesOrDashes_readAsADate_emptyAsNoBound_restAsNothing)
{
    EXPECT_EQ(parseFilterDate(QStringLiteral("2026/12/07")), QDate(2026, 12, 7));
    EXPECT_EQ(parseFilterDate(QStringLiteral(" 2026-1-7 ")), QDate(2026, 1, 7));
    const auto empty = parseFilterDate(QStringLiteral("  "));
    ASSERT_TRUE(empty.has_value());
    EXPECT_FALSE(empty->isValid());
    EXPECT_FALSE(parseFilterDate(QStringLiteral("2026/02/30")));
    EXPECT_FALSE(parseFilterDate(QStringLiteral("2026/12")));
    EXPECT_FALSE(parseFilterDate(QStringLiteral("2026/12-07")));
    EXPECT_FALSE(parseFilterDate(QStringLiteral("令和8/12/07")));
}

TEST(SlipListFolders, added_keepTheirOrderOnceAfterTheDefaultAndSurviveAnotherReader)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("config/vendara/slip-list-folders"));
    SlipListFolders folders(list);
    EXPECT_TRUE(folders.added().isEmpty());
    EXPECT_EQ(folders.foldersWith(QStringLiteral("/data/slips/")), QStringList{QStringLiteral("/data/slips")});

    folders.add(QStringLiteral("/shop/b"));
    folders.add(QStringLiteral("/shop/a/../a"));
    folders.add(QStringLiteral("/shop/b/"));
    folders.add(QStringLiteral("/data/slips"));
    EXPECT_EQ(SlipListFolders(list).added(),
              (QStringList{QStringLiteral("/shop/b"), QStringLiteral("/shop/a"), QStringLiteral("/data/slips")}));
    EXPECT_EQ(SlipListFolders(list).foldersWith(QStringLiteral("/data/slips")),
              (QStringList{QStringLiteral("/data/slips"), QStringLiteral("/shop/b"), QStringLiteral("/shop/a")}));

    EXPECT_EQ(slipSaveFolder(dir.path()), dir.path());
    EXPECT_EQ(slipSaveFolder(QString()), QDir::homePath());
    EXPECT_EQ(slipSaveFolder(dir.filePath(QStringLiteral("gone"))), QDir::homePath());

    folders.remove(QStringLiteral("/shop/b/"));
    EXPECT_EQ(folders.added(), (QStringList{QStringLiteral("/shop/a"), QStringLiteral("/data/slips")}));
    EXPECT_THROW(folders.add(QStringLiteral("/shop/\u00e9\u20ac\U0001F600")), Error);
    EXPECT_EQ(folders.added().size(), 2);
}
