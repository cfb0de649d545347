#include "controls/eratable.h"

#include "common/error.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const EraTable &eras()
{
    static const EraTable table = EraTable::builtIn();
    return table;
}

EraParse parseEra(const char16_t *digits, const char16_t *eraName, int current = 4)
{
    return eras().eraToDate(QString::fromUtf16(digits), QString::fromUtf16(eraName),
                            DateType::Era, current);
}

EraParse parseWestern(const char16_t *digits)
{
    return eras().eraToDate(QString::fromUtf16(digits), QString(), DateType::Western, 4);
}

} // namespace

// Every day a date edit can hold shows in exactly one era and reads back as
// that day; each era starts at year 01 on its first day.
TEST(EraTable, everyDayFromTheFirstEraOn_showsInOneEraAndReadsBack)
{
    const EraTable &table = eras();
    ASSERT_GE(table.size(), 5);
    for (int i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table.indexOfName(table.at(i).name), i);
        if (i > 0) {
            EXPECT_LT(table.at(i - 1).firstDay, table.at(i).firstDay);
        }
    }
    for (QDate day = table.earliestDate(); day <= table.latestDate(); day = day.addDays(1)) {
        const EraDate shown = table.dateToEra(day, true);
        ASSERT_GE(shown.eraIndex, 0) << qPrintable(day.toString(Qt::ISODate));
        const bool inItsEra = table.at(shown.eraIndex).firstDay <= day
                              && (shown.eraIndex + 1 == table.size() || day < table.at(shown.eraIndex + 1).firstDay);
        ASSERT_TRUE(inItsEra) << qPrintable(day.toString(Qt::ISODate));
        if (day == table.at(shown.eraIndex).firstDay) {
            ASSERT_TRUE(shown.digits.startsWith(u"01/")) << qPrintable(shown.eraName + shown.digits);
        }
        const EraParse back = table.eraToDate(shown.digits, shown.eraName, DateType::Era, shown.eraIndex);
        ASSERT_EQ(back.date, day) << qPrintable(shown.eraName + shown.digits);
        ASSERT_FALSE(back.feedback.beep) << qPrintable(shown.eraName + shown.digits);
    }
    // Two digits for the era year: year 99 of the newest era is the end.
    EXPECT_EQ(table.dateToEra(table.latestDate(), true).digits, QStringLiteral("99/12/31"));
    EXPECT_EQ(table.indexOfDate(table.earliestDate().addDays(-1)), -1);
}

TEST(EraTable, addEra_refusesFirstDaysNotAfterTheLastEra)
{
    EraTable table = EraTable::builtIn();
    EXPECT_EQ(table.addEra("旧", "2000/01/01"), EraTable::kOutOfOrderMessage);
    EXPECT_EQ(table.addEra("同", "2019/05/01"), EraTable::kOutOfOrderMessage);
    EXPECT_EQ(table.size(), 5);
    EXPECT_EQ(table.addEra("新", "2040/01/01"), std::nullopt);
    EXPECT_EQ(table.size(), 6);
    EXPECT_EQ(table.latestDate(), QDate(2138, 12, 31));
    EXPECT_EQ(EraTable::kOutOfOrderMessage,
              QStringLiteral("登録済みの年号より以前の日付は設定できません"));
    EXPECT_THROW(table.addEra("誤", "2050/02/30"), Error);

    EraTable empty;
    EXPECT_EQ(empty.addEra("一", "1000/01/01"), std::nullopt);
    EXPECT_EQ(empty.indexOfDate(QDate(999, 1, 1)), -1);
}

TEST(EraTable, dateToEra_usesTheStoredBoundaries)
{
    const struct
    {
        QDate date;
        const char16_t *name;
        const char16_t *digits;
    } cases[] = {
        {QDate(1868, 9, 8), u"明治", u"01/09/08"},  {QDate(1912, 7, 2), u"明治", u"45/07/02"},
        {QDate(1912, 7, 10), u"大正", u"01/07/10"}, {QDate(1926, 12, 24), u"大正", u"15/12/24"},
        {QDate(1989, 1, 6), u"昭和", u"64/01/06"},  {QDate(1989, 1, 7), u"平成", u"01/01/07"},
        {QDate(2019, 4, 30), u"平成", u"31/04/30"}, {QDate(2019, 5, 1), u"令和", u"01/05/01"},
    };
    for (const auto &c : cases) {
        const EraDate era = eras().dateToEra(c.date, true);
        EXPECT_EQ(era.eraName, QString::fromUtf16(c.name)) << qPrintable(c.date.toString());
        EXPECT_EQ(era.digits, QString::fromUtf16(c.digits)) << qPrintable(c.date.toString());
        EXPECT_EQ(era.eraIndex, eras().indexOfName(era.eraName));
    }
    EXPECT_EQ(eras().dateToEra(QDate(2024, 5, 17), false).digits, QStringLiteral("06/05"));
    EXPECT_EQ(westernDigits(QDate(2024, 5, 17), true), QStringLiteral("2024/05/17"));
    EXPECT_EQ(westernDigits(QDate(2024, 5, 17), false), QStringLiteral("2024/05"));
}

