#pragma once

#include "app/platformservices.h"

namespace vendara {

// Pages shown by the desktop's browser (QDesktopServices).
class DesktopHelpBrowser : public HelpBrowser
{
public:
    bool openUrl(const QUrl &url) override;
};

// Another process of this executable, detached, working in folder.
class DetachedLauncher : public ProcessLauncher
{
public:
    explicit DetachedLauncher(const QString &workingFolder) : m_workingFolder(workingFolder) {}
    bool startProgram(const QStringList &arguments) override;

private:
    QString m_workingFolder;
};

// A new message of the desktop's mail program (xdg-email --attach).
class XdgMailSender : public MailSender
{
public:
    bool composeWithAttachment(const QString &path) override;
};

} // namespace vendara
