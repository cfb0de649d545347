#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace vendara {

class Questions;

// The lists a window writes when it closes (whichever button closed it) are
// written in its close path, never when it is destroyed, so that a failure
// can be shown while the user can still act on it.
//
// Runs every write; each failure is shown in an error box. After a failure the
// user chooses between staying in the window to put it right (the answer
// No, and the default) and closing without saving what failed. True when the
// window may close.
bool writeBeforeClosing(Questions &questions, const QList<std::function<void()>> &writes);

inline const QString kCloseWithoutSavingQuestion =
    QStringLiteral("変更を保存できませんでした。\n保存せずに閉じますか？");

// Takes the text of a cell editor still open below `window` into its model,
// as leaving the cell would.
void commitOpenEditors(QWidget *window);

// Deletes the child widgets of a frame while the master they show is still
// there: a cell editor open as the frame goes commits into its model (in
// memory only) as it closes. Frames call it first in their destructors.
void deleteViewsFirst(QWidget *frame);

} // namespace vendara
