#pragma once

#include "app/documentsession.h"
#include "app/platformservices.h"
#include "support/shippeddata.h"
#include "app/recentfiles.h"
#include "support/fakequestions.h"
#include "slip/slipfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vendara::test {

// Other processes as a set of files they show.
class FakeInstances : public InstanceRegistry
{
public:
    QSet<QString> shownElsewhere;
    QStringList activated;
    QString claimed;

    bool activate(const QString &canonicalPath) override
    {
        if (!shownElsewhere.contains(canonicalPath))
            return false;
        activated << canonicalPath;
        return true;
    }
    bool isShownElsewhere(const QString &canonicalPath) override { return shownElsewhere.contains(canonicalPath); }
    bool claim(const QString &canonicalPath) override
    {
        claimed.clear();
        if (shownElsewhere.contains(canonicalPath))
            return false;
        claimed = canonicalPath;
        return true;
    }
};

class FakeLauncher : public ProcessLauncher
{
public:
    QList<QStringList> started;
    bool startProgram(const QStringList &arguments) override
    {
        started << arguments;
        return true;
    }
};


// Records the pages it was asked to show.
class FakeBrowser : public HelpBrowser
{
public:
    QList<QUrl> opened;
    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return true;
    }
};

// A data root, a recent-files list and a session over fakes.
struct ShellFixture
{
    QTemporaryDir dir;
    testing::FakeQuestions questions;
    FakeInstances instances;
    FakeLauncher launcher;
    std::unique_ptr<DataFolder> data;
    std::unique_ptr<RecentFiles> recent;
    std::unique_ptr<DocumentSession> session;

    ShellFixture()
    {
        QDir(dir.path()).mkpath(QStringLiteral("root/Dat"));
        QDir(dir.path()).mkpath(QStringLiteral("slips"));
        data = std::make_unique<DataFolder>(dir.filePath(QStringLiteral("root")));
        recent = std::make_unique<RecentFiles>(dir.filePath(QStringLiteral("config/recent-files")));
        session = std::make_unique<DocumentSession>(*data, questions, instances, launcher, *recent);
    }

    QString slips(const QString &name) const { return dir.filePath(QStringLiteral("slips/") + name); }
    QString settingsPath() const { return data->settingsPath(); }

    // A slip file with a customer name, written by the program's own writer.
    QString writeSlipFile(const QString &name, const QString &customer, const QString &code = QStringLiteral("00000007"))
    {
        SlipDocument doc;
        doc.startNew({}, QDate(2026, 12, 7));
        doc.setText(SlipField::CustName, customer);
        doc.setText(SlipField::SlipCode, code);
        const QString path = slips(name);
        writeSlip(doc, path);
        return path;
    }
};

} // namespace vendara::test
