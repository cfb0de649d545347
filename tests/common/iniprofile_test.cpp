#include "common/iniprofile.h"

#include "support/testdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

IniProfile sample()
{
    return IniProfile::fromText(u"; comment line\r\n"
                                u"[Cust]\r\n"
                                u"Name = \"  山田 太郎  \" \r\n"
                                u"zip1=100\r\n"
                                u"\r\n"
                                u"[car]\r\n"
                                u"Kiro=0x1F\r\n"
                                u"ESize=1500cc\r\n"
                                u"Price=-200\r\n"
                                u"Rate=3.9\r\n"
                                u"First=2024/05/01\r\n"
                                u"Check=2024/13/01\r\n"
                                u"Kiro=999\r\n"
                                u"Big=99999999999\r\n");
}

} // namespace

TEST(IniProfile, readsValuesWithTheEncodingRules)
{
    const IniProfile ini = sample();
    EXPECT_EQ(ini.readString("CUST", "name"), QStringLiteral("  山田 太郎  "));
    EXPECT_EQ(ini.readString("Cust", "Zip1"), QStringLiteral("100"));
    EXPECT_EQ(ini.readInt("Car", "Kiro", 0), 31);            // hexadecimal, first occurrence
    EXPECT_EQ(ini.readInt("Car", "ESize", 7), 7);            // not a whole number
    EXPECT_EQ(ini.readInt("Car", "Price", 0), -200);
    EXPECT_EQ(ini.readInt("Car", "Big", 5), 5);              // does not fit
    EXPECT_EQ(ini.readInt64("Car", "Big").value_or(0), 99999999999LL);
    EXPECT_DOUBLE_EQ(ini.readFloat("Car", "Rate", 0), 3.9);
    EXPECT_DOUBLE_EQ(ini.readFloat("Car", "ESize", 1.5), 1.5);
    EXPECT_EQ(ini.readDate("Car", "First", kZeroDate), QDate(2024, 5, 1));
    EXPECT_EQ(ini.readDate("Car", "Check", kZeroDate), kZeroDate);  // malformed
    EXPECT_TRUE(ini.readBool("Car", "Price", false));
    EXPECT_EQ(ini.readString("Missing", "Key", "def"), QStringLiteral("def"));
    EXPECT_EQ(ini.readString("Cust", "Missing", "def"), QStringLiteral("def"));
}

TEST(IniProfile, missingFile_givesDefaults)
{
    const IniProfile ini = IniProfile::load(QStringLiteral("/nonexistent/x.ini"));
    EXPECT_EQ(ini.readInt("Slip", "No", 42), 42);
    EXPECT_TRUE(ini.sectionNames().isEmpty());
}

TEST(IniProfile, writing_keepsUntouchedLinesByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    const QByteArray original = "; header comment\r\n"
                                "[Cust]\r\n"
                                "Name=\x8e\x52\x93\x63\r\n" // 山田
                                "  Odd = spaced  \r\n"
                                "\r\n"
                                "[Car]\r\n"
                                "Kiro=5\r\n";
    test::writeBytes(path, original);
    IniProfile ini = IniProfile::load(path);
    ini.writeInt("car", "KIRO", 7);      // replaced where it stands
    ini.writeString("Cust", "Tel", "03"); // appended at the end of its section
    ini.writeString("Note", "Memo1", ""); // new section at the end
    ini.save(path);
    EXPECT_EQ(test::readBytes(path), QByteArray("; header comment\r\n"
                                                "[Cust]\r\n"
                                                "Name=\x8e\x52\x93\x63\r\n"
                                                "  Odd = spaced  \r\n"
                                                "Tel=03\r\n"
                                                "\r\n"
                                                "[Car]\r\n"
                                                "Kiro=7\r\n"
                                                "[Note]\r\n"
                                                "Memo1=\r\n"));
}

TEST(IniProfile, valuesOfAnyLength_areReadWhole)
{
    const QString longValue(5000, u'あ');
    IniProfile ini;
    ini.writeString("S", "K", longValue);
    const IniProfile back = IniProfile::fromText(ini.toText());
    EXPECT_EQ(back.readString("S", "K"), longValue);
}

TEST(IniProfile, floats_areWrittenInShortestForm)
{
    EXPECT_EQ(IniProfile::formatFloat(5), QStringLiteral("5"));
    EXPECT_EQ(IniProfile::formatFloat(3.9), QStringLiteral("3.9"));
    EXPECT_EQ(IniProfile::formatFloat(1500000), QStringLiteral("1500000"));
    EXPECT_EQ(IniProfile::formatFloat(-0.0), QStringLiteral("0"));
    EXPECT_EQ(IniProfile::formatFloat(0.1 + 0.2), QStringLiteral("0.30000000000000004"));
}

TEST(IniProfile, datesAndBooleans_readBackAsWritten)
{
    IniProfile ini;
    ini.writeDate("D", "A", QDate(2026, 12, 7));
    ini.writeDate("D", "Z", kZeroDate);
    ini.writeDate("D", "Invalid", QDate());
    ini.writeBool("D", "T", true);
    ini.writeBool("D", "F", false);
    EXPECT_EQ(ini.readString("D", "A"), QStringLiteral("2026/12/07"));
    EXPECT_EQ(ini.readString("D", "Z"), QStringLiteral("1899/12/30"));
    EXPECT_EQ(ini.readString("D", "Invalid"), QStringLiteral("1899/12/30"));
    EXPECT_EQ(ini.readString("D", "T"), QStringLiteral("1"));
    EXPECT_FALSE(ini.readBool("D", "F", true));
}

