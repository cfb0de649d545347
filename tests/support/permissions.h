#pragma once

#include <QString>

#include <linux/capability.h>

namespace vendara::test {

// Root reads and writes a file whatever its permission bits say, so a test
// of what the program does when permissions refuse checks nothing as root,
// and CI runs as root. While a PermissionsBind lives, the calling thread
// has put down the two capabilities that let it pass over permissions
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) and permissions bind it as they
// bind any user; the destructor takes them up again. For a user without
// those capabilities it changes nothing. Only this thread is bound: the
// code under test must do its file work here.
class PermissionsBind
{
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind &) = delete;
    PermissionsBind &operator=(const PermissionsBind &) = delete;

    // Empty when a file without read permission was tried and could not be
    // read; otherwise why the test cannot rely on permissions here.
    const QString &failure() const { return m_failure; }

private:
    __user_cap_data_struct m_saved[_LINUX_CAPABILITY_U32S_3] = {};
    bool m_dropped = false;
    QString m_failure;
};

} // namespace vendara::test
