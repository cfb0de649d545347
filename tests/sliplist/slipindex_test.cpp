#include "sliplisttesting.h"

#include "sliplist/slipindex.h"
#include "sliplist/slipindexcache.h"

#include "support/testdata.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

// A slip folder and a cache folder of the test's own.
struct Folders
{
    QTemporaryDir slips;
    QTemporaryDir cache;

    QString slip(const QString &name, const QString &customer)
    {
        return test::writeListSlip(slips.path(), name, [&](SlipRecord &s) { s.cust.name = customer; });
    }
    // Opens a new index over the folder and waits for its rows.
    std::unique_ptr<SlipIndex> open() const
    {
        auto index = std::make_unique<SlipIndex>();
        index->setCacheFolder(cache.path());
        index->open({slips.path()});
        EXPECT_TRUE(index->waitUntilLoaded(30000));
        return index;
    }
};

QString customerOf(const SlipIndex &index, const QString &path)
{
    const int id = index.idOf(path);
    return id < 0 || !index.isPresent(id) ? QStringLiteral("<absent>") : index.summary(id).customerName;
}

TEST(SlipIndex, folder_givesEverySlipFileAndEveryErrorOnce)
{
    Folders f;
    const QString a = f.slip(QStringLiteral("a.pvq"), QStringLiteral("A"));
    const QString upper = f.slip(QStringLiteral("B.PVQ"), QStringLiteral("B"));
    test::writeBytes(f.slips.filePath(QStringLiteral("broken.pvq")), "not a slip");
    test::writeBytes(f.slips.filePath(QStringLiteral("notes.txt")), "[No]\r\n");
    test::writeBytes(f.slips.filePath(QStringLiteral(".hidden.pvq")), "[No]\r\n");
    QDir(f.slips.path()).mkdir(QStringLiteral("sub"));
    f.slip(QStringLiteral("sub/c.pvq"), QStringLiteral("C"));

    SlipIndex index;
    index.setCacheFolder(f.cache.path());
    QSignalSpy added(&index, &SlipIndex::rowsAdded);
    index.open({f.slips.path(), f.slips.filePath(QStringLiteral("missing"))});
    ASSERT_TRUE(index.waitUntilLoaded(30000));
    EXPECT_GE(added.count(), 1);
    EXPECT_EQ(index.presentCount(), 3);
    EXPECT_EQ(index.errorCount(), 1);
    EXPECT_EQ(customerOf(index, a), QStringLiteral("A"));
    EXPECT_EQ(customerOf(index, upper), QStringLiteral("B"));
    const int broken = index.idOf(f.slips.filePath(QStringLiteral("broken.pvq")));
    ASSERT_GE(broken, 0);
    EXPECT_EQ(index.summary(broken).error, QStringLiteral("伝票ファイルではありません"));
    ASSERT_EQ(index.folderErrors().size(), 1);
    EXPECT_TRUE(index.folderErrors().first().startsWith(QStringLiteral("フォルダが見つかりません")));
}

TEST(SlipIndex, secondOpen_readsOnlyFilesThatChanged)
{
    Folders f;
    const QDateTime when(QDate(2026, 3, 1), QTime(10, 0));
    const QString kept = f.slip(QStringLiteral("kept.pvq"), QStringLiteral("AAAA"));
    const QString changed = f.slip(QStringLiteral("changed.pvq"), QStringLiteral("BBBB"));
    const QString removed = f.slip(QStringLiteral("removed.pvq"), QStringLiteral("CCCC"));
    test::setModified(kept, when);
    f.open();

    // The same size and time: the cache's row stands, the file is not read.
    f.slip(QStringLiteral("kept.pvq"), QStringLiteral("ZZZZ"));
    test::setModified(kept, when);
    f.slip(QStringLiteral("changed.pvq"), QStringLiteral("BBBB longer"));
    QFile::remove(removed);
    const QString added = f.slip(QStringLiteral("added.pvq"), QStringLiteral("DDDD"));

    const auto index = f.open();
    EXPECT_EQ(customerOf(*index, kept), QStringLiteral("AAAA"));
    EXPECT_EQ(customerOf(*index, changed), QStringLiteral("BBBB longer"));
    EXPECT_EQ(customerOf(*index, added), QStringLiteral("DDDD"));
    EXPECT_EQ(index->idOf(removed), -1);
    EXPECT_EQ(index->presentCount(), 3);
}

