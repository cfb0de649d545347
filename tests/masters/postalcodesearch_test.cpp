#include "masters/postalcodefilereader.h"
#include "masters/postalcodeline.h"
#include "masters/postalcodeload.h"
#include "masters/postalcodesearch.h"

#include "common/commatext.h"
#include "common/cp932codec.h"
#include "common/textfile.h"

#include "support/testdata.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace vendara;

namespace {

QString kenLine(const QString &code, const QString &pref, const QString &city, const QString &area)
{
    return QStringLiteral("01101,\"%1\",\"%2\",\"ｶﾅ\",\"ｶﾅ\",\"ｶﾅ\",\"%3\",\"%4\",\"%5\",0,0,0,0,0,0")
        .arg(code.left(3) + "  ", code, pref, city, area);
}

QStringList sapporo()
{
    return {
        kenLine("0600000", "北海道", "札幌市中央区", "以下に掲載がない場合"),
        kenLine("0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目）"),
        kenLine("0640941", "北海道", "札幌市中央区", "旭ケ丘"),
        kenLine("0600600", "北海道", "札幌市北区", "北六条西"),
    };
}

QStringList tokyo()
{
    return {
        kenLine("1000001", "東京都", "千代田区", "千代田"),
        kenLine("1040061", "東京都", "中央区", "銀座"),
        "short,line,only",
        "",
        kenLine("1600022", "東京都", "新宿区", "新宿"),
    };
}

QStringList codesOf(const PostalCodeSearchResult &r)
{
    QStringList codes;
    for (const PostalCodeEntry &e : r.entries)
        codes.append(e.postalCode);
    return codes;
}

class PostalCodeSearch : public ::testing::Test
{
protected:
    QString dictionary(const QString &name, const QStringList &lines)
    {
        const QString path = dir.filePath(name);
        test::writeSjisLines(path, lines);
        return path;
    }

    QTemporaryDir dir;
    PostalCodeSearcher searcher;
};

} // namespace

namespace {

// The fields the byte-level parser finds in line, decoded, or nothing.
std::optional<QStringList> parsedFields(const QString &line)
{
    const QByteArray bytes = cp932::encode(line);
    postalcodeline::LineParser parser;
    postalcodeline::Fields f;
    if (!parser.parse(bytes, f))
        return std::nullopt;
    return QStringList{cp932::decode(f.postalCode), cp932::decode(f.prefecture), cp932::decode(f.city),
                       cp932::decode(f.area)};
}

std::optional<QStringList> generalFields(const QString &line)
{
    const QStringList all = commatext::split(line);
    if (all.size() < 9)
        return std::nullopt;
    return QStringList{all[2], all[6], all[7], all[8]};
}

} // namespace

TEST(PostalCodeLine, splitsLikeTheGeneralCommaTextReader)
{
    const QStringList samples = {
        kenLine("0600000", "北海道", "札幌市", "以下"),
        "  a , b,c,d,e,f,g,h,i",
        "a b c d e f g h i",
        "a,b,c,d,e,f,g,h,",
        "a,b,c,d,e,f,g,h",
        "\"a\"b,c,d,e,f,g,h,i,j",
        "a,b,\"c\"\"q\",d,e,f,\"g,1\",\"h \"\"x\"\"\",i",
        "a,b,c,d,e,f,g,h,\"unterminated",
        "a,b,c,d,e,f,g,h,\"ends in doubled\"\"",
        ",,,,,,,,",
        ",,,,,,,",
        "\t,\t,\t,\t,\t,\t,\t,\t,\t",
        "表,示,ソ,ー,ス,能,十,\"予\",\"表ソ\"",
    };
    for (const QString &line : samples)
        EXPECT_EQ(parsedFields(line), generalFields(line)) << line.toStdString();
}

TEST(PostalCodeLine, randomLines_splitLikeTheGeneralReader)
{
    QRandomGenerator random(20260101);
    // Double-byte characters whose second byte is '@', '\\' or '|' sit next to
    // the bytes that split a line.
    const QString alphabet = QStringLiteral("a, \",\"\t漢ソ表能ｶ,");
    for (int n = 0; n < 4000; ++n) {
        QString line;
        const int length = random.bounded(40);
        for (int i = 0; i < length; ++i)
            line += alphabet[random.bounded(int(alphabet.size()))];
        ASSERT_EQ(parsedFields(line), generalFields(line)) << line.toStdString();
    }
}

