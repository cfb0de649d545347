#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>

namespace vendara {

// The hatch patterns of the `brush` command.
enum class Hatch {
    Rising,        // diagonal lines rising to the right (/)
    Falling,       // diagonal lines falling to the right (\)
    Cross,         // horizontal and vertical
    DiagonalCross, // both diagonals
    Horizontal,
    Vertical,
};

// Hatched fills are drawn as vector lines: a painter's hatch brush has a
// period of device pixels, which is a fraction of a millimetre on a PDF and
// millimetres on screen. The lines lie on a grid anchored at the page origin
// with the given period (page units), so neighbouring fills line up. Only
// lines that pass through visible are made: a shape far larger than the
// sheet costs no more than the sheet.
QList<QLineF> hatchLinesInRect(const QRectF &rect, Hatch hatch, qreal period, const QRectF &visible);
QList<QLineF> hatchLinesInEllipse(const QRectF &bounds, Hatch hatch, qreal period, const QRectF &visible);

} // namespace vendara
