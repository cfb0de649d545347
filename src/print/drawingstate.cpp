#include "drawingstate.h"

#include <QList>

namespace vendara {

QColor colorFromColorRef(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

QPen PenState::toQPen() const
{
    if (isNone())
        return QPen(Qt::NoPen);
    const QColor color = colorFromColorRef(colorRef);
    // Dash lengths in page units, in the proportions of the classic styles.
    QList<qreal> dashes;
    switch (style) {
    case 1: dashes = {40, 15}; break;
    case 2: dashes = {6, 8}; break;
    case 3: dashes = {30, 10, 6, 10}; break;
    case 4: dashes = {30, 8, 6, 8, 6, 8}; break;
    default: break;
    }
    if (dashes.isEmpty()) {
        // Width 0 is a cosmetic pen: one device dot wide on any device.
        QPen pen(color, qMax(width, 0));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    // A dash pattern counts in pen widths; a thin dashed pen is one unit wide
    // so that its dashes keep their length on every device.
    const qreal w = qMax(width, 1);
    for (qreal &d : dashes)
        d /= w;
    QPen pen(color, w);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setDashPattern(dashes);
    return pen;
}

} // namespace vendara
