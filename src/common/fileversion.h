#pragma once

#include "error.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace vendara {

// What a file held when it was read, so that a later write can tell whether
// another window or desk changed it meanwhile.
struct FileVersion
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified; // shown to the user only; the content decides
    QByteArray hash;    // SHA-256 of the bytes

    // The file as it is now; `bytes` receives what was read, so that a
    // reader takes its content and its version from one reading. A missing
    // file is a version too (exists false). Throws vendara::Error when the
    // path exists but cannot be read.
    static FileVersion of(const QString &path, QByteArray *bytes = nullptr);
    static FileVersion ofBytes(const QByteArray &bytes, const QDateTime &modified);

    // Same bytes (or both missing). A save of unchanged content by another
    // desk only moves the time, and loses nothing when overwritten.
    bool sameContent(const FileVersion &other) const
    {
        return exists == other.exists && size == other.size && hash == other.hash;
    }
};

// A write refused because the file is no longer what the writer read. The
// message names the file, who wrote it last and when, and begins with what
// it holds now.
class FileChangedError : public Error
{
public:
    FileChangedError(const QString &path, const QString &owner, const QDateTime &modified, const QString &head,
                     bool removed);

    const QString &path() const noexcept { return m_path; }
    const QString &owner() const noexcept { return m_owner; }
    const QDateTime &modified() const noexcept { return m_modified; }
    // The first lines of the file now, shortened; empty when it was removed.
    const QString &head() const noexcept { return m_head; }

private:
    QString m_path;
    QString m_owner;
    QDateTime m_modified;
    QString m_head;
};

// Whether a write of a file read earlier may replace another desk's change.
enum class Overwrite { IfUnchanged, Force };

// The lock that serialises the guarded writes of one folder:
// "<folder>/.vendara.lock". One per folder rather than one per file: the
// master folders hold many small files written rarely, a per-file lock would
// double the entries of every folder, and the hidden name keeps it out of
// folder listings.
QString folderLockPathFor(const QString &file);

// Runs work while holding the lock of the file's folder, so that a
// read-change-write of a shared list is one step among desks. A folder that
// cannot be written is reported as the write it stops (vendara::Error).
void withFolderLock(const QString &file, const std::function<void()> &work);

// Writes lines as textfile::writeLines does (Shift-JIS, CR LF, atomically)
// while holding the folder's lock, but only when the file still holds what
// `read` describes, or already holds these very lines; Overwrite::Force
// writes in any case. Returns the version
// just written, for the next write. Throws FileChangedError (nothing is
// written) when another writer changed the file, vendara::Error on any other
// failure.
FileVersion writeLinesIfUnchanged(const QString &path, const QStringList &lines, const FileVersion &read,
                                  Overwrite overwrite = Overwrite::IfUnchanged);

} // namespace vendara
