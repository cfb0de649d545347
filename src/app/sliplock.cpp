#include "sliplock.h"

#include "common/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace vendara {

namespace {

const QString kSection = QStringLiteral("[Lock]");
const QString kHost = QStringLiteral("Host=");
const QString kUser = QStringLiteral("User=");
const QString kPid = QStringLiteral("Pid=");

QString loginName()
{
    for (const char *name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    // Started without a login environment (a desktop entry under some
    // session managers): the account itself.
    const passwd *account = ::getpwuid(::geteuid());
    return account ? QString::fromLocal8Bit(account->pw_name) : QString();
}

} // namespace

DeskIdentity DeskIdentity::current()
{
    return {QSysInfo::machineHostName(), loginName(), QCoreApplication::applicationPid()};
}

namespace sliplock {

QString lockPathFor(const QString &slipPath)
{
    const QFileInfo info(slipPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
}

QStringList format(const DeskIdentity &desk)
{
    return {kSection, kHost + desk.host, kUser + desk.user, kPid + QString::number(desk.pid)};
}

std::optional<DeskIdentity> parse(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first().trimmed() != kSection)
        return std::nullopt;
    DeskIdentity desk;
    bool hasHost = false;
    bool hasPid = false;
    for (const QString &line : lines.mid(1)) {
        if (line.startsWith(kHost)) {
            desk.host = line.mid(kHost.size());
            hasHost = true;
        } else if (line.startsWith(kUser)) {
            desk.user = line.mid(kUser.size());
        } else if (line.startsWith(kPid)) {
            bool ok = false;
            desk.pid = line.mid(kPid.size()).trimmed().toLongLong(&ok);
            hasPid = ok && desk.pid > 0;
        }
    }
    if (!hasHost || !hasPid)
        return std::nullopt;
    return desk;
}

std::optional<DeskIdentity> read(const QString &slipPath)
{
    const auto lines = textfile::readLines(lockPathFor(slipPath));
    if (!lines)
        return std::nullopt;
    return parse(*lines);
}

void write(const QString &slipPath, const DeskIdentity &desk)
{
    textfile::writeLines(lockPathFor(slipPath), format(desk));
}

void release(const QString &slipPath, const DeskIdentity &desk)
{
    if (read(slipPath) == desk)
        QFile::remove(lockPathFor(slipPath));
}

bool processAlive(qint64 pid)
{
    // EPERM: it runs, under another user.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH);
}

Holder judge(const std::optional<DeskIdentity> &lock, const DeskIdentity &me,
             const std::function<bool(qint64)> &alive)
{
    if (!lock || *lock == me)
        return Holder::Nobody;
    if (lock->host.compare(me.host, Qt::CaseInsensitive) != 0)
        return Holder::OtherDesk;
    if (lock->pid == me.pid)
        return Holder::Nobody;
    if (!(alive ? alive(lock->pid) : processAlive(lock->pid)))
        return Holder::Stale;
    return lock->user == me.user ? Holder::ThisDesk : Holder::OtherDesk;
}

} // namespace sliplock
} // namespace vendara
