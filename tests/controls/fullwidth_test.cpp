#include "controls/fullwidth.h"

#include <gtest/gtest.h>

using namespace vendara;

TEST(FullWidth, numbers_foldToAsciiOneForOneOtherTextStays)
{
    EXPECT_EQ(foldFullWidthNumber(u"０１２３４５６７８９"), QStringLiteral("0123456789"));
    EXPECT_EQ(foldFullWidthNumber(u"＋１，２３４．５Ｅ－６ｅ−７"), QStringLiteral("+1,234.5E-6e-7"));
    EXPECT_EQ(foldFullWidthNumber(u"２０２９／１２：００"), QStringLiteral("2029/12:00"));
    EXPECT_EQ(foldFullWidthNumber(u"赤 ａ１-x"), QStringLiteral("赤 ａ1-x"));
    EXPECT_EQ(foldFullWidthNumber(u""), QString());
}

TEST(FullWidth, validator_foldsInPlaceAndKeepsTheCursor)
{
    FullWidthNumberValidator validator;
    QString input = QStringLiteral("１００-０００１");
    int pos = 3;
    EXPECT_EQ(validator.validate(input, pos), QValidator::Acceptable);
    EXPECT_EQ(input, QStringLiteral("100-0001"));
    EXPECT_EQ(pos, 3);
}
