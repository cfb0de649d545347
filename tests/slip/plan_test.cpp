#include "slip/slipcalc.h"

#include "common/error.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vendara;

namespace {

QString cell(const PlanCells &cells, PlanRow row)
{
    return cells[size_t(row)];
}

PlanInputs workedPlan()
{
    PlanInputs in;
    in.total = 1000000;
    in.down = 100000;
    in.debt = 0;
    in.annualRate = 3.9;
    in.count = 60;
    in.bonusPerYear = 0;
    return in;
}

// The level payment, from its textbook form.
double level(double i, double n, double pv)
{
    return pv * i / (1 - std::pow(1 + i, -n));
}

} // namespace

TEST(recalcPlan, workedExample_comesOutToTheYen)
{
    const PlanCells cells = planCells(workedPlan());
    EXPECT_EQ(cell(cells, PlanRow::Head), "100000");
    EXPECT_EQ(cell(cells, PlanRow::Deb), "0");
    EXPECT_EQ(cell(cells, PlanRow::All), "900000");
    EXPECT_EQ(cell(cells, PlanRow::Int), "92091");
    EXPECT_EQ(cell(cells, PlanRow::Bonus1), "");
    EXPECT_EQ(cell(cells, PlanRow::Bonus2), "");
    EXPECT_EQ(cell(cells, PlanRow::First), "18591");
    EXPECT_EQ(cell(cells, PlanRow::Month), "16500");
    EXPECT_EQ(cell(cells, PlanRow::Total), "1092091");
}

TEST(recalcPlan, noRateCountOrTotal_leavesEveryCellEmpty)
{
    for (int which = 0; which < 3; ++which) {
        PlanInputs in = workedPlan();
        in.debt = 50000;
        (which == 0 ? in.annualRate : which == 1 ? in.count : in.total) = 0;
        const PlanCells cells = planCells(in);
        for (const QString &c : cells)
            EXPECT_TRUE(c.isEmpty()) << which;
    }
}

TEST(recalcPlan, bonusCountThatYieldsNoBonusPayment_stillFillsBothBonusMonths)
{
    PlanInputs in = workedPlan();
    in.count = 5;
    in.bonusPerYear = 2;
    in.bonusAmount = 30000;
    const PlanCells cells = planCells(in);
    // NB = trunc(5 / 6) = 0: no bonus interest or principal.
    const double m = level(0.039 / 12, 5, 900000);
    const QString month = QString::number(std::trunc(m / 100) * 100, 'f', 0);
    EXPECT_EQ(cell(cells, PlanRow::Month), month);
    const QString bonus = QString::number(month.toInt() + 30000);
    EXPECT_EQ(cell(cells, PlanRow::Bonus1), bonus);
    EXPECT_EQ(cell(cells, PlanRow::Bonus2), bonus);
    // Σ of payments less the principal: First + 4 × Month − 900,000.
    EXPECT_EQ(cell(cells, PlanRow::Int).toInt(), cell(cells, PlanRow::First).toInt() + 4 * month.toInt() - 900000);
}

TEST(recalcPlan, bonusPayments_carryTheirOwnInterest)
{
    PlanInputs in;
    in.total = 2000000;
    in.annualRate = 6;
    in.count = 36;
    in.bonusPerYear = 2;
    in.bonusAmount = 50000;
    const PlanCells cells = planCells(in);

    // Six half-yearly bonus payments repay 300,000 at 3 % per half-year.
    const double bonusInterest = std::trunc(6 * level(0.03, 6, 300000) - 300000);
    const double bonusPrincipal = 300000 - bonusInterest;
    const double m = level(0.005, 36, 2000000 - bonusPrincipal);
    const int month = int(std::trunc(m / 100) * 100);
    EXPECT_EQ(cell(cells, PlanRow::Month).toInt(), month);
    EXPECT_EQ(cell(cells, PlanRow::First).toInt(), int(std::trunc(std::trunc(m) + (m / 100 - std::trunc(m / 100)) * 3600)));
    EXPECT_EQ(cell(cells, PlanRow::Bonus1).toInt(), month + 50000);
    EXPECT_EQ(cell(cells, PlanRow::Bonus2).toInt(), month + 50000);
    const int interest = cell(cells, PlanRow::First).toInt() + 35 * month + 300000 - 2000000;
    EXPECT_EQ(cell(cells, PlanRow::Int).toInt(), interest);
    EXPECT_EQ(cell(cells, PlanRow::Total).toInt(), 2000000 + interest);
    EXPECT_EQ(cell(cells, PlanRow::All), "2000000");
}

TEST(recalcPlan, oneBonusPerYear_fillsOnlyTheSecondBonusMonth)
{
    PlanInputs in = workedPlan();
    in.bonusPerYear = 1;
    in.bonusAmount = 20000;
    const PlanCells cells = planCells(in);
    EXPECT_EQ(cell(cells, PlanRow::Bonus1), "");
    EXPECT_EQ(cell(cells, PlanRow::Bonus2).toInt(), cell(cells, PlanRow::Month).toInt() + 20000);
}

TEST(recalcPlan, debtAndDownPayment_enterThePrincipal)
{
    PlanInputs in = workedPlan();
    in.debt = 150000.7;
    const PlanCells cells = planCells(in);
    EXPECT_EQ(cell(cells, PlanRow::Deb), "150000");
    EXPECT_EQ(cell(cells, PlanRow::All), "1050000");
    const double m = level(0.039 / 12, 60, 1050000.7);
    EXPECT_EQ(cell(cells, PlanRow::Month).toInt(), int(std::trunc(m / 100) * 100));
}

TEST(recalcPlan, rateWithoutAnnuityOrCountBelowOne_givesNoPlanAndNoError)
{
    PlanInputs in = workedPlan();
    in.annualRate = -1200; // -100 % a month
    for (const QString &c : planCells(in))
        EXPECT_TRUE(c.isEmpty());
    in = workedPlan();
    in.count = 0.5;
    for (const QString &c : planCells(in))
        EXPECT_TRUE(c.isEmpty());
}

TEST(recalcPlan, planCellOutsideThirtyTwoBits_isARangeError)
{
    PlanInputs in = workedPlan();
    in.total = 5e9;
    EXPECT_THROW(planCells(in), Error);

    SlipRecord s;
    s.price.last = 5e9;
    s.pay.rate = 3.9;
    s.pay.time = 60;
    s.pay.plan[0] = QStringLiteral("kept");
    EXPECT_THROW(recalcPlan(s), Error);
    EXPECT_EQ(s.pay.plan[0], "kept");
}
