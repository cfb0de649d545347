#include "slip/amount.h"
#include "slip/annuity.h"
#include "slip/slipcomputation.h"

#include "common/error.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vendara;

namespace {

SlipComputation at(double rate, int rounding, int ratio = 90)
{
    return SlipComputation::of(SlipTax{rate, rounding}, ratio);
}

} // namespace

TEST(SlipComputation, rate_isHeldAsTenThousandthsRoundedToNearest)
{
    EXPECT_EQ(at(5, 0).rateE4, 50000);
    EXPECT_EQ(at(3.9, 0).rateE4, 39000);
    EXPECT_EQ(at(8.00004, 0).rateE4, 80000);
    EXPECT_EQ(at(3.14159, 0).rateE4, 31416);
    EXPECT_EQ(at(0, 1).rounding, 1);
}

TEST(SlipComputation, taxOfHalfYen_roundsPerModeOnBothSides)
{
    // 1250 at 5 % is exactly 62.5.
    struct Case { int mode; double plus; double minus; };
    for (const Case c : {Case{0, 63, -63}, Case{1, 62, -62}, Case{2, 63, -62}, Case{7, 63, -63}}) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(at(5, c.mode).taxOf(1250), c.plus);
        EXPECT_EQ(at(5, c.mode).taxOf(-1250), c.minus);
    }
}

TEST(SlipComputation, taxOfOrdinaryAmounts_followsTheRoundingMode)
{
    EXPECT_EQ(at(5, 0).taxOf(1234), 62); // 61.7
    EXPECT_EQ(at(5, 1).taxOf(1234), 61);
    EXPECT_EQ(at(5, 2).taxOf(1234), 62);
    EXPECT_EQ(at(5, 0).taxOf(9), 0); // 0.45
    EXPECT_EQ(at(5, 2).taxOf(9), 1);
    EXPECT_EQ(at(10, 0).taxOf(1400000), 140000);
    EXPECT_EQ(at(0, 2).taxOf(999999), 0);
}

TEST(SlipComputation, taxIncluded_takesTheTaxOutOfAnAmountIncludingIt)
{
    EXPECT_EQ(at(5, 0).taxIncluded(1050), 50);
    EXPECT_EQ(at(5, 0).taxIncluded(1460000), 69524); // 69,523.8
    EXPECT_EQ(at(5, 1).taxIncluded(1460000), 69523);
    EXPECT_EQ(at(8, 0).taxIncluded(108), 8);
    EXPECT_EQ(at(5, 0).taxIncluded(0), 0);
}

TEST(SlipComputation, acquisitionBase_isCutDownToThousands)
{
    EXPECT_EQ(at(5, 0, 90).acquisitionBase(1234567), 1111000);
    EXPECT_EQ(at(5, 0, 85).acquisitionBase(1000000), 850000);
    EXPECT_EQ(at(5, 0, 90).acquisitionBase(1000000), 900000);
    EXPECT_EQ(at(5, 0, 90).acquisitionBase(1110), 0);
    EXPECT_EQ(at(5, 0, 100).acquisitionBase(1999), 1000);
}

TEST(SlipAmount, wholeNumbers_fitThirtyTwoBits)
{
    EXPECT_EQ(amount::wholeNumber(u"12"), 12);
    EXPECT_EQ(amount::wholeNumber(u" -5 "), -5);
    EXPECT_EQ(amount::wholeNumber(u"0x10"), 16);
    EXPECT_EQ(amount::wholeNumber(u"2147483647"), 2147483647);
    EXPECT_FALSE(amount::wholeNumber(u"2147483648"));
    EXPECT_FALSE(amount::wholeNumber(u"12a"));
    EXPECT_FALSE(amount::wholeNumber(u"1.5"));
    EXPECT_FALSE(amount::wholeNumber(u""));
    EXPECT_FALSE(amount::wholeNumber(u" "));
    EXPECT_EQ(amount::cellValue(u"ABC"), 0);
}

TEST(SlipAmount, truncation_goesTowardZeroAndNamesTheFieldOutOfRange)
{
    EXPECT_EQ(amount::truncated(1.9, "x"), 1);
    EXPECT_EQ(amount::truncated(-1.9, "x"), -1);
    EXPECT_EQ(amount::truncated(-2147483648.0, "x"), -2147483647 - 1);
    try {
        amount::truncated(2147483648.0, QStringLiteral("Car.Price"));
        FAIL() << "no range error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Car.Price")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("2147483648")));
    }
    EXPECT_THROW(amount::truncated(std::nan(""), "x"), Error);
    EXPECT_EQ(amount::toFourDecimals(1.23456), 1.2346);
}

TEST(Annuity, levelPayment_addsUpWithItsInterestParts)
{
    const double payment = annuity::pmt(0.00325, 60, 900000).value();
    EXPECT_NEAR(payment, 16534.286, 0.001);
    // The interest parts add up to everything paid beyond the principal.
    double interest = 0;
    for (int j = 1; j <= 60; ++j)
        interest += annuity::ipmt(0.00325, j, 60, 900000).value();
    EXPECT_NEAR(interest, 60 * payment - 900000, 1e-6);
    EXPECT_NEAR(annuity::ipmt(0.00325, 1, 60, 900000).value(), 900000 * 0.00325, 1e-9);
    EXPECT_NEAR(annuity::pmt(0, 4, 1000).value(), 250, 1e-12);
}

TEST(Annuity, withoutPeriodsOrAtMinusHundredPercent_thereIsNoAnnuity)
{
    EXPECT_FALSE(annuity::pmt(-1, 12, 1000));
    EXPECT_FALSE(annuity::pmt(-1.5, 12, 1000));
    EXPECT_FALSE(annuity::pmt(0.01, 0, 1000));
    EXPECT_FALSE(annuity::ipmt(0.01, 0, 12, 1000));
    EXPECT_FALSE(annuity::ipmt(0.01, 13, 12, 1000));
}

// The base is price × Std ÷ 100 cut down to thousands, exactly: no price
// may lose 1000 yen to a binary fraction (100,000 at 29 % is 29,000).
TEST(SlipComputation, acquisitionBase_isExactForEveryRatio)
{
    EXPECT_EQ(at(5, 0, 29).acquisitionBase(100000), 29000);
    EXPECT_EQ(at(5, 0, 58).acquisitionBase(100000), 58000);
    for (int ratio = 1; ratio <= 100; ++ratio) {
        const SlipComputation c = at(5, 0, ratio);
        for (qint64 price = 1000; price <= 20000000; price += price < 1000000 ? 1000 : 99000) {
            const qint64 exact = price * ratio / 100000 * 1000;
            ASSERT_EQ(c.acquisitionBase(double(price)), double(exact)) << "price " << price << ", ratio " << ratio;
        }
    }
}

TEST(SlipComputation, taxIncluded_isExactWhereTheAmountDividesEvenly)
{
    // 735 at 5 % holds exactly 35 of tax; evaluated in binary it is just
    // below or above, and truncating or rounding up would miss by a yen.
    EXPECT_EQ(at(5, 1).taxIncluded(735), 35);
    EXPECT_EQ(at(5, 2).taxIncluded(903), 43);
    EXPECT_EQ(at(8, 1).taxIncluded(189), 14);
    EXPECT_EQ(at(8, 2).taxIncluded(108), 8);
    EXPECT_EQ(at(5, 0).taxIncluded(-1050), -50);
    EXPECT_EQ(at(5, 2).taxOf(0.0001), 1);
    EXPECT_EQ(at(5, 1).taxOf(-19.9999), 0);
}
