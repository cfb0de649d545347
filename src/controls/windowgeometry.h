#pragma once

#include <QRect>
#include <QSize>

namespace vendara::windowgeometry {

// Room a window manager takes around a window (borders and the title bar)
// before the window is mapped and its real frame is known.
inline constexpr QSize kFrameAllowance{8, 32};

// The size a window opens at: what its layout asks for (`preferred`, at least
// `minimum`), but never larger than the room on the screen, so that nothing
// of it is cut off however small the desktop.
QSize firstOpenSize(QSize preferred, QSize minimum, QSize room);

// The room for a window's contents on a screen whose free area (without
// panels) is `available`, given the frame around the window.
QSize roomOnScreen(const QRect &available, QSize frame);

// Centred over `over` (the owner window) where that fits, kept inside
// `available` in any case.
QPoint placement(QSize frameSize, const QRect &over, const QRect &available);

} // namespace vendara::windowgeometry
