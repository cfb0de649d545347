#include "slipcomputation.h"

#include <cmath>

namespace vendara {

namespace {

__extension__ typedef __int128 Int128; // products of two scaled amounts

// Amounts are held to four decimals; beyond this they cannot be amounts of a
// slip at all, and the double formula is left to report the range error.
constexpr double kMaxScaledAmount = 1e14;

std::optional<qint64> toScaledE4(double value)
{
    if (!(std::fabs(value) < kMaxScaledAmount))
        return std::nullopt;
    return std::llround(value * 10000);
}

// numerator ÷ denominator rounded by mode, exactly; the denominator is positive.
qint64 roundedQuotient(Int128 numerator, Int128 denominator, int rounding)
{
    const Int128 quotient = numerator / denominator; // toward zero
    const Int128 remainder = numerator % denominator;
    switch (rounding) {
    case 1:
        return qint64(quotient);
    case 2:
        return qint64(remainder > 0 ? quotient + 1 : quotient);
    default: {
        const Int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
        if (twice >= denominator)
            return qint64(numerator < 0 ? quotient - 1 : quotient + 1);
        return qint64(quotient);
    }
    }
}

} // namespace

SlipComputation SlipComputation::of(const SlipTax &tax, int acquisitionRatio)
{
    SlipComputation c;
    c.rateE4 = std::round(tax.rate * 10000);
    c.rounding = tax.cut;
    c.acquisitionRatio = acquisitionRatio;
    return c;
}

double SlipComputation::roundAmount(double v) const
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

std::optional<qint64> SlipComputation::rateScaled() const
{
    if (!(std::fabs(rateE4) < kMaxScaledAmount))
        return std::nullopt;
    return qint64(rateE4);
}

// x × (R ÷ 100) ÷ 10000 with x to four decimals: (x·10⁴ × R) ÷ 10¹⁰.
double SlipComputation::taxOf(double x) const
{
    const auto scaled = toScaledE4(x);
    const auto rate = rateScaled();
    if (!scaled || !rate)
        return roundAmount(x * (rateE4 / 100) / 10000);
    return double(roundedQuotient(Int128(*scaled) * *rate, Int128(10'000'000'000), rounding));
}

// x − x ÷ (R ÷ 100 + 10000) × 10000 is x × R ÷ (R + 10⁶).
double SlipComputation::taxIncluded(double x) const
{
    const auto scaled = toScaledE4(x);
    const auto rate = rateScaled();
    if (!scaled || !rate || *rate <= -1'000'000)
        return roundAmount(x - x / (rateE4 / 100 + 10000) * 10000);
    return double(roundedQuotient(Int128(*scaled) * *rate, Int128(10000) * (*rate + 1'000'000), rounding));
}

// price × ratio ÷ 100, cut down toward zero to a multiple of 1000 yen.
double SlipComputation::acquisitionBase(double price) const
{
    const auto scaled = toScaledE4(price);
    if (!scaled)
        return std::trunc(price * (acquisitionRatio * 0.01) / 1000) * 1000;
    return double(roundedQuotient(Int128(*scaled) * acquisitionRatio, Int128(1'000'000'000), 1) * 1000);
}

} // namespace vendara
