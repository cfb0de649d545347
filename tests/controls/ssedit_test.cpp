#include "controls/ssedit.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const QDateTime kNow(QDate(2024, 5, 20), QTime(14, 25, 10));

SsEditOption optionFor(SsEditStyle style, int decLength = 0)
{
    SsEditOption o;
    o.editStyle = style;
    o.decLength = decLength;
    return o;
}

} // namespace

TEST(SsEdit, entering_removesTheStyleFormatting)
{
    EXPECT_EQ(ssedit::unformat("1,234,567.5", SsEditStyle::esComma), QStringLiteral("1234567.5"));
    EXPECT_EQ(ssedit::unformat("¥1,200", SsEditStyle::esMoney), QStringLiteral("1200"));
    EXPECT_EQ(ssedit::unformat("\\1,200", SsEditStyle::esMoney), QStringLiteral("1200"));
    EXPECT_EQ(ssedit::unformat("2024/03/15", SsEditStyle::esDate), QStringLiteral("20240315"));
    EXPECT_EQ(ssedit::unformat("09:30:00", SsEditStyle::esTime), QStringLiteral("093000"));
    EXPECT_EQ(ssedit::unformat("a,b/c:d", SsEditStyle::esNone), QStringLiteral("a,b/c:d"));
}

TEST(SsEdit, typing_stopsAtMaxLength)
{
    EXPECT_TRUE(ssedit::acceptsCharacter(3, 0, false, 4));
    EXPECT_FALSE(ssedit::acceptsCharacter(4, 0, false, 4));
    EXPECT_FALSE(ssedit::acceptsCharacter(4, 3, false, 4));
    EXPECT_TRUE(ssedit::acceptsCharacter(4, 4, false, 4));
    EXPECT_TRUE(ssedit::acceptsCharacter(4, 0, true, 4));
    EXPECT_TRUE(ssedit::acceptsCharacter(100, 0, false, 0));
}

TEST(SsEdit, typedText_foldsFullWidthNumbersAndStopsAtMaxLength)
{
    SsEditOption o = optionFor(SsEditStyle::esComma, 2);
    o.maxLength = 5;
    // An input method's commit string over "9" selected.
    ssedit::TypedText r = ssedit::typeText({"9", 0, 1}, u"１２．３４５", o);
    EXPECT_EQ(r.state, (ssedit::SsEditText{QStringLiteral("12.34"), 5, 0}));
    EXPECT_TRUE(r.refused);
    r = ssedit::typeText({"12", 1, 0}, u"0", o);
    EXPECT_EQ(r.state, (ssedit::SsEditText{QStringLiteral("102"), 2, 0}));
    EXPECT_FALSE(r.refused);

    // Free text keeps full-width characters.
    o.editStyle = SsEditStyle::esNone;
    EXPECT_EQ(ssedit::typeText({"", 0, 0}, u"１Ａ", o).state.text, QStringLiteral("１Ａ"));
}

TEST(SsEdit, commaStyle_groupsTheIntegerPartAndChecksDecimals)
{
    const SsEditOption o = optionFor(SsEditStyle::esComma, 2);
    ssedit::LeaveResult r = ssedit::leave("1234567.5", o, kNow);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.text, QStringLiteral("1,234,567.5"));
    EXPECT_EQ(ssedit::unformat(r.text, o.editStyle), QStringLiteral("1234567.5"));

    r = ssedit::leave("1.234", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("小数部有効桁数は，2 桁です"));
    EXPECT_EQ(r.text, QStringLiteral("1.234"));

    EXPECT_EQ(ssedit::leave("-1234", o, kNow).text, QStringLiteral("-1,234"));
    EXPECT_EQ(ssedit::leave("-0.5", o, kNow).text, QStringLiteral("-0.5"));
    EXPECT_EQ(ssedit::leave("-0", o, kNow).text, QStringLiteral("0"));
    EXPECT_EQ(ssedit::leave("007", o, kNow).text, QStringLiteral("7"));
    EXPECT_EQ(ssedit::leave(".5", o, kNow).text, QStringLiteral("0.5"));
    EXPECT_EQ(ssedit::leave("123456.", o, kNow).text, QStringLiteral("123,456."));
    EXPECT_EQ(ssedit::leave("+999", o, kNow).text, QStringLiteral("999"));
}

TEST(SsEdit, commaStyle_refusesTextThatIsNotANumber)
{
    const SsEditOption o = optionFor(SsEditStyle::esComma, 2);
    for (const char *bad : {"12a", "1.2.3", "-", ".", "1e3", "1,234", "--1", "１２"}) {
        const ssedit::LeaveResult r = ssedit::leave(QString::fromUtf8(bad), o, kNow);
        EXPECT_FALSE(r.valid) << bad;
        EXPECT_EQ(r.message,
                  QStringLiteral("入力値 %1 は，数値として認識できません").arg(QString::fromUtf8(bad)));
    }
}

