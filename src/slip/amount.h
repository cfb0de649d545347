#pragma once

#include <QString>

#include <optional>

// Whole-yen amounts: money and counts are stored as signed 32-bit integers.
namespace vendara::amount {

// The integer a cell text holds, when it is a whole number that fits a signed
// 32-bit integer (decimal or 0x hexadecimal, blanks around it allowed).
std::optional<int> wholeNumber(QStringView text);

// A cell read back as an integer: text that is not a whole number counts 0.
inline int cellValue(QStringView text)
{
    return wholeNumber(text).value_or(0);
}

// How the slip's tables show a cell: a whole number with thousands separators
// and no decimals ("%11.0n"), any other text as it is.
QString displayText(const QString &cell);

// The value truncated toward zero; throws vendara::Error naming the field
// when the result does not fit a signed 32-bit integer.
int truncated(double value, const QString &field);

// The truncated value as the decimal text of a table cell.
inline QString cellText(double value, const QString &field)
{
    return QString::number(truncated(value, field));
}

// Rounded to four decimals, the precision of the fixed-point intermediates of
// the payment and discount computations.
double toFourDecimals(double value);

} // namespace vendara::amount
