#pragma once

#include <QString>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

namespace vendara {

// File work that may block: a data folder on a file server that answers
// slowly, or not at all once the share is gone, can hold a read, a write or a
// lock for minutes. On the user-interface thread that would freeze the
// window, so such work runs through runFileWork(), which hands it to the
// process's FileWorkWaiter: the program's waiter runs it on a worker thread
// while the window stays alive and offers a stop.
//
// A stopped wait leaves the work running where it is stuck (a blocked system
// call cannot be taken back), but the work never makes its change visible
// afterwards: it asks commit() just before its one irreversible step (the
// rename of a finished file, the handing over of a lock) and undoes its
// preparations when the answer is no.
class FileWorkTask
{
public:
    explicit FileWorkTask(std::function<void(FileWorkTask &)> work) : m_work(std::move(work)) {}

    // For the work: true when it may make its change; from then on the wait
    // can no longer be stopped. False when the waiter stopped waiting.
    bool commit();

    // For the waiter: runs the work and keeps what it threw.
    void run();
    bool isFinished() const { return m_finished.load(std::memory_order_acquire); }
    // Asks the work not to commit. True when it never will; false when it
    // already has (the waiter then waits for the end: the change is made).
    bool stop();
    // True once stop() succeeded: the work has made no change, and will not.
    bool isStopped() const { return m_state.load() == Stopped; }
    // After the end: rethrows what the work threw.
    void rethrow() const;

private:
    enum State : int { Running, Committed, Stopped };

    std::function<void(FileWorkTask &)> m_work;
    std::atomic<int> m_state{Running};
    std::atomic<bool> m_finished{false};
    std::exception_ptr m_error;
};

// How the user-interface thread waits for file work.
class FileWorkWaiter
{
public:
    virtual ~FileWorkWaiter() = default;
    // Runs the task to its end, or until the user stops waiting and the
    // task agrees (FileWorkTask::stop()). `what` names the work for the user.
    // The task is shared: a waiter that returns early may leave it running.
    virtual void wait(const QString &what, const std::shared_ptr<FileWorkTask> &task) = 0;
};

// The waiter of the process (none: the work runs where it is called). The
// caller keeps it alive while it is set.
void setFileWorkWaiter(FileWorkWaiter *waiter);
FileWorkWaiter *fileWorkWaiter();

// "…を中止しました": what a stopped wait throws.
QString fileWorkStoppedMessage(const QString &what);

// Runs work as described above: through the waiter when called on the
// application's main thread (and not already inside a wait), in place
// otherwise. Rethrows what the work threw; throws vendara::Error with
// fileWorkStoppedMessage() when the user stopped waiting. Whatever the work
// needs must be captured by value: after a stop it may outlive the caller.
void runFileWork(const QString &what, std::function<void(FileWorkTask &)> work);

// Looks at the folder of `path` as file work: an operation calls it before
// anything else it does on the window's thread, so that a share that stopped
// answering holds up the worker (and can be given up) rather than the window.
// Whatever the folder's state, the operation itself says what is wrong.
void reachFolderOf(const QString &path);

} // namespace vendara
