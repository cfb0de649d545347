#include "masters/postalcodedictionarylist.h"

#include "common/error.h"
#include "common/fileversion.h"
#include "common/textfile.h"

#include "support/fakequestions.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

class PostalCodeFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath("Zip");
        QDir(dir.path()).mkpath("src");
        folder = dir.filePath("Zip") + "/";
    }
    QStringList listLines() const { return textfile::readLines(folder + "ziplist").value_or(QStringList{"<missing>"}); }

    QTemporaryDir dir;
    QString folder;
};

vendara::testing::YesToEverything yes;

} // namespace

TEST_F(PostalCodeFolder, usableList_dropsMissingFilesAndNamesOutsideTheFolder)
{
    test::writeBytes(folder + "A.CSV", "a");
    test::writeBytes(folder + "B.CSV", "b");
    test::writeBytes(dir.filePath("outside.csv"), "x");
    QDir(folder).mkpath("sub");
    test::writeSjisLines(folder + "ziplist", {"A.CSV", "GONE.CSV", "../outside.csv", "", "sub", "ziplist", "B.CSV"});
    const PostalCodeDictionaryList list(folder);
    EXPECT_EQ(list.names(), QStringList({"A.CSV", "B.CSV"}));
    EXPECT_EQ(list.paths(), QStringList({folder + "A.CSV", folder + "B.CSV"}));
    EXPECT_EQ(listLines().size(), 7); // reading does not rewrite the list
}

TEST_F(PostalCodeFolder, missingList_meansNoDictionaries)
{
    const PostalCodeDictionaryList list(dir.filePath("nowhere"));
    EXPECT_TRUE(list.names().isEmpty());
}

TEST_F(PostalCodeFolder, add_copiesWithoutOverwritingAndListsTheNameOnce)
{
    test::writeBytes(dir.filePath("src/KEN_ALL.CSV"), "new");
    test::writeBytes(folder + "OLD.CSV", "old");
    test::writeSjisLines(folder + "ziplist", {"OLD.CSV"});
    PostalCodeDictionaryList list(folder);
    EXPECT_EQ(list.add(dir.filePath("src/KEN_ALL.CSV")), "KEN_ALL.CSV");
    EXPECT_EQ(test::readBytes(folder + "KEN_ALL.CSV"), QByteArray("new"));
    EXPECT_EQ(listLines(), QStringList({"OLD.CSV", "KEN_ALL.CSV"}));

    // A second file of the same name keeps the installed one.
    QDir(dir.path()).mkpath("src2");
    test::writeBytes(dir.filePath("src2/KEN_ALL.CSV"), "other");
    list.add(dir.filePath("src2/KEN_ALL.CSV"));
    EXPECT_EQ(test::readBytes(folder + "KEN_ALL.CSV"), QByteArray("new"));
    EXPECT_EQ(listLines(), QStringList({"OLD.CSV", "KEN_ALL.CSV"}));

    // A file already in the folder but not listed is listed, not copied.
    test::writeBytes(folder + "HERE.CSV", "here");
    test::writeBytes(dir.filePath("src/HERE.CSV"), "there");
    list.add(dir.filePath("src/HERE.CSV"));
    EXPECT_EQ(test::readBytes(folder + "HERE.CSV"), QByteArray("here"));
    EXPECT_EQ(list.names(), QStringList({"OLD.CSV", "KEN_ALL.CSV", "HERE.CSV"}));
}

TEST_F(PostalCodeFolder, add_refusesTheListFileAndUnreadableSources)
{
    test::writeBytes(folder + "ziplist", QByteArray());
    test::writeBytes(dir.filePath("src/ziplist"), "evil");
    PostalCodeDictionaryList list(folder);
    EXPECT_THROW(list.add(dir.filePath("src/ziplist")), Error);
    EXPECT_EQ(test::readBytes(folder + "ziplist"), QByteArray());
    EXPECT_THROW(list.add(dir.filePath("src/none.csv")), Error);
    EXPECT_FALSE(QFile::exists(folder + "none.csv"));
    EXPECT_TRUE(list.names().isEmpty());
}

TEST_F(PostalCodeFolder, add_createsTheFolderWhenMissing)
{
    test::writeBytes(dir.filePath("src/A.CSV"), "a");
    PostalCodeDictionaryList list(dir.filePath("Fresh/Zip"));
    list.add(dir.filePath("src/A.CSV"));
    EXPECT_EQ(test::readBytes(dir.filePath("Fresh/Zip/A.CSV")), QByteArray("a"));
    EXPECT_EQ(textfile::readLines(dir.filePath("Fresh/Zip/ziplist")), QStringList({"A.CSV"}));
}

TEST_F(PostalCodeFolder, remove_asksThenDeletesFileAndListEntry)
{
    test::writeBytes(folder + "A.CSV", "a");
    test::writeBytes(folder + "B.CSV", "b");
    test::writeSjisLines(folder + "ziplist", {"A.CSV", "B.CSV"});
    PostalCodeDictionaryList list(folder);
    vendara::testing::FakeQuestions asker;
    asker.answer(false);
    EXPECT_FALSE(list.remove(0, asker));
    EXPECT_EQ(asker.asked.last(), "削除しますか?");
    EXPECT_TRUE(QFile::exists(folder + "A.CSV"));
    EXPECT_FALSE(list.remove(5, yes));
    EXPECT_TRUE(list.remove(0, yes));
    EXPECT_FALSE(QFile::exists(folder + "A.CSV"));
    EXPECT_EQ(listLines(), QStringList({"B.CSV"}));
    EXPECT_EQ(list.names(), QStringList({"B.CSV"}));
}

TEST_F(PostalCodeFolder, unreadableList_isReportedRatherThanTakenAsEmpty)
{
    QDir(folder).mkpath("ziplist");
    EXPECT_THROW(PostalCodeDictionaryList{folder}, Error);
}

// Two desks on one data folder, both lists read before either added.
TEST_F(PostalCodeFolder, listChangedOnAnotherDesk_refusesTheAdditionUntilReloaded)
{
    test::writeBytes(dir.filePath("src/A.CSV"), "a");
    test::writeBytes(dir.filePath("src/B.CSV"), "b");
    PostalCodeDictionaryList first(folder);
    PostalCodeDictionaryList second(folder);
    first.add(dir.filePath("src/A.CSV"));

    EXPECT_THROW(second.add(dir.filePath("src/B.CSV")), FileChangedError);
    EXPECT_EQ(listLines(), QStringList{"A.CSV"});
    second.reload();
    EXPECT_EQ(second.names(), QStringList{"A.CSV"});
    second.add(dir.filePath("src/B.CSV")); // its file was copied the first time
    EXPECT_EQ(listLines(), QStringList({"A.CSV", "B.CSV"}));

    // The first desk's next change is refused in turn, and overwrites on demand.
    EXPECT_THROW(first.remove(0, yes), FileChangedError);
    first.save(Overwrite::Force);
    EXPECT_EQ(listLines(), QStringList{}); // this desk's list: B.CSV is no longer listed
}
