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

TEST(StorableName, ordinaryJapaneseNamesPass)
{
    for (const QString &name : {QStringLiteral("トヨタ"), QStringLiteral("自家用乗用（2019年10月以降登録）"),
                                QStringLiteral("KEN_ALL.CSV"), QStringLiteral("a b"), QStringLiteral("..a")}) {
        EXPECT_TRUE(isStorableName(name)) << name.toStdString();
        EXPECT_NO_THROW(requireStorableName(name));
    }
}

TEST(StorableName, namesThatLeaveTheFolderOrBreakTheListAreRefusedWithAReason)
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

TEST(StorableName, theFolderListFileIsReservedWhateverItsCase)
{
    EXPECT_FALSE(isStorableName(QStringLiteral("Maker.dat"), {QStringLiteral("Maker.dat")}));
    EXPECT_FALSE(isStorableName(QStringLiteral("MAKER.DAT"), {QStringLiteral("Maker.dat")}));
    EXPECT_TRUE(refusalOf(QStringLiteral("ziplist"), {QStringLiteral("ziplist")}).contains(QStringLiteral("一覧ファイル")));
    EXPECT_TRUE(isStorableName(QStringLiteral("Maker.dat")));
}
