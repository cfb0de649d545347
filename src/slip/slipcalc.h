#pragma once

#include "slipcomputation.h"
#include "sliprecord.h"

// The amounts a slip derives from its inputs: the totals of section 7 and
// the payment plan of section 8. Every run either completes or, on an amount
// outside the signed 32-bit range, throws vendara::Error and leaves the record
// exactly as it was.
namespace vendara {

// Car.Tax, the totals table, Price.TaxInc and Price.Last, then the payment
// plan. True when a totals cell, TaxInc or Last changed (the caller marks the
// totals section as updated).
bool recalcTotals(SlipRecord &slip, const SlipComputation &computation);

// The nine plan cells from Price.Last and the Pay inputs.
void recalcPlan(SlipRecord &slip);

struct PlanInputs
{
    double total = 0;       // A, Price.Last
    double down = 0;        // D, Pay.Down
    double debt = 0;        // B, Trade.Deb
    double annualRate = 0;  // r, Pay.Rate in percent
    double count = 0;       // N, Pay.Time
    int bonusPerYear = 0;   // k, Pay.BTime
    double bonusAmount = 0; // P, Pay.BPlus
};
PlanInputs planInputsOf(const SlipRecord &slip);
// All cells empty when there is no plan (no rate, no count, nothing to pay,
// or a rate without annuity); throws on a cell outside the 32-bit range.
PlanCells planCells(const PlanInputs &in);

// The discount that makes the total to pay come out as totalToPay, worked
// back through the costs, the trade-in and the tax contained in the body
// amount. Uses the totals cells as they stand.
double discountForTotalToPay(const SlipRecord &slip, const SlipComputation &computation, double totalToPay);

} // namespace vendara
