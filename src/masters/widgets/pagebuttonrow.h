#pragma once

#include <initializer_list>

class QHBoxLayout;
class QPushButton;

namespace vendara {

// The buttons under a master page's list, in one row from the left. None of
// them is an auto-default button, so Enter in the page's fields presses none
// of them (nor the dialog's OK).
QHBoxLayout *makePageButtonRow(std::initializer_list<QPushButton *> buttons);

} // namespace vendara
