#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace vendara {

// One window per file across the processes of a user. Each process claims
// the file it shows; a process asked to come forward runs onActivate.
class InstanceRegistry
{
public:
    virtual ~InstanceRegistry() = default;

    // Asks the process that shows the file (by canonical path) to bring its
    // window forward. True when a process answered.
    virtual bool activate(const QString &canonicalPath) = 0;
    // True when another live process shows the file; it is not disturbed.
    virtual bool isShownElsewhere(const QString &canonicalPath) = 0;
    // Makes this process the one that shows the file and gives up the file
    // it claimed before; an empty path only gives it up. False (and nothing
    // claimed) when another live process shows the file.
    virtual bool claim(const QString &canonicalPath) = 0;

    std::function<void()> onActivate;
};

// Starts another process of the program ("新規作成" and Open of a file
// while the slip is modified).
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    // True when the process started.
    virtual bool startProgram(const QStringList &arguments) = 0;
};

// The help pages and the product page, shown by the desktop's browser.
class HelpBrowser
{
public:
    virtual ~HelpBrowser() = default;
    // False when nothing could show the page.
    virtual bool openUrl(const QUrl &url) = 0;
};

// The user's mail program, for sending a PDF.
class MailSender
{
public:
    virtual ~MailSender() = default;
    // Opens a new message with the file attached. False when no mail
    // program could take it.
    virtual bool composeWithAttachment(const QString &path) = 0;
};

} // namespace vendara
