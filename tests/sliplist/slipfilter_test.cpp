#include "sliplist/searchfold.h"
#include "sliplist/slipcolumns.h"
#include "sliplist/slipfilter.h"

#include "support/slipsamples.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

SlipRow slipRow(const QString &code, DocumentKind kind, const QDate &date, const QString &customer,
                const QString &staff = {}, qint64 total = 0)
{
    SlipSummary s;
    s.path = QStringLiteral("/slips/") + code + QStringLiteral(".pvq");
    s.fileName = code + QStringLiteral(".pvq");
    s.stamp = {100, 0};
    s.slipCode = code;
    s.kind = kind;
    s.issueDate = date;
    s.customerName = customer;
    s.staff = staff;
    s.total = total;
    s.carName = QStringLiteral("トヨタ カローラ");
    s.tel = QStringLiteral("03-1234-5678");
    return makeSlipRow(s);
}

SlipFilter byQuery(const QString &query)
{
    SlipFilter filter;
    filter.query = query;
    return filter;
}

SlipRow errorRow(const QString &name)
{
    SlipSummary s;
    s.path = QStringLiteral("/slips/") + name;
    s.fileName = name;
    s.error = QStringLiteral("伝票ファイルではありません");
    return makeSlipRow(s);
}

TEST(SearchFold, widthKanaAndCase_foldTogether)
{
    EXPECT_EQ(foldForSearch(u"ＡＢＣ１２３"), QStringLiteral("abc123"));
    EXPECT_EQ(foldForSearch(u"ﾔﾏﾀﾞ ｶﾛｰﾗ"), QStringLiteral("ヤマダ カローラ"));
    EXPECT_EQ(foldForSearch(u"やまだ"), QStringLiteral("ヤマダ"));
    EXPECT_EQ(foldForSearch(u"ﾊﾟﾌﾞﾘｶ"), QStringLiteral("パブリカ"));
    EXPECT_EQ(foldForSearch(u"山田　太郎"), QStringLiteral("山田 太郎"));
    EXPECT_EQ(foldForSearch(u"Corolla"), QStringLiteral("corolla"));
    EXPECT_EQ(searchWords(u"　やまだ  ＴＯＹＯＴＡ "), (QStringList{QStringLiteral("ヤマダ"), QStringLiteral("toyota")}));
    EXPECT_TRUE(searchWords(u" 　 ").isEmpty());
}

TEST(SlipMatcher, query_matchesAnyTextColumnWithEveryWord)
{
    const SlipRow row = slipRow(QStringLiteral("00000012"), DocumentKind::Order, QDate(2026, 12, 7),
                                QStringLiteral("ヤマダ タロウ"), QStringLiteral("佐藤"), 1234567);
    auto shows = [&](const QString &query) { return SlipMatcher(byQuery(query)).matches(row); };
    EXPECT_TRUE(shows(QString()));
    EXPECT_TRUE(shows(QStringLiteral("やまだ")));
    EXPECT_TRUE(shows(QStringLiteral("ｶﾛｰﾗ　注文")));
    EXPECT_TRUE(shows(QStringLiteral("０００１２")));
    EXPECT_TRUE(shows(QStringLiteral("2026/12")));
    EXPECT_TRUE(shows(QStringLiteral("1234567")));
    EXPECT_TRUE(shows(QStringLiteral("5678")));
    EXPECT_FALSE(shows(QStringLiteral("やまだ 見積")));
    // Columns do not run into each other.
    EXPECT_FALSE(shows(QStringLiteral("タロウトヨタ")));
}

TEST(SlipMatcher, kindStaffAndDates_narrowAndLeaveOutErrorRows)
{
    const SlipRow estimate = slipRow(QStringLiteral("1"), DocumentKind::Estimate, QDate(2026, 1, 31), QStringLiteral("A"), QStringLiteral("佐藤"));
    const SlipRow order = slipRow(QStringLiteral("2"), DocumentKind::Order, QDate(2026, 2, 1), QStringLiteral("B"), QStringLiteral("鈴木"));
    const SlipRow undated = slipRow(QStringLiteral("3"), DocumentKind::Order, QDate(), QStringLiteral("C"));
    const SlipRow broken = errorRow(QStringLiteral("broken.pvq"));

    SlipFilter f;
    f.kind = DocumentKind::Order;
    EXPECT_FALSE(SlipMatcher(f).matches(estimate));
    EXPECT_TRUE(SlipMatcher(f).matches(order));
    EXPECT_FALSE(SlipMatcher(f).matches(broken));

    f = {};
    f.from = QDate(2026, 2, 1);
    f.to = QDate(2026, 2, 1);
    EXPECT_FALSE(SlipMatcher(f).matches(estimate));
    EXPECT_TRUE(SlipMatcher(f).matches(order)); // both ends belong to the range
    EXPECT_FALSE(SlipMatcher(f).matches(undated));

    f = {};
    f.staff = QStringLiteral("佐藤");
    EXPECT_TRUE(SlipMatcher(f).matches(estimate));
    EXPECT_FALSE(SlipMatcher(f).matches(order));

    // A query alone still finds a file that was not read, by name or error.
    EXPECT_TRUE(SlipMatcher(byQuery(QStringLiteral("BROKEN"))).matches(broken));
    EXPECT_TRUE(SlipMatcher(byQuery(QStringLiteral("伝票ファイル"))).matches(broken));
}

