#pragma once

#include <QString>
#include <QStringView>

// Decimal text of floating-point values, rounded the way a person rounds on
// paper: the value is first taken to 17 significant digits (all a double
// holds) and then rounded half away from zero, so 2.5 prints as 3 and 0.125
// with two decimals as 0.13.
namespace vendara::decimalformat {

// Fixed-point text with `decimals` decimals (0-18), optionally grouped by
// thousands with ','. A result that rounds to zero carries no minus sign.
QString fixed(double value, int decimals, bool grouped);

// Scientific text "-d.dddE+ddd" with `precision` significant digits (1-18)
// and an exponent of at least `minExponentDigits` digits, always signed.
QString exponent(double value, int precision, int minExponentDigits);

// The shorter of fixed and scientific form with at most `precision`
// significant digits (1-18), trailing zeros removed. Scientific form is used
// when the integer part would need more than `precision` digits or the value
// is below 0.0001; its exponent carries a sign only when negative.
QString general(double value, int precision, int minExponentDigits);

// "1234567" -> "1,234,567"; the text must be digits only.
QString groupThousands(QStringView digits);

} // namespace vendara::decimalformat
