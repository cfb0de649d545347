#include "common/datafolder.h"
#include "common/error.h"

#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

TEST(DataFolder, explicitRoot_getsTmpFolderAndPaths)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    EXPECT_TRUE(data.root().endsWith(u'/'));
    EXPECT_TRUE(QDir(data.tmpDir()).exists());
    EXPECT_EQ(data.datPath("Mst/Maker.dat"), data.root() + "Dat/Mst/Maker.dat");
    EXPECT_EQ(data.settingsPath(), data.root() + "vendara.ini");
}

TEST(DataFolder, executableFolderWithDat_isUsed)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Dat");
    const DataFolder data = DataFolder::locate(dir.path(), dir.filePath("nowhere"));
    EXPECT_EQ(data.root(), QDir(dir.path()).absolutePath() + "/");
}

TEST(DataFolder, otherwiseUserFolder_isSeededWithoutOverwriting)
{
    QTemporaryDir exe, installed, xdg;
    QDir(installed.path()).mkpath("Dat/Mst");
    test::writeBytes(installed.filePath("Dat/Mst/Maker.dat"), "shipped");
    test::writeBytes(installed.filePath("Dat/Mst/Color.dat"), "shipped");
    test::writeBytes(installed.filePath("vendara.ini"), "[Tax]\r\nSRate=10\r\n");
    QDir(xdg.path()).mkpath("vendara/Dat/Mst");
    test::writeBytes(xdg.filePath("vendara/Dat/Mst/Maker.dat"), "user's");

    qputenv("XDG_DATA_HOME", xdg.path().toLocal8Bit());
    const DataFolder data = DataFolder::locate(exe.path(), installed.path());
    qunsetenv("XDG_DATA_HOME");

    EXPECT_EQ(data.root(), xdg.path() + "/vendara/");
    EXPECT_EQ(test::readBytes(data.datPath("Mst/Maker.dat")), QByteArray("user's"));
    EXPECT_EQ(test::readBytes(data.datPath("Mst/Color.dat")), QByteArray("shipped"));
    EXPECT_EQ(test::readBytes(data.settingsPath()), QByteArray("[Tax]\r\nSRate=10\r\n"));
}

TEST(SafeFileName, namesThatLeaveTheFolder_areRefused)
{
    EXPECT_TRUE(isSafeFileName(QStringLiteral("トヨタ")));
    EXPECT_TRUE(isSafeFileName(QStringLiteral("a.b")));
    for (const QString &bad : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../x"),
                               QStringLiteral("a/b"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")}) {
        EXPECT_FALSE(isSafeFileName(bad)) << bad.toStdString();
        EXPECT_THROW(requireSafeFileName(bad), Error);
    }
}
