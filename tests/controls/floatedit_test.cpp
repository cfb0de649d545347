#include "controls/floatedit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vendara;
using Kind = floatedit::KeyResult::Kind;

namespace {

FloatEditConfig amountField(double max)
{
    FloatEditConfig c;
    c.range.setMax(max);
    c.digits = 0;
    c.supportsThousandSeparator = true;
    return c;
}

FloatEditText caretAtEnd(const QString &text)
{
    return FloatEditText{text, text.size(), 0};
}

floatedit::KeyResult type(const QString &text, QChar key, const FloatEditConfig &c)
{
    return floatedit::typeKey(caretAtEnd(text), key, c);
}

} // namespace

TEST(FloatEdit, valueRead_ignoresSeparatorsAndClamps)
{
    FloatEditConfig c = amountField(10'000'000);
    EXPECT_EQ(floatedit::readValue("1,234", c), 1234);
    EXPECT_EQ(floatedit::readValue("", c), 0);
    EXPECT_EQ(floatedit::readValue("-", c), 0);
    EXPECT_EQ(floatedit::readValue(".", c), 0);
    EXPECT_EQ(floatedit::readValue("E", c), 0);
    EXPECT_EQ(floatedit::readValue("99999999", c), 10'000'000);
    EXPECT_EQ(floatedit::readValue("-5", c), 0);
    c.range.setMin(5);
    EXPECT_EQ(floatedit::readValue("abc", c), 5);
    EXPECT_EQ(floatedit::readValue("1e2", c), 100);
    EXPECT_EQ(floatedit::readValue("7.", c), 7);
    EXPECT_EQ(floatedit::readValue(" 7 ", c), 7);
    EXPECT_DOUBLE_EQ(floatedit::readValue("5.5", FloatEditConfig()), 5.5);
    EXPECT_DOUBLE_EQ(floatedit::readValue(".5", FloatEditConfig()), 0.5);
}

TEST(FloatEdit, valueWrite_clampsAndFormats)
{
    FloatEditConfig c; // 0..100, one decimal
    floatedit::ValueWrite w = floatedit::writeValue(12.25, c);
    EXPECT_EQ(w.text, QStringLiteral("12.3"));
    EXPECT_FALSE(w.feedback.hasMessage());

    w = floatedit::writeValue(150, c);
    EXPECT_EQ(w.text, QStringLiteral("100.0"));
    EXPECT_EQ(w.value, 100);
    EXPECT_FALSE(w.feedback.hasMessage()); // no ErrorMessage set: nothing shown

    c.errorMessage = QStringLiteral("範囲外です");
    EXPECT_EQ(floatedit::writeValue(-1, c).feedback.message, QStringLiteral("範囲外です"));
    EXPECT_EQ(floatedit::writeValue(std::nan(""), c).value, 0);

    EXPECT_EQ(floatedit::writeValue(1234567, amountField(1e9)).text, QStringLiteral("1,234,567"));
    c.digits = 40;
    EXPECT_EQ(c.effectiveDigits(), 18);
    c.digits = -3;
    EXPECT_EQ(floatedit::writeValue(2.5, c).text, QStringLiteral("3"));
}

TEST(FloatEdit, limits_mustNotCross)
{
    FloatRange r;
    EXPECT_EQ(r.setMin(200), FloatRange::kMinAboveMaxMessage);
    EXPECT_EQ(r.min(), 0);
    EXPECT_EQ(r.setMax(-1), FloatRange::kMaxBelowMinMessage);
    EXPECT_EQ(r.max(), 100);
    EXPECT_EQ(FloatRange::kMinAboveMaxMessage,
              QStringLiteral("Minimum value must not be greater than maximum value !"));
    EXPECT_EQ(FloatRange::kMaxBelowMinMessage,
              QStringLiteral("Maximum value must not be less than minimum value !"));

    EXPECT_EQ(r.setMin(200, true), std::nullopt); // while loading
    EXPECT_EQ(r.setMax(50, true), std::nullopt);
    r.finishLoading();
    EXPECT_EQ(r.min(), 50);
    EXPECT_EQ(r.max(), 200);
}

