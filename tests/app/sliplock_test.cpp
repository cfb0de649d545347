#include "app/sliplock.h"

#include "common/error.h"
#include "support/testdata.h"
#include "support/permissions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;
using sliplock::Holder;

namespace {

const DeskIdentity kMe{QStringLiteral("desk-a"), QStringLiteral("tanaka"), 4242};

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool aliveAsSaid(qint64 pid)
{
    return pid == 7;
}

} // namespace

TEST(SlipLock, lockFile_isAHiddenFileBesideTheSlip)
{
    EXPECT_EQ(sliplock::lockPathFor(QStringLiteral("/srv/slips/00000012-26-12-07.pvq")),
              QStringLiteral("/srv/slips/.00000012-26-12-07.pvq.lock"));
}

TEST(SlipLock, written_isShiftJisWithCrLfAndReadsBack)
{
    QTemporaryDir dir;
    const QString slip = dir.filePath(QStringLiteral("見積.pvq"));
    const DeskIdentity desk{QStringLiteral("営業-1"), QStringLiteral("佐藤"), 1234};
    sliplock::write(slip, desk);
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral(".見積.pvq.lock"))),
              QByteArray("[Lock]\r\nHost=\x89\x63\x8B\xC6-1\r\nUser=\x8D\xB2\x93\xA1\r\nPid=1234\r\n"));
    EXPECT_EQ(sliplock::read(slip), desk);
    // Nothing beside the lock but the lock.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SlipLock, parse_refusesWhatIsNoLock)
{
    EXPECT_FALSE(sliplock::parse({}));
    EXPECT_FALSE(sliplock::parse({QStringLiteral("Host=a"), QStringLiteral("Pid=3")}));
    EXPECT_FALSE(sliplock::parse({QStringLiteral("[Lock]"), QStringLiteral("Pid=3")}));
    EXPECT_FALSE(sliplock::parse({QStringLiteral("[Lock]"), QStringLiteral("Host=a"), QStringLiteral("Pid=x")}));
    EXPECT_FALSE(sliplock::parse({QStringLiteral("[Lock]"), QStringLiteral("Host=a"), QStringLiteral("Pid=0")}));
    const auto desk = sliplock::parse({QStringLiteral("[Lock]"), QStringLiteral("Host=a"), QStringLiteral("Pid=3")});
    ASSERT_TRUE(desk);
    EXPECT_EQ(*desk, (DeskIdentity{QStringLiteral("a"), QString(), 3}));
}

TEST(SlipLock, missingOrGarbledLock_isNobodys)
{
    QTemporaryDir dir;
    const QString slip = dir.filePath(QStringLiteral("a.pvq"));
    EXPECT_FALSE(sliplock::read(slip));
    QFile garbled(sliplock::lockPathFor(slip));
    ASSERT_TRUE(garbled.open(QIODevice::WriteOnly));
    garbled.write("\x01\x02not a lock");
    garbled.close();
    EXPECT_FALSE(sliplock::read(slip));
    EXPECT_EQ(sliplock::judge(sliplock::read(slip), kMe), Holder::Nobody);
}

TEST(SlipLock, judge_tellsOwnStaleThisDeskAndOtherDesk)
{
    EXPECT_EQ(sliplock::judge(std::nullopt, kMe, aliveAsSaid), Holder::Nobody);
    EXPECT_EQ(sliplock::judge(kMe, kMe, aliveAsSaid), Holder::Nobody);
    // Same machine: the process decides.
    const DeskIdentity gone{kMe.host, kMe.user, 8};
    const DeskIdentity running{kMe.host, kMe.user, 7};
    EXPECT_EQ(sliplock::judge(gone, kMe, aliveAsSaid), Holder::Stale);
    EXPECT_EQ(sliplock::judge(running, kMe, aliveAsSaid), Holder::ThisDesk);
    // Another user on this machine is another desk.
    EXPECT_EQ(sliplock::judge(DeskIdentity{kMe.host, QStringLiteral("suzuki"), 7}, kMe, aliveAsSaid),
              Holder::OtherDesk);
    // Another machine's process ids mean nothing here: never stale.
    EXPECT_EQ(sliplock::judge(DeskIdentity{QStringLiteral("desk-b"), kMe.user, 8}, kMe, aliveAsSaid),
              Holder::OtherDesk);
    EXPECT_EQ(sliplock::judge(DeskIdentity{QStringLiteral("DESK-A"), kMe.user, 8}, kMe, aliveAsSaid),
              Holder::Stale);
}

TEST(SlipLock, processAlive_ofThisAndOfAnEndedProcess)
{
    EXPECT_TRUE(sliplock::processAlive(QCoreApplication::applicationPid()));
    const qint64 dead = test::deadProcessId();
    ASSERT_GT(dead, 0);
    EXPECT_FALSE(sliplock::processAlive(dead));
    const DeskIdentity me = DeskIdentity::current();
    EXPECT_EQ(sliplock::judge(DeskIdentity{me.host, me.user, dead}, me), Holder::Stale);
    EXPECT_FALSE(sliplock::processAlive(0));
}

TEST(SlipLock, current_namesThisProcess)
{
    const DeskIdentity me = DeskIdentity::current();
    EXPECT_EQ(me.pid, QCoreApplication::applicationPid());
    EXPECT_FALSE(me.host.isEmpty());
}

TEST(SlipLock, release_removesOnlyItsOwnLock)
{
    QTemporaryDir dir;
    const QString slip = dir.filePath(QStringLiteral("a.pvq"));
    const DeskIdentity other{QStringLiteral("desk-b"), QStringLiteral("suzuki"), 99};
    sliplock::write(slip, other);
    sliplock::release(slip, kMe);
    EXPECT_EQ(sliplock::read(slip), other);
    sliplock::write(slip, kMe);
    sliplock::release(slip, kMe);
    EXPECT_FALSE(QFileInfo::exists(sliplock::lockPathFor(slip)));
}

TEST(SlipLock, writeIntoAReadOnlyFolder_throws)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const test::PermissionsBind bind;
    if (!bind.failure().isEmpty()) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << bind.failure().toStdString();
    }
    EXPECT_THROW(sliplock::write(folder + QStringLiteral("/a.pvq"), kMe), Error);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
