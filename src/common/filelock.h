#pragma once

#include <QString>

namespace vendara {

// An exclusive lock on a lock file, held while the object lives.
//
// Several desks may share one data folder on a file server, so the lock has
// to reach the server: it is an open-file-description lock (fcntl F_OFD_*),
// which NFSv4 and SMB3 pass on, and which also excludes a second FileLock of
// the same process. The lock file is only ever locked, never read or
// written, and is left in place: removing it would let a waiting process lock
// a file that is no longer the one the next process opens.
class FileLock
{
public:
    // Long enough for a slow server, short enough that a window stuck behind
    // a hung desk says so instead of freezing.
    static constexpr int kDefaultTimeoutMs = 10000;

    // Opens path (creating it when missing) and locks it, waiting up to
    // timeoutMs while another process holds it; 0 tries once. Throws
    // vendara::Error when the file cannot be opened or locked, or when the
    // time runs out.
    explicit FileLock(const QString &path, int timeoutMs = kDefaultTimeoutMs);
    // Releases the lock.
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    const QString &path() const { return m_path; }

    // True when some lock holds path now, this process's own FileLocks
    // included; false when the file is missing. Throws vendara::Error when
    // the file system cannot say.
    static bool isHeld(const QString &path);

    // The lock file that guards a file: "<file>.lock" beside it.
    static QString lockPathFor(const QString &file);

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace vendara
