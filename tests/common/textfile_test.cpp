#include "common/atomicfile.h"
#include "common/error.h"
#include "common/textfile.h"

#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

TEST(TextFile, readsEveryKindOfLineEnd)
{
    EXPECT_EQ(textfile::splitLines(u"a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(textfile::splitLines(u"a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(textfile::splitLines(u""), QStringList());
}

TEST(TextFile, writesShiftJisWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    textfile::writeLines(path, {QStringLiteral("①～"), QStringLiteral("ｶﾅ")});
    EXPECT_EQ(test::readBytes(path), QByteArray("\x87\x40\x81\x60\r\n\xb6\xc5\r\n"));
    EXPECT_EQ(*textfile::readLines(path), (QStringList{QStringLiteral("①～"), QStringLiteral("ｶﾅ")}));
}

TEST(TextFile, missingFile_readsAsNothing)
{
    EXPECT_FALSE(textfile::readLines(QStringLiteral("/nonexistent/x.txt")).has_value());
}

TEST(AtomicFile, unencodableText_leavesOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    test::writeBytes(path, "old\r\n");
    EXPECT_THROW(textfile::writeLines(path, {QStringLiteral("new 😀")}), Error);
    EXPECT_EQ(test::readBytes(path), QByteArray("old\r\n"));
}

TEST(AtomicFile, readOnlyTarget_isRefusedAndKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    test::writeBytes(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner);
    try {
        saveFileAtomically(path, "new");
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), path + QStringLiteral(" に書き込めません"));
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(test::readBytes(path), QByteArray("old"));
}

TEST(AtomicFile, missingFolder_isAnErrorAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/t.txt");
    EXPECT_THROW(saveFileAtomically(path, "x"), Error);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(AtomicFile, replacesContentAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.txt");
    saveFileAtomically(path, "one");
    saveFileAtomically(path, "two");
    EXPECT_EQ(test::readBytes(path), QByteArray("two"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.txt"});
}
