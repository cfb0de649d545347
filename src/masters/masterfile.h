#pragma once

#include <QString>
#include <QStringList>

namespace vendara::masterfile {

// The lines of a master or list file; a missing file has none. A path that
// exists but cannot be read (no permission, a folder) throws vendara::Error,
// so that what it holds is never replaced by an empty list at the next write.
QStringList readLines(const QString &path);

} // namespace vendara::masterfile
