#pragma once

#include "common/colorref.h"

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QString>

#include <optional>

namespace vendara {

// The font of the drawing state. The initial values are those of a Japanese
// desktop's menu font: its face, and its point size taken as a height.
struct FontState
{
    QString face = QStringLiteral("ＭＳ Ｐゴシック");
    int height = 9;     // page units; negative: without internal leading
    int style = 0;      // 1 bold, 2 italic, 3 bold italic, other values regular
    quint32 colorRef = 0;
};

// pen: width in page units (0: the thinnest line the device draws); style 1
// dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot, 5 no line, 6 solid drawn
// inside the figure's bounds, other values solid.
struct PenState
{
    int width = 0;
    int style = 0;
    quint32 colorRef = 0;

    bool isNone() const { return style == 5; }
    bool isInsideFrame() const { return style == 6; }
    QPen toQPen() const;
};

// brush: style 1 hollow, 2 to 7 hatches (see Hatch), other values solid.
struct BrushState
{
    int style = 0;
    quint32 colorRef = 0;

    bool isHollow() const { return style == 1; }
    bool isHatched() const { return style >= 2 && style <= 7; }
};

} // namespace vendara