TEST(SlipMatcher, narrows_onlyWhenTheRowsCanOnlyBeFewer)
{
    SlipFilter wide = byQuery(QStringLiteral("やま"));
    SlipFilter typedOn = byQuery(QStringLiteral("やまだ"));
    SlipFilter deleted = byQuery(QStringLiteral("や"));
    SlipFilter anotherWord = byQuery(QStringLiteral("やまだ 佐藤"));
    SlipFilter kind = typedOn;
    kind.kind = DocumentKind::Order;
    EXPECT_TRUE(SlipMatcher(typedOn).narrows(SlipMatcher(wide)));
    EXPECT_TRUE(SlipMatcher(anotherWord).narrows(SlipMatcher(wide)));
    EXPECT_FALSE(SlipMatcher(deleted).narrows(SlipMatcher(wide)));
    EXPECT_FALSE(SlipMatcher(kind).narrows(SlipMatcher(wide)));
}

TEST(SlipOrder, columns_orderByValueWithEmptyValuesLast)
{
    const SlipRow small = slipRow(QStringLiteral("1"), DocumentKind::Estimate, QDate(2026, 1, 9), QStringLiteral("イトウ"), {}, 900);
    const SlipRow large = slipRow(QStringLiteral("2"), DocumentKind::Order, QDate(2025, 12, 31), QStringLiteral("アオキ"), {}, 1000000);
    const SlipRow empty = slipRow(QStringLiteral("3"), DocumentKind::Order, QDate(), QString(), {}, 5);
    const SlipRow broken = errorRow(QStringLiteral("0.pvq"));
    auto before = [](SlipColumn c, bool descending, const SlipRow &a, const SlipRow &b) {
        return SlipOrder(c, descending)(a.summary, b.summary);
    };
    EXPECT_TRUE(before(SlipColumn::Total, false, small, large)); // 900 before 1,000,000, not as text
    EXPECT_TRUE(before(SlipColumn::Total, true, large, small));
    EXPECT_TRUE(before(SlipColumn::IssueDate, false, large, small));
    EXPECT_TRUE(before(SlipColumn::Customer, false, large, small)); // アオキ before イトウ
    for (bool descending : {false, true}) {
        EXPECT_TRUE(before(SlipColumn::Customer, descending, small, empty));
        EXPECT_TRUE(before(SlipColumn::IssueDate, descending, small, empty));
        EXPECT_TRUE(before(SlipColumn::Total, descending, empty, broken));
    }
    // Equal values fall back to the file name: the order is total.
    EXPECT_TRUE(before(SlipColumn::Kind, false, large, empty));
    EXPECT_FALSE(before(SlipColumn::Kind, false, empty, large));
}

TEST(SlipColumns, texts_followThePatternAndShowErrors)
{
    const SlipRow row = slipRow(QStringLiteral("7"), DocumentKind::Order, QDate(2026, 12, 7), QStringLiteral("A"), {}, -1234567);
    EXPECT_EQ(slipColumnText(row.summary, SlipColumn::Total, {}), QStringLiteral("-1,234,567"));
    EXPECT_EQ(formatTotal(999), QStringLiteral("999"));
    EXPECT_EQ(formatTotal(1000), QStringLiteral("1,000"));
    EXPECT_EQ(slipColumnText(row.summary, SlipColumn::IssueDate, QStringLiteral("YYYY/MM/DD")), QStringLiteral("2026/12/07"));
    EXPECT_EQ(slipColumnText(row.summary, SlipColumn::IssueDate, QStringLiteral("GGEE/MM/DD")), QStringLiteral("令和08/12/07"));
    EXPECT_EQ(slipColumnText(row.summary, SlipColumn::Kind, {}), QStringLiteral("注文書"));
    const SlipRow broken = errorRow(QStringLiteral("x.pvq"));
    EXPECT_EQ(slipColumnText(broken.summary, SlipColumn::Customer, {}), QStringLiteral("伝票ファイルではありません"));
    EXPECT_EQ(slipColumnText(broken.summary, SlipColumn::FileName, {}), QStringLiteral("x.pvq"));
    EXPECT_EQ(slipColumnText(broken.summary, SlipColumn::Total, {}), QString());
}

} // namespace
