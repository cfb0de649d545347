#include "common/cp932codec.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include "support/testdata.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace vendara;

namespace {

QStringList linesOf(const QString &path)
{
    return textfile::readLines(path).value_or(QStringList{QStringLiteral("<missing>")});
}

// The refusal of a guarded write, or nothing when it wrote.
std::optional<FileChangedError> refusalOf(const QString &path, const QStringList &lines, const FileVersion &read)
{
    try {
        writeLinesIfUnchanged(path, lines, read);
    } catch (const FileChangedError &e) {
        return e;
    }
    return std::nullopt;
}

} // namespace

TEST(FileVersion, missingFile_doesNotExist)
{
    QTemporaryDir dir;
    const FileVersion v = FileVersion::of(dir.filePath("none"));
    EXPECT_FALSE(v.exists);
    EXPECT_TRUE(v.sameContent(FileVersion{}));
}

TEST(FileVersion, sameBytes_sameContent_otherBytesOfTheSameSize_not)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    test::writeBytes(path, "abc\r\n");
    QByteArray read;
    const FileVersion first = FileVersion::of(path, &read);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 5);
    EXPECT_EQ(read, QByteArray("abc\r\n"));
    EXPECT_TRUE(first.modified.isValid());

    EXPECT_TRUE(FileVersion::of(path).sameContent(first));
    test::writeBytes(path, "abd\r\n");
    EXPECT_FALSE(FileVersion::of(path).sameContent(first));
    test::writeBytes(path, "");
    const FileVersion empty = FileVersion::of(path);
    EXPECT_TRUE(empty.exists);
    EXPECT_FALSE(empty.sameContent(FileVersion{})); // an empty file is not a missing one
}

TEST(FileVersion, folder_cannotBeRead)
{
    QTemporaryDir dir;
    EXPECT_THROW(FileVersion::of(dir.path()), Error);
}

TEST(GuardedWrite, unchangedFile_isWrittenAndTheNewVersionReturned)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("色");
    textfile::writeLines(path, {"赤"});
    const FileVersion read = FileVersion::of(path);

    const FileVersion written = writeLinesIfUnchanged(path, {"赤", "青"}, read);
    EXPECT_EQ(test::readBytes(path), cp932::encode(u"赤\r\n青\r\n"));
    EXPECT_TRUE(written.sameContent(FileVersion::of(path)));
    // The version returned guards the next write.
    writeLinesIfUnchanged(path, {"緑"}, written);
    EXPECT_EQ(linesOf(path), QStringList{"緑"});
    // The lock is one per folder, hidden, and left free.
    EXPECT_EQ(folderLockPathFor(path), dir.filePath(".vendara.lock"));
    EXPECT_FALSE(FileLock::isHeld(folderLockPathFor(path)));
}

TEST(GuardedWrite, changedByAnotherWriter_isRefusedWithTheNewContentAndLeftAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("担当者");
    textfile::writeLines(path, {"山田"});
    const FileVersion read = FileVersion::of(path);
    const QString longLine(60, QChar(u'長'));
    textfile::writeLines(path, {"佐藤", longLine, "鈴木", "田中"}); // the other desk
    const QByteArray theirs = test::readBytes(path);

    const auto refused = refusalOf(path, {"山田", "高橋"}, read);
    ASSERT_TRUE(refused);
    EXPECT_EQ(test::readBytes(path), theirs);
    EXPECT_EQ(refused->path(), path);
    EXPECT_EQ(refused->owner(), QFileInfo(path).owner());
    EXPECT_EQ(refused->modified(), QFileInfo(path).lastModified());
    const QString message = refused->message();
    EXPECT_TRUE(message.startsWith(QStringLiteral("担当者 は他の端末で変更されています（"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QFileInfo(path).lastModified().toString("yyyy/MM/dd hh:mm"))) << message.toStdString();
    // The first three lines, the long one shortened, and a mark for the rest.
    EXPECT_TRUE(message.endsWith(QStringLiteral("\n\n佐藤\n") + longLine.left(40) + QStringLiteral("…\n鈴木\n…")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("田中")));
    EXPECT_FALSE(message.contains(QStringLiteral("高橋")));
    EXPECT_FALSE(FileLock::isHeld(folderLockPathFor(path)));
}

TEST(GuardedWrite, forced_replacesAnotherWritersChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    textfile::writeLines(path, {"one"});
    const FileVersion read = FileVersion::of(path);
    textfile::writeLines(path, {"two"});
    const FileVersion written = writeLinesIfUnchanged(path, {"mine"}, read, Overwrite::Force);
    EXPECT_EQ(linesOf(path), QStringList{"mine"});
    EXPECT_TRUE(written.sameContent(FileVersion::of(path)));
}

TEST(GuardedWrite, sameContentWrittenAgain_isNoChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    textfile::writeLines(path, {"one"});
    const FileVersion read = FileVersion::of(path);
    textfile::writeLines(path, {"one"});
    writeLinesIfUnchanged(path, {"mine"}, read);
    EXPECT_EQ(linesOf(path), QStringList{"mine"});
}

TEST(GuardedWrite, changedByAnotherToTheSameLines_isWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    const FileVersion read = FileVersion::of(path);
    textfile::writeLines(path, {"same"});
    const FileVersion written = writeLinesIfUnchanged(path, {"same"}, read);
    EXPECT_TRUE(written.sameContent(FileVersion::of(path)));
    EXPECT_EQ(linesOf(path), QStringList{"same"});
}

TEST(GuardedWrite, readMissingThenCreatedByAnother_isRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Accdata.dat");
    const FileVersion read = FileVersion::of(path);
    textfile::writeLines(path, {"エアコン,AC"});

    const auto refused = refusalOf(path, {"パワーステアリング,PS"}, read);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->message().contains(QStringLiteral("エアコン,AC"))) << refused->message().toStdString();
    EXPECT_EQ(linesOf(path), QStringList{"エアコン,AC"});
}

TEST(GuardedWrite, readMissingAndStillMissing_isWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Accdata.dat");
    const FileVersion read = FileVersion::of(path);
    writeLinesIfUnchanged(path, {"エアコン,AC"}, read);
    EXPECT_EQ(linesOf(path), QStringList{"エアコン,AC"});
}

TEST(GuardedWrite, removedByAnother_isRefusedAndNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("色");
    textfile::writeLines(path, {"赤"});
    const FileVersion read = FileVersion::of(path);
    QFile::remove(path);
    const auto refused = refusalOf(path, {"青"}, read);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->message(), QStringLiteral("色 は他の端末で削除されています。"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(GuardedWrite, unencodableCharacter_writesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    textfile::writeLines(path, {"one"});
    EXPECT_THROW(writeLinesIfUnchanged(path, {QStringLiteral("😀")}, FileVersion::of(path)), Error);
    EXPECT_EQ(linesOf(path), QStringList{"one"});
}