TEST(PostalCodeLine, invalidBytes_decodeAsInTheWholeLine)
{
    // A lone lead byte at a field's end stays one replacement character.
    const QByteArray line = QByteArray("a,b,1234567,d,e,f,\"\x93\x8c\",\"X\x81\",\"\x81\",z");
    postalcodeline::LineParser parser;
    postalcodeline::Fields f;
    ASSERT_TRUE(parser.parse(line, f));
    const QStringList whole = commatext::split(cp932::decode(line));
    EXPECT_EQ(cp932::decode(f.city), whole[7]);
    EXPECT_EQ(cp932::decode(f.area), whole[8]);
    EXPECT_EQ(cp932::decode(f.prefecture), QStringLiteral("東"));
}

TEST(PostalCodeLine, forEachLine_splitsLikeTextFiles)
{
    for (const QString &text : {QStringLiteral("a\r\nb\rc\nd"), QStringLiteral("a\r\n\r\n"), QStringLiteral("\n"),
                                QStringLiteral(""), QStringLiteral("x\r")}) {
        QStringList lines;
        postalcodeline::forEachLine(text.toLatin1(), [&](QByteArrayView l) { lines.append(QString::fromLatin1(l)); });
        EXPECT_EQ(lines, textfile::splitLines(text)) << text.toStdString();
    }
}

TEST(PostalCodeFileReaderPieces, cutOnlyBetweenWholeLinesEvenAcrossCrLfAtTheBoundary)
{
    QTemporaryDir dir;
    // Lines of double-byte text; one CR LF pair straddles the first piece's end.
    QByteArray bytes;
    const QByteArray line = cp932::encode(u"札幌市中央区,大通西");
    while (bytes.size() < PostalCodeFileReader::kChunkBytes - 1 - line.size())
        bytes += line + "\n";
    bytes += QByteArray(PostalCodeFileReader::kChunkBytes - 1 - bytes.size(), 'x');
    bytes += "\r\n"; // CR is the piece's last byte, LF the next piece's first
    for (int i = 0; i < 5000; ++i)
        bytes += line + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
    bytes += line; // no final line end
    const QString path = dir.filePath("d.csv");
    test::writeBytes(path, bytes);

    PostalCodeFileReader reader(path);
    QStringList lines;
    QByteArray piece;
    int pieces = 0;
    while (reader.next(piece)) {
        ++pieces;
        postalcodeline::forEachLine(piece, [&](QByteArrayView l) { lines.append(cp932::decode(l)); });
    }
    EXPECT_GE(pieces, 2);
    EXPECT_EQ(lines, textfile::readLines(path).value());
}

TEST_F(PostalCodeSearch, postalCodePrefix_matchesOnlyAtTheStart)
{
    const QString d = dictionary("a.csv", sapporo());
    EXPECT_EQ(codesOf(searcher.search("060", {d})), QStringList({"0600000", "0600042", "0600600"}));
    EXPECT_EQ(codesOf(searcher.search("0600", {d})), QStringList({"0600000", "0600042", "0600600"}));
    EXPECT_EQ(codesOf(searcher.search("06000", {d})), QStringList({"0600000", "0600042"}));
    EXPECT_EQ(codesOf(searcher.search("060000", {d})), QStringList({"0600000"}));
    // 600 occurs inside 0600000 but not at its start; 0600600 ends in 600 and
    // its address has no 600 either.
    EXPECT_TRUE(searcher.search("600", {d}).entries.isEmpty());
}

TEST_F(PostalCodeSearch, address_matchesAnywhereInCityFollowedByArea)
{
    const QString d = dictionary("a.csv", sapporo());
    const PostalCodeSearchResult r = searcher.search("中央", {d});
    EXPECT_EQ(codesOf(r), QStringList({"0600000", "0600042", "0640941"}));
    EXPECT_EQ(r.entries[1], (PostalCodeEntry{"0600042", "北海道", "札幌市中央区大通西（１～１９丁目）"}));
    EXPECT_EQ(codesOf(searcher.search("区大通", {d})), QStringList({"0600042"})); // across the join
    EXPECT_EQ(codesOf(searcher.search("北区北六条", {d})), QStringList({"0600600"}));
    EXPECT_TRUE(searcher.search("北海道", {d}).entries.isEmpty()); // the prefecture is not searched
    EXPECT_TRUE(searcher.search("ｶﾅ", {d}).entries.isEmpty());
    EXPECT_TRUE(searcher.search("丘\n", {d}).entries.isEmpty());
}

