#include "drawingstate.h"

#include <QList>

namespace vendara {

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
    // Width 0 is a cosmetic pen: the thinnest line the device can draw,
    // dashed or not. Qt scales a cosmetic pen's dashes by one device dot, so
    // a hairline's dashes keep their proportions but not their page length.
    const qreal w = qMax(width, 0);
    QPen pen(color, w);
    if (dashes.isEmpty()) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    // A dash pattern counts in pen widths.
    if (w > 0)
        for (qreal &d : dashes)
            d /= w;
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setDashPattern(dashes);
    return pen;
}

} // namespace vendara
