#include "support/permissions.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vendara::test {

namespace {

// glibc has no wrapper for these; the raw calls act on the calling thread.
bool getCapabilities(__user_cap_data_struct *data)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
}

bool setCapabilities(const __user_cap_data_struct *data)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data) == 0;
}

constexpr quint32 kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

} // namespace

PermissionsBind::PermissionsBind()
{
    if (!getCapabilities(m_saved)) {
        m_failure = QStringLiteral("capget: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    if (m_saved[0].effective & kOverrides) {
        __user_cap_data_struct lowered[_LINUX_CAPABILITY_U32S_3];
        std::memcpy(lowered, m_saved, sizeof lowered);
        lowered[0].effective &= ~kOverrides;
        if (!setCapabilities(lowered)) {
            m_failure = QStringLiteral("capset: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_dropped = true;
    }
    // The proof: a file nobody may read cannot be opened for reading.
    QTemporaryDir dir;
    QFile probe(dir.filePath(QStringLiteral("probe")));
    if (!dir.isValid() || !probe.open(QIODevice::WriteOnly)) {
        m_failure = QStringLiteral("no temporary file to try permissions on");
        return;
    }
    probe.close();
    probe.setPermissions(QFileDevice::WriteOwner);
    if (probe.open(QIODevice::ReadOnly))
        m_failure = QStringLiteral("a file without read permission can still be read here "
                                   "(a file system that ignores permissions?)");
    probe.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

PermissionsBind::~PermissionsBind()
{
    if (m_dropped)
        setCapabilities(m_saved);
}

} // namespace vendara::test