TEST(SsEdit, moneyStyle_showsTheYenSignAndGivesTheValue)
{
    const SsEditOption o = optionFor(SsEditStyle::esMoney);
    const ssedit::LeaveResult r = ssedit::leave("1200", o, kNow);
    EXPECT_EQ(r.text, QStringLiteral("¥1,200"));
    EXPECT_EQ(ssedit::value(r.text, o.editStyle), Money::parse(u"1200"));
    EXPECT_EQ(ssedit::value("\\1,200", o.editStyle), Money::parse(u"1200"));
    EXPECT_EQ(ssedit::value("¥1,200.25", o.editStyle).scaled(), 12002500);
    EXPECT_EQ(ssedit::value("junk", o.editStyle), Money());
    EXPECT_EQ(ssedit::leave("-1200", o, kNow).text, QStringLiteral("¥-1,200"));
}

TEST(SsEdit, emptyAndOverlongTexts_areCheckedWhenAsked)
{
    SsEditOption o = optionFor(SsEditStyle::esComma);
    EXPECT_TRUE(ssedit::leave("", o, kNow).valid);
    o.doEmptyCheck = true;
    ssedit::LeaveResult r = ssedit::leave("", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("値が入っていません"));

    o.maxLength = 4;
    r = ssedit::leave("12345", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 12345 は，最大入力文字数を超えています"));
    EXPECT_TRUE(ssedit::leave("1234", o, kNow).valid);
}

TEST(SsEdit, easyDate_isCompletedFromToday)
{
    SsEditOption o = optionFor(SsEditStyle::esDate);
    o.inputMethod = InputMethod::imEasy;
    EXPECT_EQ(ssedit::leave("15", o, kNow).text, QStringLiteral("2024/05/15"));
    EXPECT_EQ(ssedit::leave("0315", o, kNow).text, QStringLiteral("2024/03/15"));
    EXPECT_EQ(ssedit::leave("20231231", o, kNow).text, QStringLiteral("2023/12/31"));

    ssedit::LeaveResult r = ssedit::leave("20240230", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 20240230 は，日付として認識できません"));
    EXPECT_EQ(r.text, QStringLiteral("20240230"));

    r = ssedit::leave("0230", o, kNow); // completed to 20240230
    EXPECT_EQ(r.message, QStringLiteral("入力値 20240230 は，日付として認識できません"));
    EXPECT_FALSE(ssedit::leave("202403151", o, kNow).valid);
    EXPECT_FALSE(ssedit::leave("2024031x", o, kNow).valid);
    EXPECT_FALSE(ssedit::leave("00000101", o, kNow).valid);
}

TEST(SsEdit, fullDate_mustBeTypedWhole)
{
    const SsEditOption o = optionFor(SsEditStyle::esDate);
    EXPECT_EQ(ssedit::leave("20240315", o, kNow).text, QStringLiteral("2024/03/15"));
    const ssedit::LeaveResult r = ssedit::leave("15", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 15 は，日付として認識できません"));
}

TEST(SsEdit, time_isCompletedFromTheCurrentTime)
{
    SsEditOption o = optionFor(SsEditStyle::esTime);
    o.inputMethod = InputMethod::imEasy;
    EXPECT_EQ(ssedit::leave("0930", o, kNow).text, QStringLiteral("14:09:30"));
    EXPECT_EQ(ssedit::leave("235959", o, kNow).text, QStringLiteral("23:59:59"));
    const ssedit::LeaveResult r = ssedit::leave("246000", o, kNow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.message, QStringLiteral("入力値 246000 は，時刻として認識できません"));
    EXPECT_FALSE(ssedit::leave("1260", o, kNow).valid); // 14:12:60
}

TEST(SsEdit, noneStyle_keepsTheText)
{
    const ssedit::LeaveResult r = ssedit::leave("abc", optionFor(SsEditStyle::esNone), kNow);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.text, QStringLiteral("abc"));
}

TEST(SsEdit, setValue_formatsAsFarAsPossible)
{
    EXPECT_EQ(ssedit::textForValue(Money::fromScaled(12345000), optionFor(SsEditStyle::esComma, 1),
                                   kNow),
              QStringLiteral("1,234.5"));
    EXPECT_EQ(ssedit::textForValue(Money::fromScaled(12000000), optionFor(SsEditStyle::esMoney),
                                   kNow),
              QStringLiteral("¥1,200"));
    // Too many decimals is not reported; the grouping is still applied.
    EXPECT_EQ(ssedit::textForValue(Money::fromScaled(123456789), optionFor(SsEditStyle::esComma, 2),
                                   kNow),
              QStringLiteral("12,345.6789"));
    EXPECT_EQ(ssedit::formatForAssignment("abc", optionFor(SsEditStyle::esComma), kNow),
              QStringLiteral("abc"));
    EXPECT_EQ(ssedit::formatForAssignment("", optionFor(SsEditStyle::esMoney), kNow), QString());
}

TEST(SsEdit, dateAndTime_haveNoValue)
{
    EXPECT_EQ(ssedit::value("2024/03/15", SsEditStyle::esDate), Money());
    EXPECT_EQ(ssedit::value("12:00:00", SsEditStyle::esTime), Money());
    EXPECT_EQ(ssedit::value("12.5", SsEditStyle::esNone).scaled(), 125000);
}