TEST_F(PostalCodeSearch, results_comeInDictionaryThenLineOrderAndSkipShortLines)
{
    const QString a = dictionary("a.csv", sapporo());
    const QString b = dictionary("b.csv", tokyo());
    const PostalCodeSearchResult r = searcher.search("区", {b, a});
    EXPECT_EQ(codesOf(r), QStringList({"1000001", "1040061", "1600022", "0600000", "0600042", "0640941", "0600600"}));
    EXPECT_FALSE(r.stopped);
    EXPECT_TRUE(r.failure.isEmpty());
}

TEST_F(PostalCodeSearch, emptyKeyword_matchesNothingButReadsEveryDictionary)
{
    const QString a = dictionary("a.csv", sapporo());
    const QString b = dictionary("b.csv", tokyo());
    QStringList started;
    PostalCodeSearchObserver observer;
    observer.dictionaryStarted = [&](const QString &name) { started.append(name); };
    EXPECT_TRUE(searcher.search("", {a, b}, observer).entries.isEmpty());
    EXPECT_EQ(started, QStringList({"a.csv", "b.csv"}));
}

TEST_F(PostalCodeSearch, quotedFields_keepCommasAndDoubledQuotes)
{
    const QString d = dictionary("q.csv", {"x,y,\"1234567\",k,k,k,\"県\",\"市, \"\"東\"\"\",\"町\",0"});
    const PostalCodeSearchResult r = searcher.search("\"東\"", {d});
    ASSERT_EQ(r.entries.size(), 1);
    EXPECT_EQ(r.entries[0].address, "市, \"東\"町");
}

TEST_F(PostalCodeSearch, progress_reportsEveryFewThousandLinesAndCountsAllLines)
{
    QStringList lines;
    for (int i = 0; i < 30000; ++i)
        lines.append(kenLine(QStringLiteral("%1").arg(1000000 + i), "東京都", "千代田区", QStringLiteral("町%1").arg(i)));
    const QString d = dictionary("big.csv", lines);
    for (int pass = 0; pass < 2; ++pass) { // reading the file, then the kept copy
        QList<qint64> counters;
        PostalCodeSearchObserver observer;
        observer.progress = [&](qint64 n) { counters.append(n); };
        const PostalCodeSearchResult r = searcher.search("町2999", {d}, observer);
        EXPECT_EQ(r.entries.size(), 11) << pass; // 町2999 and 町29990-29999
        ASSERT_FALSE(counters.isEmpty());
        EXPECT_EQ(counters.last(), 30000) << pass;
        qint64 previous = 0;
        for (qint64 c : counters) {
            EXPECT_LE(c - previous, 5000) << pass;
            previous = c;
        }
    }
}

TEST_F(PostalCodeSearch, stopInTheSecondOfThreeDictionaries_keepsResultsSoFar)
{
    QStringList many;
    for (int i = 0; i < 20000; ++i)
        many.append(kenLine(QStringLiteral("%1").arg(2000000 + i), "東京都", "中央区", "銀座"));
    const QString a = dictionary("a.csv", sapporo());
    const QString b = dictionary("b.csv", many);
    const QString c = dictionary("c.csv", tokyo());
    QString current;
    int asked = 0;
    PostalCodeSearchObserver observer;
    observer.dictionaryStarted = [&](const QString &name) { current = name; };
    // The user presses stop while b is read, first answers No, then Yes.
    observer.stopConfirmed = [&] {
        if (current != "b.csv")
            return false;
        ++asked;
        return asked == 2;
    };
    const PostalCodeSearchResult r = searcher.search("中央", {a, b, c}, observer);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(current, "b.csv");
    EXPECT_EQ(asked, 2);
    ASSERT_GT(r.entries.size(), 3);
    EXPECT_LT(r.entries.size(), 3 + 20000);
    EXPECT_EQ(codesOf(r).mid(0, 3), QStringList({"0600000", "0600042", "0640941"}));

    // The part read of b was not kept: the next search reads all of it.
    EXPECT_EQ(searcher.search("中央", {a, b, c}).entries.size(), 3 + 20000 + 1);
}