TEST(SlipIndex, damagedOrForeignCache_isIgnored)
{
    Folders f;
    const QString path = f.slip(QStringLiteral("a.pvq"), QStringLiteral("A"));
    f.open();
    const QString cacheFile = slipcache::fileFor(f.cache.path(), f.slips.path());
    const QByteArray good = test::readBytes(cacheFile);
    ASSERT_FALSE(good.isEmpty());

    QTemporaryDir other;
    QByteArray flipped = good;
    flipped[flipped.size() - 3] = char(flipped[flipped.size() - 3] ^ 0x55);
    const QByteArray damaged[] = {good.left(good.size() / 2), flipped, QByteArray(good.size(), '\xff'), QByteArray()};
    for (const QByteArray &bytes : damaged) {
        test::writeBytes(cacheFile, bytes);
        EXPECT_EQ(customerOf(*f.open(), path), QStringLiteral("A"));
    }
    // The cache of one folder copied to stand for another.
    test::writeBytes(slipcache::fileFor(f.cache.path(), other.path()), good);
    EXPECT_TRUE(slipcache::load(f.cache.path(), other.path()).empty());
    EXPECT_EQ(slipcache::load(f.cache.path(), f.slips.path()).size(), 1u);
}

TEST(SlipIndex, refreshPath_followsChangesAddsAndRemovals)
{
    Folders f;
    const QString a = f.slip(QStringLiteral("a.pvq"), QStringLiteral("A"));
    const auto index = f.open();
    QSignalSpy addedSpy(index.get(), &SlipIndex::rowsAdded);
    QSignalSpy changedSpy(index.get(), &SlipIndex::rowChanged);
    QSignalSpy removedSpy(index.get(), &SlipIndex::rowRemoved);
    const int idA = index->idOf(a);

    f.slip(QStringLiteral("a.pvq"), QStringLiteral("A changed"));
    index->refreshPath(a);
    EXPECT_EQ(customerOf(*index, a), QStringLiteral("A changed"));
    EXPECT_EQ(changedSpy.count(), 1);
    index->refreshPath(a); // nothing new
    EXPECT_EQ(changedSpy.count(), 1);

    const QString b = f.slip(QStringLiteral("b.pvq"), QStringLiteral("B"));
    index->refreshPath(b);
    EXPECT_EQ(addedSpy.count(), 1);
    EXPECT_EQ(customerOf(*index, b), QStringLiteral("B"));

    QFile::remove(a);
    index->refreshPath(a);
    EXPECT_EQ(removedSpy.count(), 1);
    EXPECT_FALSE(index->isPresent(idA));
    EXPECT_EQ(index->presentCount(), 1);

    // The same path again takes its old id back.
    f.slip(QStringLiteral("a.pvq"), QStringLiteral("A again"));
    index->refreshPath(a);
    EXPECT_EQ(index->idOf(a), idA);
    EXPECT_EQ(customerOf(*index, a), QStringLiteral("A again"));

    // Outside the folders, or not a slip file: nothing.
    QTemporaryDir elsewhere;
    index->refreshPath(test::writeListSlip(elsewhere.path(), QStringLiteral("x.pvq")));
    test::writeBytes(f.slips.filePath(QStringLiteral("x.txt")), "[No]");
    index->refreshPath(f.slips.filePath(QStringLiteral("x.txt")));
    EXPECT_EQ(index->presentCount(), 2);

    // What changed since is in the cache the next open reads.
    index->saveCaches();
    EXPECT_EQ(slipcache::load(f.cache.path(), f.slips.path()).size(), 2u);
}

TEST(SlipIndex, watching_readsFilesSavedIntoTheFolder)
{
    Folders f;
    const auto index = f.open();
    index->setWatching(true);
    QSignalSpy added(index.get(), &SlipIndex::rowsAdded);
    const QString a = f.slip(QStringLiteral("a.pvq"), QStringLiteral("A"));
    ASSERT_TRUE(added.wait(10000));
    EXPECT_EQ(customerOf(*index, a), QStringLiteral("A"));

    QSignalSpy removed(index.get(), &SlipIndex::rowRemoved);
    QFile::remove(a);
    ASSERT_TRUE(removed.wait(10000));
    EXPECT_EQ(index->presentCount(), 0);
}

TEST(SlipIndex, reopenWhileLoading_dropsTheEarlierRows)
{
    Folders f;
    for (int i = 0; i < 300; ++i)
        f.slip(QStringLiteral("s%1.pvq").arg(i), QStringLiteral("A"));
    QTemporaryDir second;
    const QString only = test::writeListSlip(second.path(), QStringLiteral("only.pvq"));
    SlipIndex index;
    index.setCacheFolder(QString());
    index.open({f.slips.path()});
    index.open({second.path()});
    ASSERT_TRUE(index.waitUntilLoaded(30000));
    EXPECT_EQ(index.presentCount(), 1);
    EXPECT_GE(index.idOf(only), 0);
}

} // namespace
