#include "atomicfile.h"

#include "error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#include <signal.h>
#include <unistd.h>

namespace vendara {

QString cannotWriteMessage(const QString &path)
{
    return QStringLiteral("%1 に書き込めません").arg(path);
}

namespace {

// ".<name>.<pid>." : the file being written carries the process that writes it.
QString temporaryPrefix(const QFileInfo &target)
{
    return QStringLiteral(".") + target.fileName() + u'.';
}

// A save that never finished (the process was killed, the machine lost power)
// leaves its temporary file beside the target. The next save of the same file
// removes those whose process is gone; a save still under way in another
// process keeps its own.
void removeAbandonedTemporaries(const QFileInfo &target)
{
    const QString prefix = temporaryPrefix(target);
    const QDir dir = target.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!name.startsWith(prefix))
            continue;
        // <pid>.XXXXXX after the prefix.
        const QStringView rest = QStringView(name).mid(prefix.size());
        const qsizetype dot = rest.indexOf(u'.');
        bool ok = false;
        const qint64 pid = dot > 0 ? rest.left(dot).toLongLong(&ok) : 0;
        if (!ok || pid <= 0 || rest.size() - dot - 1 != 6 || pid == getpid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue; // still running, or not ours to judge
        QFile::remove(dir.filePath(name));
    }
}

} // namespace

void saveFileAtomically(const QString &path, const QByteArray &bytes)
{
    // A file without any write permission is read-only even for root, who
    // could otherwise replace it.
    const QFileInfo info(path);
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && (!info.isFile() || !info.isWritable() || !(info.permissions() & writeBits)))
        throw Error(cannotWriteMessage(path));

    // The new content goes to a hidden file beside the target and is renamed
    // over it only once it is complete, so readers see either the old file or
    // the new one. The rename replaces the file without a sync to disk: that
    // costs milliseconds per save, and the file system orders a rename that
    // replaces a file after its data.
    removeAbandonedTemporaries(info);
    QTemporaryFile temp(info.absolutePath() + u'/' + temporaryPrefix(info) + QString::number(getpid())
                        + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw Error(cannotWriteMessage(path));
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        throw Error(cannotWriteMessage(path));
    temp.setPermissions(info.exists() ? info.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    temp.close();
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        throw Error(cannotWriteMessage(path));
    temp.setAutoRemove(false);
}

} // namespace vendara