TEST(FloatEdit, wholeNumberField_refusesSeparatorAndValuesAboveMax)
{
    const FloatEditConfig c = amountField(10'000'000);
    EXPECT_EQ(type("123", u'.', c).kind, Kind::Refused);
    EXPECT_EQ(type("1000000", u'1', c).kind, Kind::Refused); // 10,000,001
    const floatedit::KeyResult ok = type("1000000", u'0', c);
    EXPECT_EQ(ok.kind, Kind::Accepted);
    EXPECT_EQ(ok.state, (FloatEditText{QStringLiteral("10000000"), 8, 0}));
    EXPECT_EQ(type("1,000,000", u'1', c).kind, Kind::Refused);
    EXPECT_EQ(type("1,000", u',', c).kind, Kind::Accepted);
    EXPECT_EQ(type("12", u'a', c).kind, Kind::Refused);
    EXPECT_EQ(type("12", u'+', c).kind, Kind::Refused);
    EXPECT_EQ(type("12", u' ', c).kind, Kind::Refused);
}

TEST(FloatEdit, wholeNumberField_refusesSeparatorOverEmptyOrSelectedText)
{
    // The usual state after entering a field: empty, or all selected.
    const FloatEditConfig c = amountField(100'000'000);
    EXPECT_EQ(type("", u'.', c).kind, Kind::Refused);
    EXPECT_EQ(floatedit::typeKey(FloatEditText{"1,200", 0, 5}, u'.', c).kind, Kind::Refused);
    FloatEditConfig comma = c;
    comma.supportsThousandSeparator = false;
    comma.additionalDecimalSeparator = u',';
    EXPECT_EQ(type("", u',', comma).kind, Kind::Refused);
}

TEST(FloatEdit, minusAlone_becomesMinusZeroWithTheZeroSelected)
{
    const FloatEditConfig c = amountField(100);
    const floatedit::KeyResult r = type("", u'-', c);
    EXPECT_EQ(r.kind, Kind::Accepted);
    EXPECT_EQ(r.state, (FloatEditText{QStringLiteral("-0"), 1, 1}));
    const floatedit::KeyResult next = floatedit::typeKey(r.state, u'5', c);
    EXPECT_EQ(next.state.text, QStringLiteral("-5"));
    EXPECT_EQ(type("5", u'-', c).kind, Kind::Refused); // "5-"
    EXPECT_EQ(floatedit::typeKey(FloatEditText{"5", 0, 0}, u'-', c).state.text,
              QStringLiteral("-5"));
}

TEST(FloatEdit, separatorAlone_becomesZeroPointZero)
{
    FloatEditConfig c; // one decimal
    const floatedit::KeyResult r = type("", u'.', c);
    EXPECT_EQ(r.state, (FloatEditText{QStringLiteral("0.0"), 2, 1}));
    EXPECT_EQ(floatedit::typeKey(r.state, u'7', c).state.text, QStringLiteral("0.7"));
    // Replacing the whole text with the separator is the same case.
    EXPECT_EQ(floatedit::typeKey(FloatEditText{"12", 0, 2}, u'.', c).state.text,
              QStringLiteral("0.0"));
}

TEST(FloatEdit, decimals_areLimitedToDigits)
{
    FloatEditConfig c;
    c.digits = 2;
    EXPECT_EQ(type("1.2", u'3', c).kind, Kind::Accepted);
    EXPECT_EQ(type("1.23", u'4', c).kind, Kind::Refused);
    EXPECT_EQ(type("1.2", u'.', c).kind, Kind::Refused); // two separators
    EXPECT_EQ(type("99.9", u'9', c).kind, Kind::Accepted);
    EXPECT_EQ(type("99.99", u'9', c).kind, Kind::Refused);
}

TEST(FloatEdit, exponentInsertedIntoANumber_isTakenWithinMax)
{
    FloatEditConfig c = amountField(1e9);
    EXPECT_EQ(type("1", u'E', c).kind, Kind::Refused); // "1E" is no number yet
    const floatedit::KeyResult r = floatedit::typeKey(FloatEditText{"15", 1, 0}, u'E', c);
    EXPECT_EQ(r.kind, Kind::Accepted);
    EXPECT_EQ(r.state.text, QStringLiteral("1E5"));
    EXPECT_EQ(floatedit::typeKey(FloatEditText{"19", 1, 0}, u'e', c).kind, Kind::Accepted); // = Max
    EXPECT_EQ(floatedit::typeKey(FloatEditText{"29", 1, 0}, u'e', c).kind, Kind::Refused);
}

TEST(FloatEdit, additionalSeparatorAndControlKeys_actAsTheirKind)
{
    FloatEditConfig c;
    c.additionalDecimalSeparator = u',';
    EXPECT_EQ(type("1", u',', c).state.text, QStringLiteral("1."));
    EXPECT_EQ(type("1", u'\r', c).kind, Kind::EnterPressed);
    EXPECT_EQ(type("1", QChar(0x1B), c).kind, Kind::Restore);
    EXPECT_EQ(type("1", u'\b', c).kind, Kind::PassThrough);
    EXPECT_EQ(type("1", QChar(0x16), c).kind, Kind::PassThrough); // Ctrl+V
    EXPECT_EQ(type("1", u',', FloatEditConfig()).kind, Kind::Refused);
}

