#include "slipcalc.h"

#include "amount.h"
#include "annuity.h"

#include <cmath>

namespace vendara {

namespace {

using amount::cellText;
using amount::toFourDecimals;
using amount::truncated;

// Beyond this many bonus payments the interest is taken from the closed form
// (NB × PMT − total) instead of summing IPMT per payment; the two agree, and
// no real plan comes near it.
constexpr double kMaxSummedBonusPayments = 100000;

struct RowSums
{
    qint64 amount = 0;
    qint64 tax = 0;
};

// Σ p and Σ taxOf(p) over the rows: the tax is rounded row by row, not on
// the sum. A cell that is not a whole number counts 0.
template<typename Rows, typename AmountOf>
RowSums sumRows(const Rows &rows, AmountOf amountOf, const SlipComputation &c, const QString &taxField)
{
    RowSums sums;
    for (const auto &row : rows) {
        const int p = amount::cellValue(amountOf(row));
        sums.amount += p;
        sums.tax += truncated(c.taxOf(p), taxField);
    }
    return sums;
}

void setLine(TotalsLine &line, qint64 amountValue, const QString &key)
{
    line.amount = cellText(double(amountValue), QStringLiteral("Price.") + key);
}

void setLine(TotalsLine &line, qint64 amountValue, qint64 taxValue, const QString &key)
{
    setLine(line, amountValue, key);
    line.tax = cellText(double(taxValue), QStringLiteral("Price.") + key + QStringLiteral("Tx"));
}

} // namespace

bool recalcTotals(SlipRecord &slip, const SlipComputation &c)
{
    const SlipCar &car = slip.car;
    SlipPrice p;

    const int carTax = truncated(c.taxOf(car.price - car.disc), QStringLiteral("Car.Tax"));
    p[TotalsRow::Car].amount = cellText(car.price, QStringLiteral("Price.Car"));
    const qint64 obj = truncated(toFourDecimals(car.price - car.disc), QStringLiteral("Price.Obj"));
    setLine(p[TotalsRow::Obj], obj, carTax, QStringLiteral("Obj"));
    if (car.disc != 0) {
        p[TotalsRow::Dis].amount = cellText(car.disc, QStringLiteral("Price.Dis"));
        p.disTitle = QStringLiteral("値引き");
    }

    const auto itemPrice = [](const ItemRow &row) -> const QString & { return row.price; };
    const auto costAmount = [](const CostRow &row) -> const QString & { return row.amount; };
    const RowSums acc = sumRows(car.lineA, itemPrice, c, QStringLiteral("Price.AccTx"));
    setLine(p[TotalsRow::Acc], acc.amount, acc.tax, QStringLiteral("Acc"));
    const RowSums spc = sumRows(car.lineB, itemPrice, c, QStringLiteral("Price.SpcTx"));
    setLine(p[TotalsRow::Spc], spc.amount, spc.tax, QStringLiteral("Spc"));
    const qint64 prc = obj + acc.amount + spc.amount;
    const qint64 prcTx = carTax + acc.tax + spc.tax;
    setLine(p[TotalsRow::Prc], prc, prcTx, QStringLiteral("Prc"));

    const SlipCost &cost = slip.cost;
    const qint64 txCst = truncated(toFourDecimals(cost.tax + cost.wTax + cost.ins + cost.gTax), QStringLiteral("Price.TxCst"));
    setLine(p[TotalsRow::TxCst], txCst, QStringLiteral("TxCst"));
    const RowSums prCst = sumRows(cost.lineA, costAmount, c, QStringLiteral("Price.PrCstTx"));
    setLine(p[TotalsRow::PrCst], prCst.amount, prCst.tax, QStringLiteral("PrCst"));
    const RowSums exCst = sumRows(cost.lineB, costAmount, c, QStringLiteral("Price.ExCst"));
    setLine(p[TotalsRow::ExCst], exCst.amount, QStringLiteral("ExCst"));
    // Of the three cost rows only ④ carries consumption tax.
    const qint64 costs = txCst + prCst.amount + exCst.amount;
    setLine(p[TotalsRow::Cost], costs, prCst.tax, QStringLiteral("Cost"));

    const qint64 carAmt = prc + costs;
    const qint64 carAmtTx = carTax + acc.tax + spc.tax + prCst.tax;
    setLine(p[TotalsRow::CarAmt], carAmt, carAmtTx, QStringLiteral("CarAmt"));

    p.taxInc = double(carAmt + carAmtTx);
    p.last = p.taxInc - slip.trade.trade;

    PlanInputs plan = planInputsOf(slip);
    plan.total = p.last;
    PlanCells cells = planCells(plan);

    // Everything is computed: only now does the record change.
    const bool changed = !(p == slip.price);
    slip.car.tax = carTax;
    slip.price = std::move(p);
    slip.pay.plan = std::move(cells);
    return changed;
}

PlanInputs planInputsOf(const SlipRecord &slip)
{
    PlanInputs in;
    in.total = slip.price.last;
    in.down = slip.pay.down;
    in.debt = slip.trade.deb;
    in.annualRate = slip.pay.rate;
    in.count = slip.pay.time;
    in.bonusPerYear = slip.pay.bTime;
    in.bonusAmount = slip.pay.bPlus;
    return in;
}

void recalcPlan(SlipRecord &slip)
{
    slip.pay.plan = planCells(planInputsOf(slip));
}

PlanCells planCells(const PlanInputs &in)
{
    PlanCells cells;
    const double A = in.total, D = in.down, B = in.debt, r = in.annualRate, N = in.count, P = in.bonusAmount;
    const int k = in.bonusPerYear;
    if (r == 0 || N == 0 || A == 0)
        return cells;

    double bonusInterest = 0;
    double bonusPrincipal = 0;
    if (k > 0) {
        const double bonusCount = std::trunc(N / (12.0 / k));
        const double bonusTotal = P * bonusCount;
        const double bonusRate = r / 100 / k;
        double interest = 0;
        if (bonusCount > kMaxSummedBonusPayments) {
            const std::optional<double> payment = annuity::pmt(bonusRate, bonusCount, bonusTotal);
            if (!payment)
                return cells;
            interest = bonusCount * *payment - bonusTotal;
        } else {
            for (double j = 1; j <= bonusCount; ++j) {
                const std::optional<double> part = annuity::ipmt(bonusRate, j, bonusCount, bonusTotal);
                if (!part)
                    return cells;
                interest += *part;
            }
        }
        bonusInterest = std::trunc(interest);
        bonusPrincipal = bonusTotal - bonusInterest;
    }

    const std::optional<double> payment = annuity::pmt(r / 100 / 12, std::trunc(N), (A - bonusPrincipal - D) + B);
    if (!payment)
        return cells;
    const double M = *payment;
    const double month = std::trunc(M / 100) * 100;
    // The whole-yen payment plus N times M's part below 100 yen.
    const double first = std::trunc(std::trunc(M) + (M / 100 - std::trunc(M / 100)) * N * 100);
    const double sum = toFourDecimals(first + (N - 1) * month + bonusInterest + bonusPrincipal);
    const double interest = std::trunc(toFourDecimals(sum - (A - D + B)));

    const auto set = [&cells](PlanRow row, double value, const char *key) {
        cells[size_t(row)] = cellText(value, QStringLiteral("Pay.") + QLatin1String(key));
    };
    set(PlanRow::Month, month, "Month");
    set(PlanRow::First, first, "First");
    set(PlanRow::Int, interest, "Int");
    if (k > 0) {
        set(PlanRow::Bonus2, std::trunc(month + P), "Bonus2");
        if (k == 2)
            set(PlanRow::Bonus1, std::trunc(month + P), "Bonus1");
    }
    set(PlanRow::Head, std::trunc(D), "Head");
    set(PlanRow::Deb, std::trunc(B), "Deb");
    set(PlanRow::All, std::trunc(toFourDecimals((A - D) + B)), "All");
    set(PlanRow::Total, std::trunc(toFourDecimals(A + B + interest)), "Total");
    return cells;
}

double discountForTotalToPay(const SlipRecord &slip, const SlipComputation &c, double totalToPay)
{
    const SlipPrice &p = slip.price;
    const auto amountOf = [&p](TotalsRow row) { return double(amount::cellValue(p[row].amount)); };
    const auto taxOf = [&p](TotalsRow row) { return double(amount::cellValue(p[row].tax)); };
    const double x = totalToPay - amountOf(TotalsRow::Cost) - taxOf(TotalsRow::Cost) - amountOf(TotalsRow::Acc)
        - taxOf(TotalsRow::Acc) - amountOf(TotalsRow::Spc) - taxOf(TotalsRow::Spc);
    const double bodyIncludingTax = toFourDecimals(x + slip.trade.trade);
    const double net = bodyIncludingTax - c.taxIncluded(bodyIncludingTax);
    return slip.car.price - net;
}

} // namespace vendara
