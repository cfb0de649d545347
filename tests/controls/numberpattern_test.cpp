#include "controls/numberpattern.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "controls/decimalformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vendara;

namespace {

QString errorOf(const QString &pattern)
{
    try {
        formatNumberPattern(pattern, 1234567);
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(NumberPattern, thousands_areSeparatedWithWidthAndJustification)
{
    EXPECT_EQ(formatNumberPattern("%.0n", 1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(formatNumberPattern("%12.0n", 1234567), QStringLiteral("   1,234,567"));
    EXPECT_EQ(formatNumberPattern("%-12.0n|", 1234567), QStringLiteral("1,234,567   |"));
    EXPECT_EQ(formatNumberPattern("%3.0n", 1234567), QStringLiteral("1,234,567")); // never cut
    EXPECT_EQ(formatNumberPattern("%n", 1234.5), QStringLiteral("1,234.50"));
    EXPECT_EQ(formatNumberPattern("%.0n", -1234567), QStringLiteral("-1,234,567"));
    EXPECT_EQ(formatNumberPattern("%.0n", 999), QStringLiteral("999"));
    EXPECT_EQ(formatNumberPattern("%.0N", 1000), QStringLiteral("1,000"));
}

TEST(NumberPattern, textAroundTheConversionAndPercentSigns_isCopied)
{
    EXPECT_EQ(formatNumberPattern("%.0n円", 150000), QStringLiteral("150,000円"));
    EXPECT_EQ(formatNumberPattern("金額 %.0n 円", 20000), QStringLiteral("金額 20,000 円"));
    EXPECT_EQ(formatNumberPattern("%%", 5), QStringLiteral("%"));
    EXPECT_EQ(formatNumberPattern("%.1f%%", 3.25), QStringLiteral("3.3%"));
    EXPECT_EQ(formatNumberPattern("no conversion", 5), QStringLiteral("no conversion"));
    EXPECT_EQ(formatNumberPattern("", 5), QString());
    EXPECT_EQ(formatNumberPattern("%0:.0n/%0:.2f", 7), QStringLiteral("7/7.00"));
}

TEST(NumberPattern, fixedPoint_roundsHalfAwayFromZero)
{
    EXPECT_EQ(formatNumberPattern("%.2f", 1234.5), QStringLiteral("1234.50"));
    EXPECT_EQ(formatNumberPattern("%f", 2), QStringLiteral("2.00"));
    EXPECT_EQ(formatNumberPattern("%.0f", 2.5), QStringLiteral("3"));
    EXPECT_EQ(formatNumberPattern("%.0f", -2.5), QStringLiteral("-3"));
    EXPECT_EQ(formatNumberPattern("%.2f", 0.125), QStringLiteral("0.13"));
    EXPECT_EQ(formatNumberPattern("%.2f", 1.005), QStringLiteral("1.00")); // 1.00499999...
    EXPECT_EQ(formatNumberPattern("%.0n", 999999.5), QStringLiteral("1,000,000"));
    EXPECT_EQ(formatNumberPattern("%.0n", -0.4), QStringLiteral("0"));
    EXPECT_EQ(formatNumberPattern("%.2f", 0.1 + 0.2), QStringLiteral("0.30"));
    EXPECT_EQ(formatNumberPattern("%.30f", 1), QStringLiteral("1.") + QString(18, u'0'));
    EXPECT_EQ(formatNumberPattern("%.0f", 1e20), QStringLiteral("100000000000000000000"));
}

TEST(NumberPattern, scientificAndGeneralForms_printLikeTheOldProgram)
{
    EXPECT_EQ(formatNumberPattern("%.3e", 1234.5), QStringLiteral("1.23E+003"));
    EXPECT_EQ(formatNumberPattern("%e", 1234.5), QStringLiteral("1.23450000000000E+003"));
    EXPECT_EQ(formatNumberPattern("%.2e", -0.000123), QStringLiteral("-1.2E-004"));
    EXPECT_EQ(formatNumberPattern("%.1e", 0), QStringLiteral("0E+000"));
    EXPECT_EQ(formatNumberPattern("%.2e", 9.99), QStringLiteral("1.0E+001"));
    EXPECT_EQ(formatNumberPattern("%g", 1234567.5), QStringLiteral("1234567.5"));
    EXPECT_EQ(formatNumberPattern("%g", 0), QStringLiteral("0"));
    EXPECT_EQ(formatNumberPattern("%g", 0.0001234), QStringLiteral("0.0001234"));
    EXPECT_EQ(formatNumberPattern("%g", 0.00001234), QStringLiteral("1.234E-005"));
    EXPECT_EQ(formatNumberPattern("%g", 1e20), QStringLiteral("1E020"));
    EXPECT_EQ(formatNumberPattern("%.3g", 1234567.5), QStringLiteral("1.23E006"));
    EXPECT_EQ(formatNumberPattern("%.3g", 123), QStringLiteral("123"));
}

TEST(NumberPattern, money_printsInYenWithTheYenSign)
{
    EXPECT_EQ(formatNumberPattern("%m", 1234567), QStringLiteral("¥1,234,567"));
    EXPECT_EQ(formatNumberPattern("%m", -1234.5), QStringLiteral("-¥1,235"));
    EXPECT_EQ(formatNumberPattern("%.2m", 1200), QStringLiteral("¥1,200.00"));
    EXPECT_EQ(formatNumberPattern("%10m", 1200), QStringLiteral("    ¥1,200"));
    // In a Shift-JIS file the yen sign is the byte 0x5C.
    EXPECT_EQ(cp932::encode(formatNumberPattern("%m", 1200)), QByteArray("\\1,200"));
}

TEST(NumberPattern, nonFiniteValues_printAsWords)
{
    EXPECT_EQ(formatNumberPattern("%.0n", std::numeric_limits<double>::infinity()),
              QStringLiteral("INF"));
    EXPECT_EQ(formatNumberPattern("%.0n", -std::numeric_limits<double>::infinity()),
              QStringLiteral("-INF"));
    EXPECT_EQ(formatNumberPattern("%e", std::nan("")), QStringLiteral("NAN"));
}

TEST(NumberPattern, specificationsNotTakingAFloat_areErrorsNamingThePattern)
{
    for (const char *pattern : {"%d", "%s", "%x", "%u", "%p", "%5", "%", "%.0q", "%*.0n",
                                "%.*n", "%.0n and %.0n", "%1:.0n", "%5000n", "%.99999999999n"}) {
        const QString message = errorOf(QString::fromLatin1(pattern));
        EXPECT_TRUE(message.contains(QStringLiteral("'%1'").arg(QString::fromLatin1(pattern))))
            << pattern << " -> " << qPrintable(message);
    }
    EXPECT_EQ(errorOf("%d"), QStringLiteral("書式 '%d' が無効か，数値と互換性がありません"));
}

TEST(NumberPattern, currencyValueOfOneNumber_isBlankForZeroUnlessAsked)
{
    EXPECT_EQ(formatAmountValue("%.0n", "1234567", 0), QStringLiteral("1,234,567"));
    EXPECT_EQ(formatAmountValue("%.0n", "0", 0), QString());
    EXPECT_EQ(formatAmountValue("%.0n", "0", 1), QStringLiteral("0"));
    EXPECT_EQ(formatAmountValue("%.0n", "", 0), QString());      // absent reads as 0
    EXPECT_EQ(formatAmountValue("%.0n", "abc", 1), QStringLiteral("0")); // not a number
    EXPECT_EQ(formatAmountValue("%.0n", "-0.0", 0), QString());
    EXPECT_THROW(formatAmountValue("%d", "5", 0), Error);
    EXPECT_EQ(formatAmountValue("%d", "0", 0), QString()); // nothing printed, nothing formatted
}

TEST(NumberPattern, currencyFieldOfAColumn_isAFourDecimalAmount)
{
    EXPECT_EQ(formatAmountField("%.0n", "150000", 0), QStringLiteral("150,000"));
    EXPECT_EQ(formatAmountField("%.4f", "12.34567", 0), QStringLiteral("12.3457"));
    EXPECT_EQ(formatAmountField("%.0n", "0.00004", 0), QString()); // rounds to 0
    EXPECT_EQ(formatAmountField("%.4f", "0.00005", 0), QStringLiteral("0.0001"));
    EXPECT_EQ(formatAmountField("%.0n", "0", 1), QStringLiteral("0"));
    EXPECT_EQ(formatAmountField("%.0n", "", 1), QString());
    try {
        formatAmountField("%.0n", "ETC", 0);
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'ETC' は数値ではありません"));
    }
}

TEST(DecimalFormat, groupsIntegerDigits)
{
    EXPECT_EQ(decimalformat::groupThousands(u"0"), QStringLiteral("0"));
    EXPECT_EQ(decimalformat::groupThousands(u"123"), QStringLiteral("123"));
    EXPECT_EQ(decimalformat::groupThousands(u"1234"), QStringLiteral("1,234"));
    EXPECT_EQ(decimalformat::groupThousands(u"123456"), QStringLiteral("123,456"));
    EXPECT_EQ(decimalformat::groupThousands(u"1234567890"), QStringLiteral("1,234,567,890"));
    EXPECT_EQ(decimalformat::fixed(0.5, 0, false), QStringLiteral("1"));
    EXPECT_EQ(decimalformat::fixed(-0.0, 2, false), QStringLiteral("0.00"));
    EXPECT_EQ(decimalformat::fixed(0.000001, 3, true), QStringLiteral("0.000"));
    EXPECT_EQ(decimalformat::fixed(1e-300, 2, false), QStringLiteral("0.00"));
}
