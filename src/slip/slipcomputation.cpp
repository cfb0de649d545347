#include "slipcomputation.h"

#include <cmath>

namespace vendara {

SlipComputation SlipComputation::of(const SlipTax &tax, int acquisitionRatio)
{
    SlipComputation c;
    c.rateE4 = std::round(tax.rate * 10000);
    c.rounding = tax.cut;
    c.acquisitionRatio = acquisitionRatio;
    return c;
}

double SlipComputation::Round(double v) const
{
    switch (rounding) {
    case 1:
        return std::trunc(v);
    case 2:
        return std::ceil(v);
    default:
        return v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5);
    }
}

double SlipComputation::TaxOf(double x) const
{
    return Round(x * (rateE4 / 100) / 10000);
}

double SlipComputation::TaxIncluded(double x) const
{
    return Round(x - x / (rateE4 / 100 + 10000) * 10000);
}

double SlipComputation::AcqBase(double price) const
{
    return std::trunc(price * (acquisitionRatio * 0.01) / 1000) * 1000;
}

} // namespace vendara
