#include "annuity.h"

#include <cmath>

namespace vendara::annuity {

namespace {

bool valid(double i, double n)
{
    return i > -1 && n >= 1 && std::isfinite(i) && std::isfinite(n);
}

} // namespace

std::optional<double> pmt(double i, double n, double pv)
{
    if (!valid(i, n))
        return std::nullopt;
    if (i == 0)
        return pv / n;
    const double q = std::pow(1 + i, n);
    return pv * i * q / (q - 1);
}

std::optional<double> ipmt(double i, double j, double n, double pv)
{
    const std::optional<double> payment = pmt(i, n, pv);
    if (!payment || j < 1 || j > n)
        return std::nullopt;
    // Interest on the balance left after the first j - 1 payments.
    const double q = std::pow(1 + i, j - 1);
    return pv * i * q - *payment * (q - 1);
}

} // namespace vendara::annuity
