#pragma once

#include <QString>

class QWidget;

namespace vendara {

// Shows a message of an input control in a window-modal box over the
// control's window, without blocking: the control's own event handling
// (a focus change, a key) finishes first.
void showControlWarning(QWidget *control, const QString &message);
void showControlError(QWidget *control, const QString &message);

} // namespace vendara
