#pragma once

class QFont;
class QTableView;

namespace vendara {

// The look and keys every master grid shares: no header bars, rows 20 pixels
// high, one current cell, the cell delegate, and editing in place (typing
// starts an edit) only while `editable`. In pick mode typing the first
// letters of a name moves to it.
void setUpGridView(QTableView *view);
void setGridEditable(QTableView *view, bool editable);

// The fixed-pitch face amount columns are measured in ("ＭＳ ゴシック", for
// which fontconfig substitutes a fixed-pitch face), at the size of base.
QFont amountFont(const QFont &base);

} // namespace vendara
