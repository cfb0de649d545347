#include "app/datafoldercheck.h"

#include "support/permissions.h"
#include "support/shippeddata.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const DataFolderCheck *findingOn(const QList<DataFolderCheck> &checks, const QString &subject)
{
    for (const DataFolderCheck &check : checks)
        if (check.subject == subject)
            return &check;
    return nullptr;
}

QString describe(const QList<DataFolderCheck> &checks)
{
    QString text;
    for (const DataFolderCheck &check : checks)
        text += (check.ok ? "OK " : "NG ") + check.subject + ' ' + check.detail + '\n';
    return text;
}

constexpr auto kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
    | QFile::ReadOther | QFile::ExeOther;
constexpr auto kOpenFolder = kReadOnlyFolder | QFile::WriteOwner;

} // namespace

TEST(DataFolderCheck, readOnlyFolder_cannotBeWrittenNorLocked)
{
    QTemporaryDir dir;
    test::copyShippedData(dir.path());
    test::writeSjisLines(dir.filePath("vendara.ini"), {"[Slip]", "No=3"});
    const DataFolder data(dir.path());
    QFile::setPermissions(dir.path(), kReadOnlyFolder);
    QList<DataFolderCheck> checks;
    {
        const test::PermissionsBind bind;
        if (!bind.failure().isEmpty()) {
            QFile::setPermissions(dir.path(), kOpenFolder);
            GTEST_SKIP() << bind.failure().toStdString();
        }
        checks = checkDataFolder(data);
    }
    QFile::setPermissions(dir.path(), kOpenFolder);
    const std::string all = describe(checks).toStdString();
    ASSERT_EQ(checks.size(), 10) << all;
    const DataFolderCheck *writing = findingOn(checks, QStringLiteral("書き込み"));
    ASSERT_NE(writing, nullptr) << all;
    EXPECT_FALSE(writing->ok) << all;
    EXPECT_TRUE(writing->detail.contains(data.root())) << all;
    const DataFolderCheck *lock = findingOn(checks, QStringLiteral("ロック"));
    ASSERT_NE(lock, nullptr) << all;
    EXPECT_FALSE(lock->ok) << all;
    EXPECT_TRUE(lock->detail.contains(dir.filePath("vendara.ini.lock"))) << all;
    // What can be read is still read.
    for (const DataFolderCheck &check : checks) {
        if (check.subject != QStringLiteral("書き込み") && check.subject != QStringLiteral("ロック")) {
            EXPECT_TRUE(check.ok) << all;
        }
    }
    // Nothing was left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vendara.ini"});
}

TEST(DataFolderCheck, readOnlySettingsFile_isNamed)
{
    QTemporaryDir dir;
    test::copyShippedData(dir.path());
    test::writeSjisLines(dir.filePath("vendara.ini"), {"[Slip]", "No=3"});
    QFile::setPermissions(dir.filePath("vendara.ini"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QList<DataFolderCheck> checks = checkDataFolder(DataFolder(dir.path()));
    const DataFolderCheck *writing = findingOn(checks, QStringLiteral("書き込み"));
    ASSERT_NE(writing, nullptr);
    EXPECT_FALSE(writing->ok);
    EXPECT_TRUE(writing->detail.contains(dir.filePath("vendara.ini"))) << writing->detail.toStdString();
}

TEST(DataFolderCheck, folderWithoutTheDataFolders_isNoDataFolder)
{
    QTemporaryDir dir;
    const QList<DataFolderCheck> checks = checkDataFolder(DataFolder(dir.path()));
    const DataFolderCheck *folder = findingOn(checks, QStringLiteral("データフォルダ"));
    ASSERT_NE(folder, nullptr);
    EXPECT_FALSE(folder->ok);
    EXPECT_TRUE(folder->detail.contains(QStringLiteral("Dat/Mst/"))) << folder->detail.toStdString();
    // Missing files read as the program reads them: defaults, empty lists.
    const DataFolderCheck *settings = findingOn(checks, QStringLiteral("設定ファイル"));
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->ok);
}
