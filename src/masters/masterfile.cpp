#include "masterfile.h"

#include "common/error.h"
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

} // namespace vendara::masterfile