TEST(IniProfile, sectionNamesAndEntries_comeInFileOrder)
{
    const IniProfile ini = IniProfile::fromText(u"[B]\nz=1\na = \"x, y\"\n;note\n[A]\nk=v\n[b]\nlate=1\n");
    EXPECT_EQ(ini.sectionNames(), (QStringList{"B", "A"}));
    const auto entries = ini.sectionEntries("b");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].first, QStringLiteral("z"));
    EXPECT_EQ(entries[1].first, QStringLiteral("a"));
    EXPECT_EQ(entries[1].second, QStringLiteral("x, y"));
    EXPECT_FALSE(ini.hasKey("B", "late")); // only the first occurrence of a section counts
}

TEST(IniProfile, singleQuotes_areDroppedOnlyWhenAsked)
{
    const QString text = QStringLiteral("[S]\nA='x y'\nB=\"z\"\nC='half\n");
    const IniProfile plain = IniProfile::fromText(text);
    const IniProfile format = IniProfile::fromText(text, IniProfile::Quotes::DoubleOrSingle);
    EXPECT_EQ(plain.readString("S", "A"), QStringLiteral("'x y'"));
    EXPECT_EQ(format.readString("S", "A"), QStringLiteral("x y"));
    EXPECT_EQ(format.readString("S", "B"), QStringLiteral("z"));
    EXPECT_EQ(format.readString("S", "C"), QStringLiteral("'half"));
}

TEST(IniProfile, names_matchWithoutRegardToCaseAlsoBeyondAscii)
{
    const IniProfile ini = IniProfile::fromText(u"[Ｃａｒ]\nＫｅｙ=wide\n[CaR]\nPrIcE=5\n");
    EXPECT_EQ(ini.readString("ｃａｒ", "ｋｅｙ"), QStringLiteral("wide"));
    EXPECT_EQ(ini.readInt("car", "price", 0), 5);
    EXPECT_EQ(ini.readInt("CAR", "PRICE", 0), 5);
}

TEST(IniProfile, fullWidthSpaces_areTextNotBlanks)
{
    const IniProfile ini = IniProfile::fromText(u"[Note]\r\n"
                                                u"Memo1=　よろしくお願いします　\r\n"
                                                u"Memo2= \t 　字下げ \r\n"
                                                u"[Tax]\r\n"
                                                u"Std=　90\r\n");
    EXPECT_EQ(ini.readString("Note", "Memo1"), QStringLiteral("　よろしくお願いします　"));
    EXPECT_EQ(ini.readString("Note", "Memo2"), QStringLiteral("　字下げ"));
    EXPECT_EQ(ini.readInt("Tax", "Std", 7), 7); // a full-width space is not a blank before a number
}

TEST(IniProfile, everyStringWritten_readsBackExactly)
{
    const QStringList values{QStringLiteral("\"山田商会\""), QStringLiteral("\"\""), QStringLiteral("\"a\",\"b\""),
                             QStringLiteral(" 前 "), QStringLiteral("\t"), QStringLiteral("　全角　"),
                             QStringLiteral("\"開き"), QStringLiteral("閉じ\""), QStringLiteral("\""),
                             QStringLiteral("'単'"), QStringLiteral("plain"), QString()};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.ini"));
    for (IniProfile::Quotes quotes : {IniProfile::Quotes::Double, IniProfile::Quotes::DoubleOrSingle}) {
        IniProfile ini;
        for (qsizetype i = 0; i < values.size(); ++i)
            ini.writeString(QStringLiteral("S"), QString::number(i), values[i]);
        ini.save(path);
        const IniProfile back = IniProfile::load(path, quotes);
        for (qsizetype i = 0; i < values.size(); ++i)
            EXPECT_EQ(back.readString(QStringLiteral("S"), QString::number(i)), values[i]) << values[i].toStdString();
    }
    // What needs no protection is written as it stands.
    IniProfile ini;
    ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a \"b\" c"));
    EXPECT_EQ(ini.lines().last(), QStringLiteral("K=a \"b\" c"));
}

TEST(IniProfile, floats_areDecimalNumbersAndNothingElse)
{
    for (const char16_t *good : {u"12345.5", u" -0.5 ", u"+3", u"1e3", u".5", u"5."})
        EXPECT_TRUE(IniProfile::parseFloat(good).has_value()) << QString::fromUtf16(good).toStdString();
    for (const char16_t *bad : {u"12,345.5", u"2,500", u"1 000", u"inf", u"nan", u"0x10", u"", u".", u"1e", u"５"})
        EXPECT_FALSE(IniProfile::parseFloat(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    const IniProfile ini = IniProfile::fromText(u"[Credit]\r\nRate=12,345.5\r\n[Print]\r\nFix_X=2,500\r\n");
    EXPECT_EQ(ini.readFloat("Credit", "Rate", 0), 0);
    EXPECT_EQ(ini.readFloat("Print", "Fix_X", 1.5), 1.5);
}
