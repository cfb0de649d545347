#include "atomicfile.h"

#include "error.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace vendara {

QString cannotWriteMessage(const QString &path)
{
    return QStringLiteral("%1 に書き込めません").arg(path);
}

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
    QTemporaryFile temp(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
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
