#include "controls/money.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

std::optional<qint64> scaledOf(const char *text)
{
    if (auto m = Money::parse(QString::fromLatin1(text)))
        return m->scaled();
    return std::nullopt;
}

} // namespace

TEST(Money, parsesDecimalTextToFourDecimals)
{
    EXPECT_EQ(scaledOf("1200"), 12000000);
    EXPECT_EQ(scaledOf("-1234.5"), -12345000);
    EXPECT_EQ(scaledOf("  7 "), 70000);
    EXPECT_EQ(scaledOf("+0.25"), 2500);
    EXPECT_EQ(scaledOf(".5"), 5000);
    EXPECT_EQ(scaledOf("5."), 50000);
    EXPECT_EQ(scaledOf("1e3"), 10000000);
    EXPECT_EQ(scaledOf("25E-2"), 2500);
    EXPECT_EQ(scaledOf("5e-2"), 500);
    EXPECT_EQ(scaledOf("007"), 70000);
    EXPECT_EQ(scaledOf("0e999"), 0);
    EXPECT_EQ(scaledOf("1e-99"), 0);
}

TEST(Money, roundsTheFifthDecimalHalfAwayFromZero)
{
    EXPECT_EQ(scaledOf("1.23454"), 12345);
    EXPECT_EQ(scaledOf("1.23455"), 12346);
    EXPECT_EQ(scaledOf("-1.23455"), -12346);
    EXPECT_EQ(scaledOf("0.00005"), 1);
    EXPECT_EQ(scaledOf("0.000049999"), 0);
    EXPECT_EQ(scaledOf("9.99995"), 100000);
}

TEST(Money, refusesTextThatIsNotANumberOrOutOfRange)
{
    for (const char *bad : {"", " ", "abc", "1.2.3", "1e", "--1", "1,000", "-", ".", "1 2",
                            "e5", "0x10", "922337203685477.5808", "1e16", "1e999"})
        EXPECT_EQ(scaledOf(bad), std::nullopt) << bad;
    EXPECT_EQ(scaledOf("922337203685477.5807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(scaledOf("-922337203685477.5807"), -std::numeric_limits<qint64>::max());
}

TEST(Money, plainText_hasOnlyTheDecimalsItNeeds)
{
    EXPECT_EQ(Money::fromScaled(12000000).toPlainText(), QStringLiteral("1200"));
    EXPECT_EQ(Money::fromScaled(-35000).toPlainText(), QStringLiteral("-3.5"));
    EXPECT_EQ(Money::fromScaled(1).toPlainText(), QStringLiteral("0.0001"));
    EXPECT_EQ(Money::fromScaled(-5000).toPlainText(), QStringLiteral("-0.5"));
    EXPECT_EQ(Money().toPlainText(), QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(Money::fromScaled(-12345000).toDouble(), -1234.5);
    EXPECT_TRUE(Money().isZero());
    EXPECT_LT(Money::fromScaled(-1), Money());
}
