#include "recentfiles.h"

#include "common/cp932codec.h"
#include "common/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vendara {

QString RecentFiles::defaultListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/vendara/recent-files");
}

QStringList RecentFiles::entries() const
{
    QStringList result;
    for (const QString &line : textfile::readLines(m_listPath).value_or(QStringList())) {
        if (!line.isEmpty() && !result.contains(line) && result.size() < kLimit)
            result.append(line);
    }
    return result;
}

void RecentFiles::add(const QString &path)
{
    // A name the file cannot hold is left out of the list.
    if (path.isEmpty() || !cp932::firstUnencodable(path).isEmpty() || path.contains(u'\n')
        || path.contains(u'\r'))
        return;
    QStringList list = entries();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kLimit)
        list.removeLast();
    write(list);
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = entries();
    if (list.removeAll(path) > 0)
        write(list);
}

void RecentFiles::write(const QStringList &entries) const
{
    QDir().mkpath(QFileInfo(m_listPath).absolutePath());
    textfile::writeLines(m_listPath, entries);
}

} // namespace vendara
