#pragma once

#include "print/printingservice.h"

#include <QString>
#include <QStringList>

namespace vendara {

// The "状態:" line of the printer dialog.
//
// A printer's conditions are its state reasons (less "none" and the merely
// informative "-report" ones), "paused" when it is stopped and
// "rejecting-jobs" when it refuses jobs. A printer busy with a job has no
// condition for that: it is ready for the next one.
QStringList printerConditions(const PrinterInfo &printer);

// "準備完了" without any condition, "停止中" when paused is the only one,
// "削除中..." when the printer is being deleted ("deleting") and nothing
// else, "要調査" for anything else, several conditions included.
QString printerStatusLine(const QStringList &conditions);
inline QString printerStatusLine(const PrinterInfo &printer) { return printerStatusLine(printerConditions(printer)); }

} // namespace vendara
