#include "printerstatusline.h"

namespace vendara {

QStringList printerConditions(const PrinterInfo &printer)
{
    QStringList conditions;
    for (const QString &reason : printer.stateReasons) {
        if (reason.isEmpty() || reason == QLatin1String("none") || reason.endsWith(QLatin1String("-report")))
            continue;
        // CUPS adds the level to some reasons (media-empty-error); the
        // condition is the same.
        QString condition = reason;
        for (const QLatin1String suffix : {QLatin1String("-error"), QLatin1String("-warning")}) {
            if (condition.endsWith(suffix))
                condition.chop(suffix.size());
        }
        if (!conditions.contains(condition))
            conditions.append(condition);
    }
    if (printer.state == PrinterState::Stopped && !conditions.contains(QLatin1String("paused")))
        conditions.append(QStringLiteral("paused"));
    if (!printer.acceptingJobs)
        conditions.append(QStringLiteral("rejecting-jobs"));
    return conditions;
}

QString printerStatusLine(const QStringList &conditions)
{
    if (conditions.isEmpty())
        return QStringLiteral("準備完了");
    if (conditions.size() == 1 && conditions.first() == QLatin1String("paused"))
        return QStringLiteral("停止中");
    if (conditions.size() == 1 && conditions.first() == QLatin1String("deleting"))
        return QStringLiteral("削除中...");
    return QStringLiteral("要調査");
}

} // namespace vendara
