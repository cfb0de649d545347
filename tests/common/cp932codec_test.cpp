#include "common/cp932codec.h"
#include "common/error.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

QByteArray iconvToCp932(const QString &text)
{
    QProcess p;
    p.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QStringLiteral("CP932")});
    p.write(text.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished();
    return p.readAllStandardOutput();
}

} // namespace

TEST(Cp932Codec, windowsCharacters_roundTrip)
{
    const QString text = QStringLiteral("①㈱髙～ＡＢＣ１２３ｱｲｳｴｵ\\~ 東京都");
    const QByteArray bytes = cp932::encode(text);
    EXPECT_EQ(cp932::decode(bytes), text);
}

TEST(Cp932Codec, encoding_matchesIconv)
{
    const QString text = QStringLiteral("①から～まで ｶﾞｿﾘﾝ 〜 ㈲ 髙橋 ¥100");
    EXPECT_EQ(cp932::encode(text), iconvToCp932(text));
}

TEST(Cp932Codec, lookAlikeCharacters_takeTheirWindowsBytes)
{
    EXPECT_EQ(cp932::encode(QStringLiteral("〜")), QByteArray("\x81\x60"));      // wave dash typed on Linux
    EXPECT_EQ(cp932::encode(QStringLiteral("①")), QByteArray("\x87\x40"));
    EXPECT_EQ(cp932::encode(QStringLiteral("¥")), QByteArray("\x5c"));
    EXPECT_EQ(cp932::encode(QStringLiteral("ｱ")), QByteArray("\xb1"));
    EXPECT_EQ(cp932::decode(QByteArray("\x5c")), QStringLiteral("\\"));
    EXPECT_EQ(cp932::decode(QByteArray("\x81\x60")), QStringLiteral("～"));
}

TEST(Cp932Codec, invalidBytes_decodeToReplacementWithoutCuttingText)
{
    // 0xA0 is unassigned, 0x81 0x20 an invalid pair, 0x88 a lead byte at the end.
    const QString text = cp932::decode(QByteArray("ab\xa0" "cd\x81 ef\x88"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("ab\uFFFDcd")));
    EXPECT_TRUE(text.contains(QStringLiteral("ef")));
    EXPECT_TRUE(text.endsWith(QChar(0xFFFD)));
}

TEST(Cp932Codec, unencodableCharacter_isAClearError)
{
    EXPECT_EQ(cp932::firstUnencodable(QStringLiteral("abc😀")), QStringLiteral("😀"));
    EXPECT_EQ(cp932::firstUnencodable(QStringLiteral("東京")), QString());
    try {
        cp932::encode(QStringLiteral("ok 한"));
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("한")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+D55C")));
    }
}

TEST(Cp932Codec, emptyAndAsciiTexts_passUnchanged)
{
    EXPECT_EQ(cp932::decode(QByteArray()), QString());
    EXPECT_EQ(cp932::encode(QString()), QByteArray());
    EXPECT_EQ(cp932::encode(QStringLiteral("Key=Value")), QByteArray("Key=Value"));
}
