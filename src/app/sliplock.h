#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vendara {

// Who holds a slip file open: the machine, the user and the process. Desks
// that share a folder on a file server tell each other apart by it.
struct DeskIdentity
{
    QString host;
    QString user;
    qint64 pid = 0;

    // This process on this machine.
    static DeskIdentity current();

    bool operator==(const DeskIdentity &) const = default;
};

// The lock file of a slip that a window holds, so that other desks open the
// slip read-only or take it over knowingly. It is only a note beside the
// file ("<folder>/.<name>.lock"), written when a window takes the slip and
// removed when it lets it go; a desk that crashed leaves it behind, which is
// why a note of a dead process on the same machine counts for nothing.
namespace sliplock {

QString lockPathFor(const QString &slipPath);

// The lines of the lock file, and back; nothing when the lines are not one.
QStringList format(const DeskIdentity &desk);
std::optional<DeskIdentity> parse(const QStringList &lines);

// The desk that holds the slip, or nothing when no (readable) lock is there.
std::optional<DeskIdentity> read(const QString &slipPath);
// Writes the lock atomically; throws vendara::Error when it cannot.
void write(const QString &slipPath, const DeskIdentity &desk);
// Removes the lock when it still names this desk: a desk that took the slip
// over keeps its own.
void release(const QString &slipPath, const DeskIdentity &desk);

// What a lock means to a desk about to take the slip.
enum class Holder {
    Nobody,     // no lock, or this very process's
    Stale,      // a process of this machine that is gone
    ThisDesk,   // another live process of this machine and user
    OtherDesk,  // another machine, or another user of this one
};
// `alive` says whether a process of this machine runs; processAlive by default.
Holder judge(const std::optional<DeskIdentity> &lock, const DeskIdentity &me,
             const std::function<bool(qint64)> &alive = {});

bool processAlive(qint64 pid);

} // namespace sliplock
} // namespace vendara