TEST(FloatEdit, inputMethodDigits_areTakenAsAscii)
{
    const FloatEditConfig c = amountField(10'000'000);
    floatedit::TypedText r = floatedit::typeText(FloatEditText{"", 0, 0}, u"１２，３４５", c);
    EXPECT_EQ(r.state, (FloatEditText{QStringLiteral("12,345"), 6, 0}));
    EXPECT_FALSE(r.refused);
    // The filter still applies character by character: the separator and
    // the digit that would pass Max are dropped, the rest goes in.
    r = floatedit::typeText(FloatEditText{"", 0, 0}, u"９９９９９９９９．", c);
    EXPECT_EQ(r.state.text, QStringLiteral("9999999"));
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(floatedit::paste(FloatEditText{"", 0, 0}, QStringLiteral("−１５"), c).text, QStringLiteral("-15"));
}

TEST(FloatEdit, paste_undoesNonNumbersAndCapsAtMax)
{
    const FloatEditConfig c = amountField(10'000'000);
    const FloatEditText before{QStringLiteral("12"), 0, 2};
    EXPECT_EQ(floatedit::paste(before, "99999999", c).text, QStringLiteral("10,000,000"));
    EXPECT_EQ(floatedit::paste(before, "abc", c), before);
    EXPECT_EQ(floatedit::paste(before, "1,500", c), (FloatEditText{QStringLiteral("1,500"), 5, 0}));
    EXPECT_EQ(floatedit::paste(FloatEditText{"12", 1, 0}, "3", c),
              (FloatEditText{QStringLiteral("132"), 2, 0}));
    EXPECT_EQ(floatedit::paste(before, "-", c), before);
    EXPECT_EQ(floatedit::paste(FloatEditText{"12", 5, 9}, "3", c).text, QStringLiteral("123"));
}

TEST(FloatEdit, leaving_restoresRejectedValues)
{
    FloatEditConfig c; // Min 0
    c.errorMessage = QStringLiteral("範囲外です");
    floatedit::LeaveResult r = floatedit::leave("-5", 3, c);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.state, (FloatEditText{QStringLiteral("3.0"), 0, 3}));
    EXPECT_EQ(r.value, 3);
    EXPECT_EQ(r.feedback.message, QStringLiteral("範囲外です"));

    EXPECT_FALSE(floatedit::leave("-", 3, c).accepted);
    EXPECT_FALSE(floatedit::leave("100.1", 3, c).accepted);

    r = floatedit::leave("", 3, c);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.state.text, QStringLiteral("0.0"));

    r = floatedit::leave("12.34", 3, c);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.state.text, QStringLiteral("12.3"));
    EXPECT_DOUBLE_EQ(r.value, 12.3);
    EXPECT_EQ(floatedit::leave("1e1", 3, c).state.text, QStringLiteral("10.0"));
    EXPECT_EQ(floatedit::leave("-0", 3, c).state.text, QStringLiteral("0.0"));

    const FloatEditText restored = floatedit::restore(42, c);
    EXPECT_EQ(restored, (FloatEditText{QStringLiteral("42.0"), 0, 4}));
}

TEST(FloatEdit, spinSteps_stayWithinTheLimits)
{
    FloatEditConfig offset; // a printer offset field
    offset.range.setMin(-50);
    offset.range.setMax(50);
    offset.digits = 1;
    EXPECT_EQ(floatedit::step("50.0", +1, 1, false, offset).text, QStringLiteral("50.0"));
    EXPECT_EQ(floatedit::step("49.5", +1, 1, false, offset).text, QStringLiteral("50.0"));
    EXPECT_EQ(floatedit::step("-49.0", -1, 1, false, offset).text, QStringLiteral("-50.0"));
    EXPECT_EQ(floatedit::step("-50.0", -1, 1, false, offset).text, QStringLiteral("-50.0"));
    EXPECT_EQ(floatedit::step("10.0", +1, 1, false, offset).value, 11);

    const floatedit::ValueWrite readOnly = floatedit::step("10.0", +1, 1, true, offset);
    EXPECT_TRUE(readOnly.feedback.beep);
    EXPECT_EQ(readOnly.text, QStringLiteral("10.0"));
}
