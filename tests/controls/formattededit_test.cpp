#include "controls/formattededit.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const QDateTime kNow(QDate(2024, 5, 20), QTime(14, 25, 10));

FormatOptions optionFor(FormatStyle style, int decLength = 0)
{
    FormatOptions o;
    o.editStyle = style;
    o.decLength = decLength;
    return o;
}

} // namespace

TEST(FormattedTextEdit, entering_removesTheStyleFormatting)
{
    EXPECT_EQ(formattededit::unformat("1,234,567.5", FormatStyle::Comma), QStringLiteral("1234567.5"));
    EXPECT_EQ(formattededit::unformat("¥1,200", FormatStyle::Money), QStringLiteral("1200"));
    EXPECT_EQ(formattededit::unformat("\\1,200", FormatStyle::Money), QStringLiteral("1200"));
    EXPECT_EQ(formattededit::unformat("2024/03/15", FormatStyle::Date), QStringLiteral("20240315"));
    EXPECT_EQ(formattededit::unformat("09:30:00", FormatStyle::Time), QStringLiteral("093000"));
    EXPECT_EQ(formattededit::unformat("a,b/c:d", FormatStyle::None), QStringLiteral("a,b/c:d"));
}

TEST(FormattedTextEdit, typing_stopsAtMaxLength)
{
    EXPECT_TRUE(formattededit::acceptsCharacter(3, 0, false, 4));
    EXPECT_FALSE(formattededit::acceptsCharacter(4, 0, false, 4));
    EXPECT_FALSE(formattededit::acceptsCharacter(4, 3, false, 4));
    EXPECT_TRUE(formattededit::acceptsCharacter(4, 4, false, 4));
    EXPECT_TRUE(formattededit::acceptsCharacter(4, 0, true, 4));
    EXPECT_TRUE(formattededit::acceptsCharacter(100, 0, false, 0));
}

TEST(FormattedTextEdit, typedText_foldsFullWidthNumbersAndStopsAtMaxLength)
{
    FormatOptions o = optionFor(FormatStyle::Comma, 2);
    o.maxLength = 5;
    // An input method's commit string over "9" selected.
    formattededit::TypedText r = formattededit::typeText({"9", 0, 1}, u"１２．３４５", o);
    EXPECT_EQ(r.state, (formattededit::EditedText{QStringLiteral("12.34"), 5, 0}));
    EXPECT_TRUE(r.refused);
    r = formattededit::typeText({"12", 1, 0}, u"0", o);
    EXPECT_EQ(r.state, (formattededit::EditedText{QStringLiteral("102"), 2, 0}));
    EXPECT_FALSE(r.refused);

    // Free text keeps full-width characters.
    o.editStyle = FormatStyle::None;
    EXPECT_EQ(formattededit::typeText({"", 0, 0}, u"１Ａ", o).state.text, QStringLiteral("１Ａ"));
}

TEST(FormattedTextEdit, commaStyle_groupsTheIntegerPartAndChecksDecimals)
{
    const FormatOptions o = optionFor(FormatStyle::Comma, 2);
    formattededit::LeaveResult r = formattededit::leave("1234567.5", o, kNow);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.text, QStringLiteral("1,234,567.5"));
    EXPECT_EQ(formattededit::unformat(r.text, o.editStyle), QStringLiteral("1234567.5"));

    r = formattededit::leave("1.234", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("小数部有効桁数は，2 桁です"));
    EXPECT_EQ(r.text, QStringLiteral("1.234"));

    EXPECT_EQ(formattededit::leave("-1234", o, kNow).text, QStringLiteral("-1,234"));
    EXPECT_EQ(formattededit::leave("-0.5", o, kNow).text, QStringLiteral("-0.5"));
    EXPECT_EQ(formattededit::leave("-0", o, kNow).text, QStringLiteral("0"));
    EXPECT_EQ(formattededit::leave("007", o, kNow).text, QStringLiteral("7"));
    EXPECT_EQ(formattededit::leave(".5", o, kNow).text, QStringLiteral("0.5"));
    EXPECT_EQ(formattededit::leave("123456.", o, kNow).text, QStringLiteral("123,456."));
    EXPECT_EQ(formattededit::leave("+999", o, kNow).text, QStringLiteral("999"));
}

TEST(FormattedTextEdit, commaStyle_refusesTextThatIsNotANumber)
{
    const FormatOptions o = optionFor(FormatStyle::Comma, 2);
    for (const char *bad : {"12a", "1.2.3", "-", ".", "1e3", "1,234", "--1", "１２"}) {
        const formattededit::LeaveResult r = formattededit::leave(QString::fromUtf8(bad), o, kNow);
        EXPECT_FALSE(r.valid) << bad;
        EXPECT_EQ(r.message,
                  QStringLiteral("入力値 %1 は，数値として認識できません").arg(QString::fromUtf8(bad)));
    }
}