TEST_F(PostalCodeSearch, keptCopy_isUsedUntilSizeOrTimeChanges)
{
    const QString d = dictionary("a.csv", sapporo());
    EXPECT_EQ(searcher.search("旭ケ丘", {d}).entries.size(), 1);
    EXPECT_GT(searcher.cachedBytes(), 0);

    // Same size and time: the kept copy answers (the file's new text is not read).
    QFile f(d);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QDateTime modified = f.fileTime(QFileDevice::FileModificationTime);
    f.close();
    QByteArray bytes = test::readBytes(d);
    const QByteArray asahi = cp932::encode(u"旭ケ丘");
    const QByteArray other = cp932::encode(u"旭ヶ岳");
    ASSERT_EQ(asahi.size(), other.size());
    bytes.replace(asahi, other);
    test::writeBytes(d, bytes);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(searcher.search("旭ケ丘", {d}).entries.size(), 1);

    // A new time: read again.
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_TRUE(searcher.search("旭ケ丘", {d}).entries.isEmpty());
    EXPECT_EQ(searcher.search("旭ヶ岳", {d}).entries.size(), 1);

    // A new size: read again.
    test::writeSjisLines(d, tokyo());
    EXPECT_EQ(codesOf(searcher.search("1", {d})), QStringList({"1000001", "1040061", "1600022"}));
}

TEST_F(PostalCodeSearch, unreadableDictionary_endsTheSearchWithAFailureKeepingResults)
{
    const QString a = dictionary("a.csv", sapporo());
    const PostalCodeSearchResult r = searcher.search("060", {a, dir.filePath("gone.csv"), a});
    EXPECT_EQ(r.entries.size(), 3);
    EXPECT_TRUE(r.failure.contains("gone.csv"));
    EXPECT_FALSE(r.stopped);
}

namespace {

// 30,000 lines over several pieces; "町2999" matches 11 of them.
QStringList manyLines()
{
    QStringList lines;
    for (int i = 0; i < 30000; ++i)
        lines.append(kenLine(QStringLiteral("%1").arg(1000000 + i), "東京都", "千代田区", QStringLiteral("町%1").arg(i)));
    return lines;
}

// Replaces text of the same length in the file and gives it back its
// modification time plus `seconds`.
void rewriteSameSize(const QString &path, const QString &from, const QString &to, int seconds)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QDateTime modified = f.fileTime(QFileDevice::FileModificationTime);
    f.close();
    QByteArray bytes = test::readBytes(path);
    ASSERT_EQ(cp932::encode(from).size(), cp932::encode(to).size());
    bytes.replace(cp932::encode(from), cp932::encode(to));
    test::writeBytes(path, bytes);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(modified.addSecs(seconds), QFileDevice::FileModificationTime));
}

} // namespace

TEST_F(PostalCodeSearch, preloadedCopy_answersWithoutReadingTheFileAgain)
{
    const QString d = dictionary("a.csv", sapporo());
    searcher.preload({d});
    ASSERT_TRUE(QTest::qWaitFor([&] { return searcher.isKept(d); }));
    rewriteSameSize(d, "旭ケ丘", "旭ヶ岳", 0);
    EXPECT_EQ(searcher.search("旭ケ丘", {d}).entries.size(), 1);
    EXPECT_TRUE(searcher.search("旭ヶ岳", {d}).entries.isEmpty());
}

TEST_F(PostalCodeSearch, fileChangedAfterThePreload_isReadAgain)
{
    const QString d = dictionary("a.csv", sapporo());
    searcher.preload({d});
    ASSERT_TRUE(QTest::qWaitFor([&] { return searcher.isKept(d); }));

    rewriteSameSize(d, "旭ケ丘", "旭ヶ岳", 5); // a new time
    EXPECT_FALSE(searcher.isKept(d));
    EXPECT_EQ(searcher.search("旭ヶ岳", {d}).entries.size(), 1);

    searcher.preload({d});
    ASSERT_TRUE(QTest::qWaitFor([&] { return searcher.isKept(d); }));
    test::writeSjisLines(d, tokyo()); // a new size
    EXPECT_EQ(codesOf(searcher.search("1", {d})), QStringList({"1000001", "1040061", "1600022"}));
}

TEST_F(PostalCodeSearch, searchDuringThePreload_followsItToTheEndAndKeepsIt)
{
    const QString d = dictionary("big.csv", manyLines());
    searcher.preload({d});
    QList<qint64> counters;
    PostalCodeSearchObserver observer;
    observer.progress = [&](qint64 n) { counters.append(n); };
    const PostalCodeSearchResult r = searcher.search("町2999", {d}, observer);
    EXPECT_EQ(r.entries.size(), 11);
    EXPECT_EQ(r.entries.first().address, "千代田区町2999");
    ASSERT_FALSE(counters.isEmpty());
    EXPECT_EQ(counters.last(), 30000);
    qint64 previous = 0;
    for (qint64 c : counters) {
        EXPECT_LE(c - previous, 5000);
        previous = c;
    }
    EXPECT_TRUE(searcher.isKept(d));
}

