#include "printingservice.h"

namespace vendara {

QString printerStatusText(const PrinterInfo &printer)
{
    // Reasons of the "-report" kind only inform; they are no condition.
    QStringList conditions;
    for (const QString &reason : printer.stateReasons) {
        if (reason != QLatin1String("none") && !reason.endsWith(QLatin1String("-report")))
            conditions.append(reason);
    }
    if (printer.state == PrinterState::Stopped) {
        conditions.removeAll(QStringLiteral("paused"));
        return conditions.isEmpty() && printer.acceptingJobs ? QStringLiteral("停止中") : QStringLiteral("要調査");
    }
    if (conditions.isEmpty() && printer.acceptingJobs)
        return QStringLiteral("準備完了");
    return QStringLiteral("要調査");
}

} // namespace vendara
