#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Amount cells of the master grids: yen as plain integers, shown grouped.
namespace vendara::celltext {

// A plain integer: an optional sign and decimal digits, nothing else, within
// the 32-bit range every amount must fit. "1,000", " 5", "1.0" are not.
std::optional<int> parseYen(QStringView text);

// The integer's value, or 0 for anything that is not a plain integer.
int yenOrZero(QStringView text);

// An amount as the user types it into an amount cell: a leading sign,
// digits, thousands separators and surrounding blanks, full-width forms of
// an input method included. Acceptable when it is an amount (or nothing),
// Intermediate on the way to one ("-", ","), Invalid for anything else, a
// letter or an amount beyond the 32-bit range: the key that made it is
// refused.
enum class AmountEntry { Acceptable, Intermediate, Invalid };
AmountEntry checkAmountEntry(QStringView text);

// What an amount cell stores for typed text: the plain integer ("1,000" and
// "１，０００" store "1000"), or the text itself when it is blank. Nothing
// when the text is not an amount.
std::optional<QString> storedAmount(const QString &text);

// How a grid cell is drawn: amount cells holding an integer are formatted
// with their number pattern (thousands grouped, "%8.0n" in tax tables) and
// right-aligned; everything else is shown as stored, left-aligned.
struct CellDisplay
{
    QString text;
    bool rightAligned = false;
};
CellDisplay displayAmountCell(const QString &text, const QString &pattern);
inline CellDisplay displayTextCell(const QString &text) { return {text, false}; }

} // namespace vendara::celltext