TEST_F(PostalCodeSearch, stopWhileThePreloadRuns_leavesItToFinishForTheNextSearch)
{
    const QString d = dictionary("big.csv", manyLines());
    searcher.preload({d});
    PostalCodeSearchObserver observer;
    observer.stopConfirmed = [] { return true; };
    EXPECT_TRUE(searcher.search("町2999", {d}, observer).stopped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return searcher.isKept(d); }));
    EXPECT_EQ(searcher.search("町2999", {d}).entries.size(), 11);
}

TEST_F(PostalCodeSearch, failedPreload_isReportedThenReadAgain)
{
    const QString d = dir.filePath("later.csv");
    searcher.preload({d});
    const PostalCodeSearchResult r = searcher.search("060", {d});
    EXPECT_TRUE(r.entries.isEmpty());
    EXPECT_TRUE(r.failure.contains("later.csv"));
    dictionary("later.csv", sapporo());
    EXPECT_EQ(searcher.search("060", {d}).entries.size(), 3);
}

TEST(PostalCodeSearchInBackground, findsAndReportsWhatTheSearchReadingItselfDoes)
{
    QTemporaryDir dir;
    QStringList paths;
    for (const auto &[name, lines] : {std::pair{"a.csv", sapporo()}, {"big.csv", manyLines()}, {"b.csv", tokyo()}}) {
        paths.append(dir.filePath(name));
        test::writeSjisLines(paths.last(), lines);
    }
    PostalCodeSearcher here;
    PostalCodeSearcher background(PostalCodeSearcher::Reading::InBackground);
    for (const QString keyword : {"町2999", "区", "060", "中央", ""}) {
        QList<qint64> hereCounters, backgroundCounters;
        PostalCodeSearchObserver observer;
        observer.progress = [&](qint64 n) { hereCounters.append(n); };
        const PostalCodeSearchResult expected = here.search(keyword, paths, observer);
        observer.progress = [&](qint64 n) { backgroundCounters.append(n); };
        const PostalCodeSearchResult r = background.search(keyword, paths, observer);
        EXPECT_EQ(r.entries, expected.entries) << keyword.toStdString();
        EXPECT_EQ(backgroundCounters, hereCounters) << keyword.toStdString();
        EXPECT_FALSE(r.stopped);
        EXPECT_TRUE(r.failure.isEmpty());
    }
    EXPECT_FALSE(here.search("区", paths).entries.isEmpty());
    for (const QString &path : paths)
        EXPECT_TRUE(background.isKept(path));
}

TEST(PostalCodeLoad, piecesCoverTheFileAndAChangeWhileReadingIsNotWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.csv");
    test::writeSjisLines(path, manyLines());

    PostalCodeLoad whole(path);
    whole.readAll();
    EXPECT_TRUE(whole.isFinished());
    EXPECT_TRUE(whole.isWhole());
    qint64 lines = 0;
    size_t pieces = 0;
    for (; whole.piece(pieces); ++pieces)
        lines += whole.piece(pieces)->lineCount();
    EXPECT_GT(pieces, 1u);
    EXPECT_EQ(lines, 30000);

    PostalCodeLoad changed(path);
    ASSERT_TRUE(changed.readPiece());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(cp932::encode(kenLine("9999999", "沖縄県", "那覇市", "おもろまち") + "\r\n"));
    f.close();
    changed.readAll();
    EXPECT_TRUE(changed.isFinished());
    EXPECT_FALSE(changed.isWhole());
    EXPECT_TRUE(changed.failure().isEmpty());

    PostalCodeLoad abandoned(path);
    ASSERT_TRUE(abandoned.readPiece());
    abandoned.abandon();
    EXPECT_FALSE(abandoned.readPiece());
    EXPECT_TRUE(abandoned.isFinished());
    EXPECT_FALSE(abandoned.isWhole());
    EXPECT_FALSE(abandoned.piece(1));
}

TEST(PostalCodeSearchTexts, statusLinesAndCaptions_countAndSplitAsShown)
{
    EXPECT_EQ(postalcodesearchtext::searching(1234), "検索中...1234");
    EXPECT_EQ(postalcodesearchtext::finished(0), "検索終了 - 0 件");
    EXPECT_EQ(postalcodesearchtext::finished(17), "検索終了 - 17 件");
    EXPECT_EQ(postalcodesearchtext::kStopQuestion, "中止しますか?");
    EXPECT_EQ(postalCodeFirstPart("0600000"), "060");
    EXPECT_EQ(postalCodeSecondPart("0600000"), "0000");
}
