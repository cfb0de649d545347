#include "masters/celltext.h"

#include <gtest/gtest.h>

using namespace vendara::celltext;

TEST(CellText, parseYen_acceptsOnlyPlainIntegersWithinInt)
{
    EXPECT_EQ(parseYen(u"25000"), 25000);
    EXPECT_EQ(parseYen(u"-1200"), -1200);
    EXPECT_EQ(parseYen(u"+7"), 7);
    EXPECT_EQ(parseYen(u"2147483647"), 2147483647);
    EXPECT_EQ(parseYen(u"-2147483648"), -2147483647 - 1);
    for (const char16_t *bad : {u"", u" ", u"-", u"1,000", u" 5", u"5 ", u"1.0", u"0x10", u"１２", u"2147483648",
                                u"99999999999999999999"})
        EXPECT_FALSE(parseYen(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(yenOrZero(u"1,000"), 0);
    EXPECT_EQ(yenOrZero(u"350"), 350);
}

TEST(CellText, amountCellsHoldingIntegers_areFormattedWithTheirPattern)
{
    const CellDisplay amount = displayAmountCell(QStringLiteral("25000"), QStringLiteral("%.0n"));
    EXPECT_EQ(amount.text, "25,000");
    EXPECT_TRUE(amount.rightAligned);
    EXPECT_EQ(displayAmountCell(QStringLiteral("-1234567"), QStringLiteral("%.0n")).text, "-1,234,567");
    EXPECT_EQ(displayAmountCell(QStringLiteral("999"), QStringLiteral("%.0n")).text, "999");
    EXPECT_EQ(displayAmountCell(QStringLiteral("36000"), QStringLiteral("%8.0n")).text.trimmed(), "36,000");
    const CellDisplay blank = displayAmountCell(QStringLiteral(" "), QStringLiteral("%.0n"));
    EXPECT_EQ(blank.text, " ");
    EXPECT_FALSE(blank.rightAligned);
    const CellDisplay grouped = displayAmountCell(QStringLiteral("1,000"), QStringLiteral("%.0n"));
    EXPECT_EQ(grouped.text, "1,000"); // not an integer: shown as stored
    EXPECT_FALSE(grouped.rightAligned);
    EXPECT_FALSE(displayTextCell(QStringLiteral("25000")).rightAligned);
}

// What typing into an amount cell does: each text on the way is taken, waits
// for more, or is refused (its key beeps), and what is stored is the plain
// integer.
TEST(CellText, amountEntry_takesWhatMakesAnAmountAndStoresItPlain)
{
    struct Case
    {
        const char16_t *typed;
        AmountEntry state;
        const char16_t *stored; // nullptr: nothing is stored
    };
    const Case cases[] = {
        {u"1000", AmountEntry::Acceptable, u"1000"},
        {u"1,000", AmountEntry::Acceptable, u"1000"},
        {u"1,", AmountEntry::Acceptable, u"1"},
        {u"-500", AmountEntry::Acceptable, u"-500"},
        {u"+500", AmountEntry::Acceptable, u"500"},
        {u" 25000 ", AmountEntry::Acceptable, u"25000"},
        {u"１，０００", AmountEntry::Acceptable, u"1000"},
        {u"－３", AmountEntry::Acceptable, u"-3"},
        {u"2147483647", AmountEntry::Acceptable, u"2147483647"},
        {u"-2,147,483,648", AmountEntry::Acceptable, u"-2147483648"},
        {u"", AmountEntry::Acceptable, u""},
        {u" ", AmountEntry::Acceptable, u" "},
        {u"-", AmountEntry::Intermediate, nullptr},
        {u"+", AmountEntry::Intermediate, nullptr},
        {u",", AmountEntry::Intermediate, nullptr},
        {u"12a3", AmountEntry::Invalid, nullptr},
        {u"12a", AmountEntry::Invalid, nullptr},
        {u"5-", AmountEntry::Invalid, nullptr},
        {u"--5", AmountEntry::Invalid, nullptr},
        {u"1 000", AmountEntry::Invalid, nullptr},
        {u"1.5", AmountEntry::Invalid, nullptr},
        {u"2147483648", AmountEntry::Invalid, nullptr},
        {u"円", AmountEntry::Invalid, nullptr},
    };
    for (const Case &c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(checkAmountEntry(typed), c.state) << typed.toStdString();
        const std::optional<QString> stored = storedAmount(typed);
        if (c.stored) {
            ASSERT_TRUE(stored.has_value()) << typed.toStdString();
            EXPECT_EQ(*stored, QString::fromUtf16(c.stored)) << typed.toStdString();
            EXPECT_TRUE(stored->trimmed().isEmpty() || parseYen(*stored)) << typed.toStdString();
        } else {
            EXPECT_FALSE(stored.has_value()) << typed.toStdString();
        }
    }
}
