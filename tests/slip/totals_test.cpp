#include "slip/slipcalc.h"
#include "support/slipsamples.h"

#include "common/error.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

SlipComputation fivePercent(int rounding = 0)
{
    return SlipComputation::of(SlipTax{5, rounding}, 90);
}

QString amountOf(const SlipRecord &s, TotalsRow row)
{
    return s.price[row].amount;
}

QString taxOf(const SlipRecord &s, TotalsRow row)
{
    return s.price[row].tax;
}

} // namespace

TEST(recalcTotals, workedExample_comesOutToTheYen)
{
    SlipRecord s = test::workedTotalsSlip();
    EXPECT_TRUE(recalcTotals(s, fivePercent()));

    EXPECT_EQ(s.car.tax, 70000);
    EXPECT_EQ(amountOf(s, TotalsRow::Car), "1500000");
    EXPECT_EQ(s.price.disTitle, "値引き");
    EXPECT_EQ(amountOf(s, TotalsRow::Dis), "100000");
    EXPECT_EQ(taxOf(s, TotalsRow::Dis), "");
    EXPECT_EQ(amountOf(s, TotalsRow::Obj), "1400000");
    EXPECT_EQ(taxOf(s, TotalsRow::Obj), "70000");
    EXPECT_EQ(amountOf(s, TotalsRow::Acc), "83333");
    EXPECT_EQ(taxOf(s, TotalsRow::Acc), "4167"); // 2,500 + 1,667
    EXPECT_EQ(amountOf(s, TotalsRow::Spc), "0");
    EXPECT_EQ(taxOf(s, TotalsRow::Spc), "0");
    EXPECT_EQ(amountOf(s, TotalsRow::Prc), "1483333");
    EXPECT_EQ(taxOf(s, TotalsRow::Prc), "74167");
    EXPECT_EQ(amountOf(s, TotalsRow::TxCst), "107980");
    EXPECT_EQ(taxOf(s, TotalsRow::TxCst), "");
    EXPECT_EQ(amountOf(s, TotalsRow::PrCst), "20000");
    EXPECT_EQ(taxOf(s, TotalsRow::PrCst), "1000");
    EXPECT_EQ(amountOf(s, TotalsRow::ExCst), "5000");
    EXPECT_EQ(taxOf(s, TotalsRow::ExCst), "");
    EXPECT_EQ(amountOf(s, TotalsRow::Cost), "132980");
    EXPECT_EQ(taxOf(s, TotalsRow::Cost), "1000");
    EXPECT_EQ(amountOf(s, TotalsRow::CarAmt), "1616313");
    EXPECT_EQ(taxOf(s, TotalsRow::CarAmt), "75167");
    EXPECT_EQ(s.price.taxInc, 1691480);
    EXPECT_EQ(s.price.last, 1491480);
    // Cash payment: the plan is still computed from the inputs (none here).
    for (const QString &cell : s.pay.plan)
        EXPECT_TRUE(cell.isEmpty());

    // A second run over the same inputs changes no total.
    EXPECT_FALSE(recalcTotals(s, fivePercent()));
}

TEST(recalcTotals, tax_isRoundedRowByRowNotOnTheSum)
{
    SlipRecord s;
    for (ItemRow &row : s.car.lineA)
        row = {QStringLiteral("ネジ"), QStringLiteral("9"), {}};
    for (CostRow &row : s.cost.lineA)
        row = {QStringLiteral("手数料"), QStringLiteral("9")};

    recalcTotals(s, fivePercent(0));
    EXPECT_EQ(amountOf(s, TotalsRow::Acc), "81");
    EXPECT_EQ(taxOf(s, TotalsRow::Acc), "0"); // each 0.45 rounds to 0; the sum would give 4
    EXPECT_EQ(amountOf(s, TotalsRow::PrCst), "63");
    EXPECT_EQ(taxOf(s, TotalsRow::PrCst), "0");

    recalcTotals(s, fivePercent(2));
    EXPECT_EQ(taxOf(s, TotalsRow::Acc), "9"); // each rounds up to 1
    EXPECT_EQ(taxOf(s, TotalsRow::PrCst), "7");
    EXPECT_EQ(taxOf(s, TotalsRow::CarAmt), "16");
}

TEST(recalcTotals, cellsThatAreNotWholeNumbers_countZero)
{
    SlipRecord s;
    s.car.lineB[0] = {QStringLiteral("A"), QStringLiteral("12a"), {}};
    s.car.lineB[1] = {QStringLiteral("B"), QStringLiteral("1.5"), {}};
    s.car.lineB[2] = {QStringLiteral("C"), QStringLiteral(" 2000 "), {}};
    s.car.lineB[3] = {QStringLiteral("D"), QStringLiteral("99999999999"), {}};
    s.cost.lineB[0] = {QStringLiteral("E"), QStringLiteral("abc")};
    s.cost.lineB[1] = {QStringLiteral("F"), QStringLiteral("-300")};
    recalcTotals(s, fivePercent());
    EXPECT_EQ(amountOf(s, TotalsRow::Spc), "2000");
    EXPECT_EQ(taxOf(s, TotalsRow::Spc), "100");
    EXPECT_EQ(amountOf(s, TotalsRow::ExCst), "-300");
}

TEST(recalcTotals, withoutDiscount_theDiscountRowIsEmpty)
{
    SlipRecord s = test::workedTotalsSlip();
    s.car.disc = 0;
    recalcTotals(s, fivePercent());
    EXPECT_EQ(s.price.disTitle, "");
    EXPECT_EQ(amountOf(s, TotalsRow::Dis), "");
    EXPECT_EQ(printValuesOf(s).disTitle, "");
    EXPECT_EQ(amountOf(s, TotalsRow::Obj), "1500000");
}

TEST(recalcTotals, tradeIn_isSubtractedFromTheTotalToPayOnly)
{
    SlipRecord s = test::workedTotalsSlip();
    s.trade.trade = 0;
    recalcTotals(s, fivePercent());
    EXPECT_EQ(s.price.taxInc, 1691480);
    EXPECT_EQ(s.price.last, 1691480);
}

TEST(recalcTotals, totalOutsideThirtyTwoBits_leavesTheRecordAsItWas)
{
    SlipRecord s = test::workedTotalsSlip();
    recalcTotals(s, fivePercent());
    const SlipRecord before = s;
    s.car.price = 3000000000.0;
    SlipRecord expected = before;
    expected.car.price = 3000000000.0;
    EXPECT_THROW(recalcTotals(s, fivePercent()), Error);
    EXPECT_EQ(s, expected);

    // Each row fits, their sum does not.
    s = before;
    for (ItemRow &row : s.car.lineA)
        row.price = QStringLiteral("2000000000");
    EXPECT_THROW(recalcTotals(s, fivePercent()), Error);
    EXPECT_EQ(s.price, before.price);
}

TEST(recalcTotals, discount_isWorkedBackFromATotalToPay)
{
    SlipRecord s = test::workedTotalsSlip();
    const SlipComputation c = fivePercent();
    recalcTotals(s, c);

    // The computed total gives back the discount there is.
    EXPECT_EQ(discountForTotalToPay(s, c, s.price.last), 100000);
    // 10,000 less: about 10,000 / 1.05 more discount, and the total then
    // comes out as typed.
    const double discount = discountForTotalToPay(s, c, 1481480);
    EXPECT_EQ(discount, 109524);
    s.car.disc = discount;
    recalcTotals(s, c);
    EXPECT_EQ(s.price.last, 1481480);
}
