#pragma once

class QWidget;

namespace vendara {

// Where the small progress windows of printing appear: centred on the owner
// window, or on the screen that shows it when there is none.
void centreOnOwner(QWidget &window);
void centreOnScreen(QWidget &window);

} // namespace vendara
