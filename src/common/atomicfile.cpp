#include "atomicfile.h"

#include "error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(cannotWriteMessage(path));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Error(cannotWriteMessage(path));
}

} // namespace vendara
