#pragma once

#include <QString>

class QModelIndex;
class QToolBar;
class QWidget;

namespace vendara {

// The name a screen reader gives `control`: its own accessible name, or the
// text of the label that names it (a QFormLayout row, a buddy label).
QString effectiveAccessibleName(QWidget *control);

// A caption as a screen reader says it: without its accelerator, written
// "(&X)" after Japanese text or "&X" inside it, and without a trailing "...".
QString captionWithoutAccelerator(const QString &caption);

// Names an inner part of a control after the control: `suffix` empty gives
// the control's name itself.
void nameInnerPart(QWidget *part, const QString &controlName, const QString &suffix = {});

// Names the editor of a table cell as a screen reader announces the cell:
// the table's name, the column's heading and the row ("付属品 金額 2行目").
void nameCellEditor(QWidget *editor, const QModelIndex &index);

// Names the button a tool bar adds for the buttons it has no room for.
void nameOverflowButton(QToolBar *toolBar);

} // namespace vendara
