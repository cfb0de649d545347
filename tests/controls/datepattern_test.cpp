#include "controls/datepattern.h"

#include "common/error.h"

#include <gtest/gtest.h>

using namespace vendara;

// The platform's Japanese calendar starts 大正 on 1912/07/30 and 平成 on
// 1989/01/08, unlike the date edit's own table.
TEST(DatePattern, eraTokens_followThePlatformCalendarAtEveryBoundary)
{
    const struct
    {
        QDate date;
        const char16_t *expected;
    } cases[] = {
        {QDate(1868, 9, 8), u"明治01/09/08"},  {QDate(1912, 7, 29), u"明治45/07/29"},
        {QDate(1912, 7, 30), u"大正01/07/30"}, {QDate(1926, 12, 24), u"大正15/12/24"},
        {QDate(1926, 12, 25), u"昭和01/12/25"}, {QDate(1989, 1, 7), u"昭和64/01/07"},
        {QDate(1989, 1, 8), u"平成01/01/08"},  {QDate(2019, 4, 30), u"平成31/04/30"},
        {QDate(2019, 5, 1), u"令和01/05/01"},  {QDate(2024, 12, 31), u"令和06/12/31"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatDatePattern(kEraDatePattern, c.date), QString::fromUtf16(c.expected))
            << qPrintable(c.date.toString(Qt::ISODate));
}

TEST(DatePattern, singleEraLetters_giveFirstCharacterAndPlainYear)
{
    const QDate d(2024, 5, 7);
    EXPECT_EQ(formatDatePattern("g e", d), QStringLiteral("令 6"));
    EXPECT_EQ(formatDatePattern("gg ee", d), QStringLiteral("令和 06"));
    EXPECT_EQ(formatDatePattern("GGGE", d), QStringLiteral("令和6")); // longer runs read as gg
    EXPECT_EQ(formatDatePattern("ggee年mm月dd日", QDate(2008, 4, 1)),
              QStringLiteral("平成20年04月01日"));
}

TEST(DatePattern, westernTokens_areCaseInsensitive)
{
    const QDate d(2005, 3, 7); // a Monday
    EXPECT_EQ(formatDatePattern(kWesternDatePattern, d), QStringLiteral("2005/03/07"));
    EXPECT_EQ(formatDatePattern("yyyy-m-d", d), QStringLiteral("2005-3-7"));
    EXPECT_EQ(formatDatePattern("YY/Mm/dD", d), QStringLiteral("05/03/07"));
    EXPECT_EQ(formatDatePattern("y", d), QStringLiteral("05"));
    EXPECT_EQ(formatDatePattern("yyy", d), QStringLiteral("2005"));
    EXPECT_EQ(formatDatePattern("yyyy", QDate(987, 1, 1)), QStringLiteral("0987"));
}

TEST(DatePattern, names_areJapanese)
{
    const QDate d(2024, 5, 7); // a Tuesday
    EXPECT_EQ(formatDatePattern("mmm", d), QStringLiteral("5月"));
    EXPECT_EQ(formatDatePattern("mmmm", d), QStringLiteral("5月"));
    EXPECT_EQ(formatDatePattern("ddd", d), QStringLiteral("火"));
    EXPECT_EQ(formatDatePattern("dddd", d), QStringLiteral("火曜日"));
    EXPECT_EQ(formatDatePattern("(ddd)", QDate(2024, 5, 5)), QStringLiteral("(日)"));
}

TEST(DatePattern, quotedTextAndOtherCharacters_areCopied)
{
    const QDate d(2024, 5, 7);
    EXPECT_EQ(formatDatePattern("'yyyy'=yyyy", d), QStringLiteral("yyyy=2024"));
    EXPECT_EQ(formatDatePattern("\"gg\"gg", d), QStringLiteral("gg令和"));
    EXPECT_EQ(formatDatePattern("\"it's\" mm", d), QStringLiteral("it's 05"));
    EXPECT_EQ(formatDatePattern("dd 'open", d), QStringLiteral("07 open")); // unterminated
    EXPECT_EQ(formatDatePattern("x#-*", d), QStringLiteral("x#-*"));
    EXPECT_EQ(formatDatePattern("", d), QString());
    EXPECT_EQ(formatDatePattern(kEraDatePattern, QDate()), QString());
}

TEST(DatePattern, singleDateValue_isEmptyWhenAbsentInvalidOrZero)
{
    EXPECT_EQ(formatDateValue(kEraDatePattern, "2008/04/01"), QStringLiteral("平成20/04/01"));
    EXPECT_EQ(formatDateValue(kWesternDatePattern, " 2024/5/1 "), QStringLiteral("2024/05/01"));
    EXPECT_EQ(formatDateValue(kEraDatePattern, ""), QString());
    EXPECT_EQ(formatDateValue(kEraDatePattern, "2024/13/01"), QString());
    EXPECT_EQ(formatDateValue(kEraDatePattern, "yesterday"), QString());
    EXPECT_EQ(formatDateValue(kEraDatePattern, "1899/12/30"), QString());
}

TEST(DatePattern, columnDateFieldThatIsNotADate_isAnError)
{
    EXPECT_EQ(formatDateField(kWesternDatePattern, "2019/05/01"), QStringLiteral("2019/05/01"));
    EXPECT_EQ(formatDateField(kWesternDatePattern, ""), QString());
    try {
        formatDateField(kWesternDatePattern, "2024/02/30");
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'2024/02/30' は日付ではありません"));
    }
}
