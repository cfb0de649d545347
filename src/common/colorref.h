#pragma once

#include <QColor>

namespace vendara {

// A colour as the slip, layout and company block files store it:
// 0x00BBGGRR, blue in the high byte (the top byte is ignored).
inline QColor colorFromColorRef(quint32 colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

} // namespace vendara
