#include "guifileworkwaiter.h"

#include "fileworkwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

namespace vendara {

namespace {

// Works still running on their threads, stopped waits among them.
std::atomic<int> g_running{0};

} // namespace

GuiFileWorkWaiter::GuiFileWorkWaiter(std::chrono::milliseconds quietWait) : m_quietWait(quietWait) {}

// A work whose wait was stopped may still be running as the program ends:
// it is given a little time to finish before the process takes its
// statics down under it. One stuck for good on a dead share is left.
GuiFileWorkWaiter::~GuiFileWorkWaiter()
{
    QElapsedTimer timer;
    timer.start();
    while (g_running.load() > 0 && timer.elapsed() < 2000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void GuiFileWorkWaiter::wait(const QString &what, const std::shared_ptr<FileWorkTask> &task)
{
    // Detached: a stopped wait leaves the work where it is stuck; the task
    // it shares keeps what it needs alive.
    ++g_running;
    std::thread([task] {
        task->run();
        --g_running;
    }).detach();

    // Short pauses at first: a local write ends within a millisecond.
    QElapsedTimer quiet;
    quiet.start();
    std::chrono::microseconds pause(20);
    while (!task->isFinished() && quiet.elapsed() < m_quietWait.count()) {
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
    if (task->isFinished())
        return;

    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    FileWorkWindow window(what, parent);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (task->isFinished())
            loop.quit();
    });
    QObject::connect(&window, &FileWorkWindow::stopRequested, &loop, [&] {
        if (task->stop())
            loop.quit();
        else
            window.showFinishing(); // past its point of no return: let it end
    });
    poll.start(10);
    window.show();
    loop.exec();
    window.hide();
}

} // namespace vendara
