#include "filework.h"

#include "error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

namespace vendara {

namespace {

std::atomic<FileWorkWaiter *> g_waiter{nullptr};
// Work started while the main thread already waits (a timer firing in the
// wait's event loop) runs in place rather than opening a second wait.
bool g_waiting = false;

bool onMainThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

bool FileWorkTask::commit()
{
    int expected = Running;
    return m_state.compare_exchange_strong(expected, Committed) || expected == Committed;
}

void FileWorkTask::run()
{
    try {
        m_work(*this);
    } catch (...) {
        m_error = std::current_exception();
    }
    m_finished.store(true, std::memory_order_release);
}

bool FileWorkTask::stop()
{
    int expected = Running;
    return m_state.compare_exchange_strong(expected, Stopped) || expected == Stopped;
}

void FileWorkTask::rethrow() const
{
    if (m_error)
        std::rethrow_exception(m_error);
}

void setFileWorkWaiter(FileWorkWaiter *waiter)
{
    g_waiter.store(waiter);
}

FileWorkWaiter *fileWorkWaiter()
{
    return g_waiter.load();
}

QString fileWorkStoppedMessage(const QString &what)
{
    return QStringLiteral("%1を中止しました").arg(what);
}

void runFileWork(const QString &what, std::function<void(FileWorkTask &)> work)
{
    auto task = std::make_shared<FileWorkTask>(std::move(work));
    FileWorkWaiter *waiter = g_waiter.load();
    if (!waiter || g_waiting || !onMainThread()) {
        task->run();
        task->rethrow();
        return;
    }
    g_waiting = true;
    try {
        waiter->wait(what, task);
    } catch (...) {
        g_waiting = false;
        throw;
    }
    g_waiting = false;
    // A stopped task that ended meanwhile has undone its change too.
    if (task->isStopped() || !task->isFinished())
        throw Error(fileWorkStoppedMessage(what));
    task->rethrow();
}

void reachFolderOf(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    runFileWork(QStringLiteral("%1 の確認").arg(folder), [folder](FileWorkTask &) { (void)QFileInfo::exists(folder); });
}

} // namespace vendara
