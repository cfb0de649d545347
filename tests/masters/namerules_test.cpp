#include "masters/namerules.h"

#include "common/error.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

QString refusalOf(const QString &name, const QStringList &reserved = {})
{
    try {
        requireStorableName(name, reserved);
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(StorableName, ordinaryJapaneseNames_pass)
{
    for (const QString &name : {QStringLiteral("トヨタ"), QStringLiteral("自家用乗用（2019年10月以降登録）"),
                                QStringLiteral("KEN_ALL.CSV"), QStringLiteral("a b"), QStringLiteral("..a")}) {
        EXPECT_TRUE(isStorableName(name)) << name.toStdString();
        EXPECT_NO_THROW(requireStorableName(name));
    }
}

TEST(StorableName, namesThatLeaveTheFolderOrBreakTheList_areRefusedWithAReason)
{
    EXPECT_TRUE(refusalOf(QStringLiteral("../Maker.dat")).contains(QStringLiteral("ファイル名として使えません")));
    EXPECT_FALSE(refusalOf(QStringLiteral("..")).isEmpty());
    EXPECT_FALSE(refusalOf(QStringLiteral(".")).isEmpty());
    EXPECT_FALSE(refusalOf(QString()).isEmpty());
    EXPECT_FALSE(refusalOf(QStringLiteral("a") + QChar(0) + QStringLiteral("b")).isEmpty());
    EXPECT_TRUE(refusalOf(QStringLiteral("a\r\nb")).contains(QStringLiteral("制御文字")));
    EXPECT_TRUE(refusalOf(QStringLiteral("😀")).contains(QStringLiteral("Shift-JIS")));
    for (const QString &bad : {QStringLiteral("/etc/passwd"), QStringLiteral("a\tb"), QStringLiteral("€")})
        EXPECT_FALSE(isStorableName(bad)) << bad.toStdString();
}

TEST(StorableName, theFolderListFile_isReservedWhateverItsCase)
{
    EXPECT_FALSE(isStorableName(QStringLiteral("Maker.dat"), {QStringLiteral("Maker.dat")}));
    EXPECT_FALSE(isStorableName(QStringLiteral("MAKER.DAT"), {QStringLiteral("Maker.dat")}));
    EXPECT_TRUE(refusalOf(QStringLiteral("ziplist"), {QStringLiteral("ziplist")}).contains(QStringLiteral("一覧ファイル")));
    EXPECT_TRUE(isStorableName(QStringLiteral("Maker.dat")));
}

TEST(FileNameKey, namesOneFileWhereCaseAndTrailingBlanksAndDotsAreNotToldApart)
{
    EXPECT_EQ(fileNameKey(QStringLiteral("Honda")), fileNameKey(QStringLiteral("HONDA")));
    EXPECT_EQ(fileNameKey(QStringLiteral("Honda")), fileNameKey(QStringLiteral("honda. .")));
    EXPECT_EQ(fileNameKey(QStringLiteral("ＢＭＷ")), fileNameKey(QStringLiteral("ｂｍｗ")));
    EXPECT_NE(fileNameKey(QStringLiteral("トヨタ")), fileNameKey(QStringLiteral(" トヨタ")));
    EXPECT_NE(fileNameKey(QStringLiteral("トヨタ")), fileNameKey(QStringLiteral("トヨタ\u3000")));
    EXPECT_NE(fileNameKey(QStringLiteral("a.b")), fileNameKey(QStringLiteral("ab")));
}

// Every reason a name can't be an entry's file, each with its own message,
// for an entry kind with a prefix and one with a suffix.
TEST(EntryNames, newNames_areRefusedWithTheReason)
{
    const EntryNames makers(QStringLiteral("メーカー"), QString(), QString(), {QStringLiteral("Maker.dat")});
    const QStringList others = {QStringLiteral("トヨタ"), QStringLiteral(" "), QStringLiteral("Honda")};
    const auto problem = [&](const QString &name) { return makers.newNameProblem(name, others); };

    EXPECT_EQ(problem(QStringLiteral("日産")), QString());
    EXPECT_EQ(problem(QStringLiteral("トヨタ")), QStringLiteral("メーカー「トヨタ」は既にあります。"));
    EXPECT_EQ(problem(QStringLiteral("honda.")), QStringLiteral("「honda.」はメーカー「Honda」と区別できないため使えません。"));
    EXPECT_EQ(problem(QStringLiteral("  ")), QStringLiteral("メーカー名を入力してください。"));
    EXPECT_EQ(problem(QStringLiteral("AB/CD")), QStringLiteral("'AB/CD' はファイル名として使えません(「/」は使えません)"));
    EXPECT_TRUE(problem(QStringLiteral("...")).contains(QStringLiteral("「.」と空白だけ")));
    EXPECT_TRUE(problem(QStringLiteral("a\tb")).contains(QStringLiteral("制御文字")));
    EXPECT_TRUE(problem(QStringLiteral("Ⅻ😀")).contains(QStringLiteral("Shift-JIS")));
    EXPECT_TRUE(problem(QStringLiteral("maker.DAT")).contains(QStringLiteral("プログラムが使うファイル")));
    EXPECT_TRUE(problem(QString(86, QChar(u'長'))).contains(QStringLiteral("長すぎます"))); // 258 bytes
    EXPECT_EQ(problem(QString(85, QChar(u'長'))), QString());                             // 255 bytes
    EXPECT_THROW(makers.requireNewName(QStringLiteral("トヨタ"), others), Error);
    EXPECT_NO_THROW(makers.requireNewName(QStringLiteral("トヨタ"), {}));
    EXPECT_EQ(makers.entrySharingFile(QStringLiteral("HONDA"), others).value_or(-1), 2);
    EXPECT_FALSE(makers.entrySharingFile(QStringLiteral(" "), {QStringLiteral("  ")})); // blank rows have no file

    // The prefix and suffix count: for the length and for the reserved files.
    const EntryNames categories(QStringLiteral("分類"), QStringLiteral("AQT"), QString(),
                                {QStringLiteral("AqTax"), QStringLiteral("CompIns")});
    EXPECT_EQ(categories.fileName(QStringLiteral("自家用")), QStringLiteral("AQT自家用"));
    EXPECT_TRUE(categories.storageProblem(QStringLiteral("AX")).contains(QStringLiteral("プログラムが使うファイル")));
    EXPECT_TRUE(categories.isStorable(QStringLiteral("CompIns")));
    EXPECT_TRUE(categories.storageProblem(QString(85, QChar(u'長'))).contains(QStringLiteral("長すぎます")));

    // A set "tmp" would be the editor's work file Tmp.dat.
    const EntryNames &sets = companyBlockSetNames();
    EXPECT_EQ(sets.fileName(QStringLiteral("本店")), QStringLiteral("本店.Dat"));
    EXPECT_FALSE(sets.isStorable(QStringLiteral("tmp")));
    EXPECT_EQ(sets.newNameProblem(QStringLiteral("本店"), {QStringLiteral("デフォルト")}), QString());
    EXPECT_EQ(sets.newNameProblem(QStringLiteral("ABC"), {QStringLiteral("abc")}),
              QStringLiteral("「ABC」は設定「abc」と区別できないため使えません。"));
}
