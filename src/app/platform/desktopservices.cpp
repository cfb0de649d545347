#include "desktopservices.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace vendara {

bool DesktopHelpBrowser::openUrl(const QUrl &url)
{
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool DetachedLauncher::startProgram(const QStringList &arguments)
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments, m_workingFolder);
}

} // namespace vendara

namespace vendara {

bool XdgMailSender::composeWithAttachment(const QString &path)
{
    // xdg-email hands the message to the mail program and returns; it
    // answers non-zero when no mail program is set up.
    QProcess process;
    process.start(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), path});
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace vendara
