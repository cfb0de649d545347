#include "runtag.h"

#include <QDeadlineTimer>
#include <QDir>

namespace vendara {

QString makeRunTag(const QString &tmpDir)
{
    // Milliseconds since boot, like the system tick count.
    qint64 tick = QDeadlineTimer::current(Qt::PreciseTimer).deadline();
    const QDir dir(tmpDir);
    while (!dir.entryList({QString::number(tick) + u'*'}, QDir::Files).isEmpty())
        ++tick;
    return QString::number(tick);
}

} // namespace vendara
