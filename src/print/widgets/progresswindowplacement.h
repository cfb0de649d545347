#pragma once

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace vendara {

// Where the small progress windows of printing appear: centred on the owner
// window, or on the screen that shows it when there is none.
void centreOnOwner(QWidget &window);
void centreOnScreen(QWidget &window);

// The default button "中止" of a progress window, and a row holding it in
// the middle.
QPushButton *makeAbortButton(QWidget *window);
QHBoxLayout *centredRow(QWidget *widget);

} // namespace vendara
