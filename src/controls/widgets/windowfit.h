#pragma once

class QWidget;

namespace vendara {

// Sizes a window as it first opens from what its layout asks for (or the
// size given to it), never larger than the free area of its screen, and
// places it over its owner inside that area.
void fitWindowToScreen(QWidget *window);

// Does fitWindowToScreen for every window of the application as it is first
// shown. Installed once; calling it again does nothing.
void installWindowFit();

} // namespace vendara
