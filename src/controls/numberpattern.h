#pragma once

#include <QString>

namespace vendara {

// Formats `value` with a number pattern such as "%.0n円" or "%12.2f".
// A conversion is '%', an optional argument index "0:", an optional '-'
// (left-justify), a width, a precision ".p" and one of
//   n  fixed point with thousands separators (default 2 decimals)
//   f  fixed point (default 2 decimals)
//   e  scientific "d.ddE+ddd" with p significant digits (default 15)
//   g  general: the shorter of fixed and scientific (default 15 digits)
//   m  yen amount "¥1,234" / "-¥1,234" (default 0 decimals)
// (case-insensitive). Text around it is copied and "%%" prints '%'. An empty
// pattern gives an empty string. Throws vendara::Error naming the pattern
// when a conversion does not take the one floating-point value (%d, %s, a
// second argument, '*') or the pattern is malformed.
QString formatNumberPattern(const QString &pattern, double value);

// The text of a print item of type CURRENCY whose slip value is one number
// (absent or not a number reads as 0): empty when the amount is 0 and
// zeroDisp is 0, else `digitPattern` applied. Throws like formatNumberPattern.
QString formatAmountValue(const QString &digitPattern, const QString &slipValue, int zeroDisp);

// The same for one field of a multi-column CURRENCY item: the field is a
// decimal amount held with four decimals. An empty field gives an empty
// string; a field that is not a number throws vendara::Error
// "'<field>' は数値ではありません".
QString formatAmountField(const QString &digitPattern, const QString &field, int zeroDisp);

} // namespace vendara
