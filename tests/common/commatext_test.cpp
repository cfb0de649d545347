#include "common/commatext.h"

#include <gtest/gtest.h>

using namespace vendara;

TEST(CommaText, writer_quotesOnlyWhatNeedsQuotes)
{
    EXPECT_EQ(commatext::join({"ナビ", "150000", "1"}), QStringLiteral("ナビ,150000,1"));
    EXPECT_EQ(commatext::join({"フロア マット", "12000", ""}), QStringLiteral("\"フロア マット\",12000,"));
    EXPECT_EQ(commatext::join({"", "", ""}), QStringLiteral(",,"));
    EXPECT_EQ(commatext::join({"", ""}), QStringLiteral(","));
    EXPECT_EQ(commatext::join({"マット,バイザー"}), QStringLiteral("\"マット,バイザー\""));
    EXPECT_EQ(commatext::join({"say \"hi\""}), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(commatext::join({"a\tb"}), QStringLiteral("\"a\tb\""));
}

TEST(CommaText, reader_splitsAtCommasAndUnquotedBlanks)
{
    EXPECT_EQ(commatext::split(u"  text 100, 200 ,\"A B\""), (QStringList{"text", "100", "200", "A B"}));
    EXPECT_EQ(commatext::split(u"a,,b"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(commatext::split(u"a,b,"), (QStringList{"a", "b", ""}));
    EXPECT_EQ(commatext::split(u"\"say \"\"hi\"\"\",x"), (QStringList{"say \"hi\"", "x"}));
    EXPECT_EQ(commatext::split(u""), QStringList());
    EXPECT_EQ(commatext::split(u"   "), QStringList());
}

TEST(CommaText, writerAndReader_roundTrip)
{
    const QStringList fields{"text", "1,2", "", "a \"b\"", "ｶﾅ", " lead"};
    EXPECT_EQ(commatext::split(commatext::join(fields)), fields);
}

TEST(CommaText, gridCells_holdASpaceForEmptyFields)
{
    EXPECT_EQ(commatext::splitToGridCells(u"AC,,"), (QStringList{"AC", " ", " "}));
}

TEST(RowLine, splitsIntoExactlyTheRowsCells)
{
    EXPECT_EQ(commatext::splitRowLine(u"ナビ,150000", 3), (QStringList{"ナビ", "150000", ""}));
    EXPECT_EQ(commatext::splitRowLine(u",,", 3), (QStringList{"", "", ""}));
    EXPECT_EQ(commatext::splitRowLine(u"\"マット,バイザー\",5000,1", 3), (QStringList{"マット,バイザー", "5000", "1"}));
    EXPECT_EQ(commatext::splitRowLine(u"a\tb\tc,d", 3), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(commatext::splitRowLine(u"\"\",  ,x", 3), (QStringList{"", "", "x"}));
    EXPECT_EQ(commatext::splitRowLine(u"\"say \"\"hi\"\"\"", 2), (QStringList{"say \"hi\"", ""}));
    EXPECT_EQ(commatext::splitRowLine(u" spaced name ,1", 2), (QStringList{" spaced name ", "1"}));
    // Only ASCII blanks make a cell empty; a full-width space is text.
    EXPECT_EQ(commatext::splitRowLine(u"　, \r ,　ナビ", 3), (QStringList{"　", "", "　ナビ"}));
}

TEST(ScriptFields, splitAtEveryCommaEvenInsideQuotes)
{
    EXPECT_EQ(commatext::splitScriptFields(u"text,\"A B\",100,200"), (QStringList{"text", "A B", "100", "200"}));
    EXPECT_EQ(commatext::splitScriptFields(u"text,\"A,B\",100,200"), (QStringList{"text", "\"A", "B\"", "100", "200"}));
    EXPECT_EQ(commatext::splitScriptFields(u"lbox,100,400,2000,2700,"), (QStringList{"lbox", "100", "400", "2000", "2700"}));
    EXPECT_EQ(commatext::splitScriptFields(u"a,,b"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(commatext::splitScriptFields(u"a\t\"\"\t\"x\"\"y\"tail"), (QStringList{"a", "", "x\"y"}));
    EXPECT_EQ(commatext::splitScriptFields(u" spaced ,x"), (QStringList{" spaced ", "x"}));
    EXPECT_EQ(commatext::splitScriptFields(u""), QStringList());
}

TEST(ScriptFields, unclosedQuote_isCopiedUnchanged)
{
    EXPECT_EQ(commatext::splitScriptFields(u"text,\"open"), (QStringList{"text", "\"open"}));
}
