#pragma once

// Stand-ins for the program's waiter of file work, and for a share that
// changes or stops answering between the steps of one operation.

#include "common/filework.h"

#include <QDir>
#include <QStringList>

#include <functional>

namespace vendara::test {

// Runs every work in place, on the calling thread, after `before` had its
// say about it; the works `stopFirst` names are stopped before they run, as
// if the user gave up on them at once (they still run to their end, as work
// stuck on a share would once it wakes up).
struct InterferingWaiter : FileWorkWaiter
{
    QStringList waitedFor;
    std::function<void(const QString &what)> before;
    std::function<bool(const QString &what)> stopFirst;

    void wait(const QString &what, const std::shared_ptr<FileWorkTask> &task) override
    {
        waitedFor << what;
        if (before)
            before(what);
        if (stopFirst && stopFirst(what))
            task->stop();
        task->run();
    }
};

// Sets the process's waiter while it lives.
struct WaiterInstalled
{
    explicit WaiterInstalled(FileWorkWaiter &waiter) { setFileWorkWaiter(&waiter); }
    ~WaiterInstalled() { setFileWorkWaiter(nullptr); }
    WaiterInstalled(const WaiterInstalled &) = delete;
    WaiterInstalled &operator=(const WaiterInstalled &) = delete;
};

// The names of the files in dir, hidden ones included.
inline QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace vendara::test
