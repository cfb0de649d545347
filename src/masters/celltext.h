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
