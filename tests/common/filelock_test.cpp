#include "common/error.h"
#include "common/filelock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

using namespace vendara;

namespace {

// The message of the Error the lock throws, or nothing when it was taken.
std::optional<QString> failureOf(const QString &path, int timeoutMs)
{
    try {
        const FileLock lock(path, timeoutMs);
    } catch (const Error &e) {
        return e.message();
    }
    return std::nullopt;
}

} // namespace

TEST(FileLock, lockPath_isTheFileNameWithLockBesideIt)
{
    EXPECT_EQ(FileLock::lockPathFor("/data/vendara.ini"), QStringLiteral("/data/vendara.ini.lock"));
}

TEST(FileLock, missingLockFile_isCreatedAndLeftInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vendara.ini.lock");
    EXPECT_FALSE(FileLock::isHeld(path)); // asking creates nothing
    EXPECT_FALSE(QFile::exists(path));
    {
        const FileLock lock(path);
        EXPECT_EQ(lock.path(), path);
        EXPECT_TRUE(FileLock::isHeld(path));
    }
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(FileLock::isHeld(path));
}

TEST(FileLock, heldLock_refusesASecondUntilReleased)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.lock");
    {
        const FileLock first(path);
        // Another lock of the same process is refused like one of another
        // process: the lock belongs to the open file, not to the process.
        const auto refused = failureOf(path, 0);
        ASSERT_TRUE(refused.has_value());
        EXPECT_TRUE(refused->contains(path)) << refused->toStdString();
        EXPECT_TRUE(refused->contains(QStringLiteral("使用中"))) << refused->toStdString();
        // Waiting a little changes nothing while the holder keeps it.
        EXPECT_TRUE(failureOf(path, 30).has_value());
    }
    EXPECT_EQ(failureOf(path, 0), std::nullopt);
}

TEST(FileLock, anotherOpenOfTheFileClosed_keepsTheLock)
{
    // A process-wide fcntl lock would go with the first close of any
    // descriptor of the file: the reason for open-file-description locks.
    QTemporaryDir dir;
    const QString path = dir.filePath("x.lock");
    const FileLock lock(path);
    {
        QFile other(path);
        ASSERT_TRUE(other.open(QIODevice::ReadWrite));
        other.close();
    }
    EXPECT_TRUE(FileLock::isHeld(path));
    EXPECT_TRUE(failureOf(path, 0).has_value());
}

TEST(FileLock, waitingLock_isTakenOnceTheHolderReleases)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.lock");
    std::optional<FileLock> holder;
    holder.emplace(path);
    std::atomic<bool> taken = false;
    std::optional<QString> failure;
    std::thread waiter([&] {
        failure = failureOf(path, 60000);
        taken = true;
    });
    const bool takenWhileHeld = taken;
    holder.reset();
    waiter.join();
    EXPECT_FALSE(takenWhileHeld);
    EXPECT_TRUE(taken);
    EXPECT_EQ(failure, std::nullopt);
}

TEST(FileLock, folderThatIsNotThere_failsNamingTheLockFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/x.lock");
    const auto failure = failureOf(path, 0);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains(path)) << failure->toStdString();
    EXPECT_FALSE(QFile::exists(path));
}
