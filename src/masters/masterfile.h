#pragma once

#include <QString>
#include <QStringList>

namespace vendara {
struct FileVersion;
}

namespace vendara::masterfile {

// The lines of a master or list file; a missing file has none. A path that
// exists but cannot be read (no permission, a folder) throws vendara::Error,
// so that what it holds is never replaced by an empty list at the next write.
QStringList readLines(const QString &path);
// The same, with what the file held for a later guarded write
// (writeLinesIfUnchanged), taken from the same reading.
QStringList readLines(const QString &path, FileVersion &version);

} // namespace vendara::masterfile
