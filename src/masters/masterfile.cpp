#include "masterfile.h"

#include "common/cp932codec.h"
#include "common/error.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include <QFileInfo>

namespace vendara::masterfile {

QStringList readLines(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const auto lines = info.isFile() ? textfile::readLines(path) : std::nullopt;
    if (!lines)
        throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    return *lines;
}

QStringList readLines(const QString &path, FileVersion &version)
{
    QByteArray bytes;
    version = FileVersion::of(path, &bytes);
    return version.exists ? textfile::splitLines(cp932::decode(bytes)) : QStringList();
}

} // namespace vendara::masterfile
