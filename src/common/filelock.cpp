#include "filelock.h"

#include "error.h"
#include "filework.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace vendara {

namespace {

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Between two tries: short at first, since the holder only reads and
// rewrites one small file, then longer, so that waiting desks do not keep a
// file server busy; a little at random, so that they do not try in step.
constexpr std::chrono::microseconds kFirstPause{200};
constexpr std::chrono::microseconds kLongestPause{10000};

// F_OFD_SETLKW would wait without end: on a server that stopped answering the
// window would hang. So the lock is tried (F_OFD_SETLK) until the time runs out.
// Returns the locked descriptor.
int openAndLock(const QString &path, int timeoutMs)
{
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw Error(QStringLiteral("ロックファイル %1 を開けません（%2）").arg(path, errorText(errno)));

    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET; // l_start and l_len 0: the whole file
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    std::chrono::microseconds pause = kFirstPause;
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
            return fd;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EAGAIN && error != EACCES) {
            ::close(fd);
            throw Error(QStringLiteral("%1 をロックできません（%2）。データフォルダのファイルシステムが"
                                       "ファイルのロックに対応しているか確かめてください")
                            .arg(path, errorText(error)));
        }
        if (deadline.hasExpired()) {
            ::close(fd);
            throw Error(QStringLiteral("%1 は他のウィンドウか他の端末が使用中です（%2 秒待ちました）。"
                                       "しばらくしてからやり直してください")
                            .arg(path)
                            .arg(double(std::max(timeoutMs, 0)) / 1000.0));
        }
        const auto jittered = pause / 2 + std::chrono::microseconds(QRandomGenerator::global()->bounded(
                                              qint64(pause.count() / 2 + 1)));
        const auto left = std::chrono::microseconds(deadline.remainingTimeNSecs() / 1000);
        std::this_thread::sleep_for(std::min(jittered, left));
        pause = std::min(pause * 2, kLongestPause);
    }
}

} // namespace

// The open and the waiting may block on a slow share: they run as file work,
// and the descriptor is handed over only to a wait that was not stopped.
FileLock::FileLock(const QString &path, int timeoutMs) : m_path(path)
{
    auto locked = std::make_shared<int>(-1);
    runFileWork(QStringLiteral("%1 のロック").arg(QFileInfo(path).fileName()),
                [path, timeoutMs, locked](FileWorkTask &task) {
                    const int fd = openAndLock(path, timeoutMs);
                    if (task.commit())
                        *locked = fd;
                    else
                        ::close(fd);
                });
    m_fd = *locked;
}

FileLock::~FileLock()
{
    // Closing the last descriptor of the open file description releases the
    // lock, on the server too.
    ::close(m_fd);
}

bool FileLock::isHeld(const QString &path)
{
    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT)
            return false;
        throw Error(QStringLiteral("ロックファイル %1 を開けません（%2）").arg(path, errorText(errno)));
    }
    // A lock of another open file description conflicts with this one even
    // within one process; closing this descriptor releases nobody's lock.
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const int result = ::fcntl(fd, F_OFD_GETLK, &lock);
    const int error = errno;
    ::close(fd);
    if (result != 0)
        throw Error(QStringLiteral("%1 のロックを調べられません（%2）").arg(path, errorText(error)));
    return lock.l_type != F_UNLCK;
}

QString FileLock::lockPathFor(const QString &file)
{
    return file + QStringLiteral(".lock");
}

} // namespace vendara
