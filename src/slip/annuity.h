#pragma once

#include <optional>

// Level-payment annuities with payment at the end of each period, amounts
// given as positive values. A rate of -100 % or less per period, or fewer
// than one period, has no annuity: the functions give nothing then.
namespace vendara::annuity {

// The level payment that repays pv in n periods at rate i per period.
std::optional<double> pmt(double i, double n, double pv);

// The interest part of the j-th (1-based) of those payments.
std::optional<double> ipmt(double i, double j, double n, double pv);

} // namespace vendara::annuity