TEST(FormattedTextEdit, moneyStyle_showsTheYenSignAndGivesTheValue)
{
    const FormatOptions o = optionFor(FormatStyle::Money);
    const formattededit::LeaveResult r = formattededit::leave("1200", o, kNow);
    EXPECT_EQ(r.text, QStringLiteral("¥1,200"));
    EXPECT_EQ(formattededit::value(r.text, o.editStyle), Money::parse(u"1200"));
    EXPECT_EQ(formattededit::value("\\1,200", o.editStyle), Money::parse(u"1200"));
    EXPECT_EQ(formattededit::value("¥1,200.25", o.editStyle).scaled(), 12002500);
    EXPECT_EQ(formattededit::value("junk", o.editStyle), Money());
    EXPECT_EQ(formattededit::leave("-1200", o, kNow).text, QStringLiteral("¥-1,200"));
}

TEST(FormattedTextEdit, emptyAndOverlongTexts_areCheckedWhenAsked)
{
    FormatOptions o = optionFor(FormatStyle::Comma);
    EXPECT_TRUE(formattededit::leave("", o, kNow).valid);
    o.doEmptyCheck = true;
    formattededit::LeaveResult r = formattededit::leave("", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("値が入っていません"));

    o.maxLength = 4;
    r = formattededit::leave("12345", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 12345 は，最大入力文字数を超えています"));
    EXPECT_TRUE(formattededit::leave("1234", o, kNow).valid);
}

TEST(FormattedTextEdit, easyDate_isCompletedFromToday)
{
    FormatOptions o = optionFor(FormatStyle::Date);
    o.entryMode = EntryMode::Easy;
    EXPECT_EQ(formattededit::leave("15", o, kNow).text, QStringLiteral("2024/05/15"));
    EXPECT_EQ(formattededit::leave("0315", o, kNow).text, QStringLiteral("2024/03/15"));
    EXPECT_EQ(formattededit::leave("20231231", o, kNow).text, QStringLiteral("2023/12/31"));

    formattededit::LeaveResult r = formattededit::leave("20240230", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 20240230 は，日付として認識できません"));
    EXPECT_EQ(r.text, QStringLiteral("20240230"));

    r = formattededit::leave("0230", o, kNow); // completed to 20240230
    EXPECT_EQ(r.message, QStringLiteral("入力値 20240230 は，日付として認識できません"));
    EXPECT_FALSE(formattededit::leave("202403151", o, kNow).valid);
    EXPECT_FALSE(formattededit::leave("2024031x", o, kNow).valid);
    EXPECT_FALSE(formattededit::leave("00000101", o, kNow).valid);
}

TEST(FormattedTextEdit, fullDate_mustBeTypedWhole)
{
    const FormatOptions o = optionFor(FormatStyle::Date);
    EXPECT_EQ(formattededit::leave("20240315", o, kNow).text, QStringLiteral("2024/03/15"));
    const formattededit::LeaveResult r = formattededit::leave("15", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 15 は，日付として認識できません"));
}

TEST(FormattedTextEdit, time_isCompletedFromTheCurrentTime)
{
    FormatOptions o = optionFor(FormatStyle::Time);
    o.entryMode = EntryMode::Easy;
    EXPECT_EQ(formattededit::leave("0930", o, kNow).text, QStringLiteral("14:09:30"));
    EXPECT_EQ(formattededit::leave("235959", o, kNow).text, QStringLiteral("23:59:59"));
    const formattededit::LeaveResult r = formattededit::leave("246000", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 246000 は，時刻として認識できません"));
    EXPECT_FALSE(formattededit::leave("1260", o, kNow).valid); // 14:12:60
}

TEST(FormattedTextEdit, noneStyle_keepsTheText)
{
    const formattededit::LeaveResult r = formattededit::leave("abc", optionFor(FormatStyle::None), kNow);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.text, QStringLiteral("abc"));
}

TEST(FormattedTextEdit, setValue_formatsAsFarAsPossible)
{
    EXPECT_EQ(formattededit::textForValue(Money::fromScaled(12345000), optionFor(FormatStyle::Comma, 1),
                                   kNow),
              QStringLiteral("1,234.5"));
    EXPECT_EQ(formattededit::textForValue(Money::fromScaled(12000000), optionFor(FormatStyle::Money),
                                   kNow),
              QStringLiteral("¥1,200"));
    // Too many decimals is not reported; the grouping is still applied.
    EXPECT_EQ(formattededit::textForValue(Money::fromScaled(123456789), optionFor(FormatStyle::Comma, 2),
                                   kNow),
              QStringLiteral("12,345.6789"));
    EXPECT_EQ(formattededit::formatForAssignment("abc", optionFor(FormatStyle::Comma), kNow),
              QStringLiteral("abc"));
    EXPECT_EQ(formattededit::formatForAssignment("", optionFor(FormatStyle::Money), kNow), QString());
}

TEST(FormattedTextEdit, dateAndTime_haveNoValue)
{
    EXPECT_EQ(formattededit::value("2024/03/15", FormatStyle::Date), Money());
    EXPECT_EQ(formattededit::value("12:00:00", FormatStyle::Time), Money());
    EXPECT_EQ(formattededit::value("12.5", FormatStyle::None).scaled(), 125000);
}
