#include "sliplisttesting.h"

#include "sliplist/customerlookup.h"
#include "sliplist/slipindex.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

TEST(CustomerLookup, slipsOfOneCustomer_giveOneEntryAsTheNewestHasIt)
{
    QTemporaryDir dir;
    auto slip = [&](const char *file, const QString &name, const QString &tel, const QDate &date) {
        test::writeListSlip(dir.path(), QLatin1String(file), [&](SlipRecord &s) {
            s.no.slipDate = date;
            s.cust.name = name;
            s.cust.title = QStringLiteral("様");
            s.cust.zip1 = QStringLiteral("100");
            s.cust.zip2 = QStringLiteral("0001");
            s.cust.city = QStringLiteral("東京都");
            s.cust.add1 = QStringLiteral("千代田区千代田1-1");
            s.cust.tel = tel;
        });
    };
    slip("old.pvq", QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"), QStringLiteral("03-1234-5678"), QDate(2025, 1, 1));
    slip("new.pvq", QStringLiteral("ヤマダ タロウ"), QStringLiteral("０３－１２３４－５６７８"), QDate(2026, 6, 1));
    slip("moved.pvq", QStringLiteral("ヤマダ タロウ"), QStringLiteral("090-0000-0000"), QDate(2026, 1, 1));
    slip("other.pvq", QStringLiteral("佐藤 一郎"), QStringLiteral("06-1111-2222"), QDate(2026, 3, 1));
    slip("nameless.pvq", QString(), QStringLiteral("06-9999-9999"), QDate(2027, 1, 1));

    SlipIndex index;
    index.setCacheFolder(QString());
    index.open({dir.path()});
    ASSERT_TRUE(index.waitUntilLoaded(30000));
    const std::vector<CustomerEntry> entries = distinctCustomers(index);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, QStringLiteral("ヤマダ タロウ"));
    EXPECT_EQ(entries[0].slipCount, 2);
    EXPECT_EQ(entries[0].lastIssueDate, QDate(2026, 6, 1));
    EXPECT_EQ(entries[0].lastSlipPath, dir.filePath(QStringLiteral("new.pvq")));
    EXPECT_EQ(entries[0].postalCode(), QStringLiteral("100-0001"));
    EXPECT_EQ(entries[0].address(), QStringLiteral("東京都千代田区千代田1-1"));
    EXPECT_EQ(entries[1].name, QStringLiteral("佐藤 一郎"));
    EXPECT_EQ(entries[2].tel, QStringLiteral("090-0000-0000"));

    auto names = [&](const QString &query) {
        QStringList found;
        for (const CustomerEntry *e : filterCustomers(entries, query))
            found.append(e->tel);
        return found;
    };
    EXPECT_EQ(names(QStringLiteral("やまだ")).size(), 2);
    EXPECT_EQ(names(QStringLiteral("やまだ 090")), (QStringList{QStringLiteral("090-0000-0000")}));
    EXPECT_EQ(names(QStringLiteral("100-0001 佐藤")), (QStringList{QStringLiteral("06-1111-2222")}));
    EXPECT_EQ(names(QString()).size(), 3);
}

} // namespace
