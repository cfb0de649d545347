#include "common/atomicfile.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/filework.h"

#include "support/fileworkwaiters.h"
#include "support/testdata.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

using namespace vendara;

namespace {

using test::filesIn;

// A wait the user stops before the work gets anywhere.
struct StoppingWaiter : test::InterferingWaiter
{
    StoppingWaiter()
    {
        stopFirst = [](const QString &) { return true; };
    }
};

} // namespace

TEST(FileWork, stoppedWait_neverShowsTheChangeAndSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pvq"));
    saveFileAtomically(path, "old");
    const QString lockPath = dir.filePath(QStringLiteral("a.lock"));

    StoppingWaiter waiter;
    const test::WaiterInstalled installed(waiter);
    try {
        saveFileAtomically(path, "new");
        ADD_FAILURE() << "a stopped save reported success";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), fileWorkStoppedMessage(QStringLiteral("a.pvq の保存")));
    }
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("a.pvq")}) << "the temporary file stays behind";

    // A lock taken after the stop is let go at once.
    EXPECT_THROW(FileLock lock(lockPath), Error);
    EXPECT_FALSE(FileLock::isHeld(lockPath));
    EXPECT_EQ(waiter.waitedFor.size(), 2);
}

TEST(FileWork, stopAfterTheCommit_isRefusedAndTheWorkEnds)
{
    bool changed = false;
    FileWorkTask task([&changed](FileWorkTask &self) {
        ASSERT_TRUE(self.commit());
        changed = true;
    });
    task.run();
    EXPECT_FALSE(task.stop());
    EXPECT_FALSE(task.isStopped());
    EXPECT_TRUE(changed);

    FileWorkTask failing([](FileWorkTask &) { throw Error(QStringLiteral("読めません")); });
    failing.run();
    ASSERT_TRUE(failing.isFinished());
    EXPECT_THROW(failing.rethrow(), Error);
}

TEST(FileWork, workOffTheMainThread_runsInPlace)
{
    StoppingWaiter waiter;
    const test::WaiterInstalled installed(waiter);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    std::thread([&path] { saveFileAtomically(path, "worker"); }).join();
    EXPECT_EQ(test::readBytes(path), QByteArray("worker"));
    EXPECT_TRUE(waiter.waitedFor.isEmpty());

    // Errors of the work reach the caller unchanged.
    setFileWorkWaiter(nullptr);
    EXPECT_THROW(saveFileAtomically(dir.filePath(QStringLiteral("missing/t.txt")), "x"), Error);
}