TEST(EraTable, eraToDate_readsEraDigitsIntoDates)
{
    const EraParse p = parseEra(u"01/01/07", u"平成");
    EXPECT_EQ(p.status, EraParse::Status::Date);
    EXPECT_EQ(p.date, QDate(1989, 1, 7));
    EXPECT_EQ(p.eraIndex, 3);
    EXPECT_FALSE(p.feedback.beep);

    // Another era keeps the digits: 平成05/03/01 read under 令和.
    EXPECT_EQ(parseEra(u"05/03/01", u"令和").date, QDate(2023, 3, 1));
    // The era year may run past the era's end until the edit is left.
    EXPECT_EQ(parseEra(u"35/01/01", u"平成").date, QDate(2023, 1, 1));
    // Year and month only: day 1.
    EXPECT_EQ(parseEra(u"06/05", u"令和").date, QDate(2024, 5, 1));
    // Blank month or day read as 1.
    EXPECT_EQ(parseEra(u" 6/  /  ", u"令和").date, QDate(2024, 1, 1));
}

TEST(EraTable, eraToDate_clampsWithABeep)
{
    EraParse p = parseEra(u"01/01/01", u"明治");
    EXPECT_EQ(p.date, QDate(1868, 9, 8));
    EXPECT_TRUE(p.feedback.beep);

    p = parseEra(u"06/02/30", u"令和");
    EXPECT_EQ(p.date, QDate(2024, 2, 29));
    EXPECT_TRUE(p.feedback.beep);

    p = parseEra(u"07/02/29", u"令和");
    EXPECT_EQ(p.date, QDate(2025, 2, 28));
    EXPECT_TRUE(p.feedback.beep);

    p = parseEra(u"06/13/05", u"令和");
    EXPECT_EQ(p.date, QDate(2024, 12, 5));
    EXPECT_TRUE(p.feedback.beep);

    p = parseEra(u"06/04/31", u"令和");
    EXPECT_EQ(p.date, QDate(2024, 4, 30));
    EXPECT_TRUE(p.feedback.beep);

    p = parseEra(u"99/12/31", u"令和");
    EXPECT_EQ(p.date, QDate(2117, 12, 31));
    EXPECT_FALSE(p.feedback.beep);
}

TEST(EraTable, eraToDate_keepsTheDateWhenTheYearIsMissing)
{
    EXPECT_EQ(parseEra(u"  /05/01", u"令和").status, EraParse::Status::KeepDate);
    EXPECT_EQ(parseEra(u"", u"令和").status, EraParse::Status::KeepDate);
    EXPECT_EQ(parseEra(u"x1/05/01", u"令和").status, EraParse::Status::KeepDate);
}

TEST(EraTable, unknownEraName_beepsAndKeepsTheCurrentEra)
{
    const EraParse p = parseEra(u"05/03/01", u"天平", 3);
    EXPECT_TRUE(p.feedback.beep);
    EXPECT_EQ(p.eraIndex, 3);
    EXPECT_EQ(p.date, QDate(1993, 3, 1));
}

TEST(EraTable, zeroMonthOrDay_isNotADate)
{
    EraParse p = parseEra(u"06/00/10", u"令和");
    EXPECT_EQ(p.status, EraParse::Status::Invalid);
    EXPECT_EQ(p.feedback.message, QStringLiteral("'2024/00/10' は日付ではありません"));

    p = parseWestern(u"2024/05/00");
    EXPECT_EQ(p.status, EraParse::Status::Invalid);
    EXPECT_EQ(p.feedback.message, QStringLiteral("'2024/05/00' は日付ではありません"));
}

TEST(EraTable, zeroBeingTyped_isNoErrorYet)
{
    // Typing 05 over the selected month passes through "0 ": the part is
    // not complete, so nothing is judged and the date stays.
    EraParse p = parseEra(u"06/0 /10", u"令和");
    EXPECT_EQ(p.status, EraParse::Status::KeepDate);
    EXPECT_TRUE(p.feedback.message.isEmpty());
    EXPECT_FALSE(p.feedback.beep);
    p = parseWestern(u"2024/05/ 0");
    EXPECT_EQ(p.status, EraParse::Status::KeepDate);
    EXPECT_TRUE(p.feedback.message.isEmpty());
    // A blank part still reads as 1.
    EXPECT_EQ(parseEra(u"06/  /10", u"令和").date, QDate(2024, 1, 10));
}

TEST(EraTable, westernYearsBelow1899_areRaised)
{
    EraParse p = parseWestern(u"1850/05/05");
    EXPECT_EQ(p.date, QDate(1899, 5, 5));
    EXPECT_EQ(p.eraIndex, 0);

    p = parseWestern(u"1900/02/29"); // 1900 is not a leap year
    EXPECT_EQ(p.date, QDate(1900, 2, 28));
    EXPECT_TRUE(p.feedback.beep);

    EXPECT_EQ(parseWestern(u"2024/02/29").date, QDate(2024, 2, 29));
    EXPECT_EQ(parseWestern(u"abcd/05/01").date, QDate(1899, 5, 1));
    EXPECT_EQ(parseWestern(u"2024/05").date, QDate(2024, 5, 1));
    EXPECT_EQ(parseWestern(u"2019/05/01").eraIndex, 4);

    p = parseWestern(u"9999/01/01");
    EXPECT_EQ(p.date, QDate(2117, 12, 31));
    EXPECT_TRUE(p.feedback.beep);
}
