#include "atomicfile.h"

#include "error.h"
#include "filework.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
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

// ".<name>." : then "<pid>@<host>.XXXXXX", so that the file being written
// names the process that writes it and the machine it runs on.
QString temporaryPrefix(const QFileInfo &target)
{
    return QStringLiteral(".") + target.fileName() + u'.';
}

QString hostTag()
{
    static const QString host = QSysInfo::machineHostName().replace(u'/', u'_');
    return host;
}

// A save that never finished (the process was killed, the machine lost power)
// leaves its temporary file beside the target. The next save of the same file
// removes those whose process is gone. Only this machine can tell: in a
// folder shared with other desks, their files are theirs to judge, and a save
// still under way in another process keeps its own.
void removeAbandonedTemporaries(const QFileInfo &target)
{
    const QString prefix = temporaryPrefix(target);
    const QDir dir = target.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (!name.startsWith(prefix))
            continue;
        // <pid>[@<host>].XXXXXX after the prefix; files of older versions
        // carry no host and were written here.
        const QStringView rest = QStringView(name).mid(prefix.size());
        const qsizetype dot = rest.lastIndexOf(u'.');
        if (dot <= 0 || rest.size() - dot - 1 != 6)
            continue;
        const QStringView writer = rest.left(dot);
        const qsizetype at = writer.indexOf(u'@');
        if (at >= 0 && writer.mid(at + 1) != hostTag())
            continue;
        bool ok = false;
        const qint64 pid = (at >= 0 ? writer.left(at) : writer).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == getpid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue; // still running, or not ours to judge
        QFile::remove(dir.filePath(name));
    }
}

void saveFile(const QString &path, const QByteArray &bytes, FileWorkTask &task)
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
    QTemporaryFile temp(info.absolutePath() + u'/' + temporaryPrefix(info) + QString::number(getpid()) + u'@'
                        + hostTag() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw Error(cannotWriteMessage(path));
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        throw Error(cannotWriteMessage(path));
    temp.setPermissions(info.exists() ? info.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    temp.close();
    // A wait the user stopped must not see the file change after all.
    if (!task.commit())
        return;
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        throw Error(cannotWriteMessage(path));
    temp.setAutoRemove(false);
}

} // namespace

void saveFileAtomically(const QString &path, const QByteArray &bytes)
{
    runFileWork(QStringLiteral("%1 の保存").arg(QFileInfo(path).fileName()),
                [path, bytes](FileWorkTask &task) { saveFile(path, bytes, task); });
}

} // namespace vendara
