// The small rules the entry frame takes from the core: the slip number's
// step, how table cells show, the status colours, the prefectures and what
// the postal look-up passes and takes back.
#include "slip/amount.h"
#include "slip/prefectures.h"
#include "slip/slipcode.h"
#include "slip/slippicks.h"

#include <gtest/gtest.h>

using namespace vendara;

TEST(SlipCode, stepsWrapAtBothEndsAndUnfilledTextHasNoStep)
{
    EXPECT_EQ(steppedSlipCode(u"99999999", 1), QStringLiteral("00000000"));
    EXPECT_EQ(steppedSlipCode(u"00000000", -1), QStringLiteral("99999999"));
    EXPECT_EQ(steppedSlipCode(u"00000041", 10), QStringLiteral("00000051"));
    EXPECT_EQ(steppedSlipCode(u"99999995", 10), QStringLiteral("00000005"));
    EXPECT_FALSE(steppedSlipCode(u"123     ", 1));
    EXPECT_FALSE(steppedSlipCode(u"1234567", 1));
    EXPECT_FALSE(steppedSlipCode(u"１２３４５６７８", 1)); // full-width digits are not the field's digits
}

TEST(TableCells, wholeNumbersAreGroupedAndOtherTextStaysAsTyped)
{
    EXPECT_EQ(amount::displayText(QStringLiteral("1616313")), QStringLiteral("1,616,313"));
    EXPECT_EQ(amount::displayText(QStringLiteral("-200000")), QStringLiteral("-200,000"));
    EXPECT_EQ(amount::displayText(QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(amount::displayText(QStringLiteral("12a")), QStringLiteral("12a"));
    EXPECT_EQ(amount::displayText(QString()), QString());
}

TEST(StatusColours, storedValuesAreBlueGreenRedAndTheSystemColourFollowsThePalette)
{
    EXPECT_EQ(statusTextColour(kStatusOpenColour, Qt::darkGray), QColor(Qt::red));
    EXPECT_EQ(statusTextColour(kStatusDoneColour, Qt::darkGray), QColor(Qt::blue));
    EXPECT_EQ(statusTextColour(0x0080FF, Qt::darkGray), QColor(255, 128, 0));
    EXPECT_EQ(statusTextColour(kButtonTextColour, Qt::darkGray), QColor(Qt::darkGray));
}

TEST(Prefectures, allFortySevenFromHokkaidoToOkinawa)
{
    const QStringList &names = prefectureNames();
    ASSERT_EQ(names.size(), 47);
    EXPECT_EQ(names.first(), QStringLiteral("北海道"));
    EXPECT_EQ(names.at(1), QStringLiteral("青森県"));
    EXPECT_EQ(names.at(12), QStringLiteral("東京都"));
    EXPECT_EQ(names.last(), QStringLiteral("沖縄県"));
}

TEST(PostalPick, splitsTheCodeAndMarksTheSlipOnce)
{
    SlipDocument doc;
    doc.setEventsOn(true);
    int changes = 0;
    QObject::connect(&doc, &SlipDocument::changed, [&] { ++changes; });
    takePostalPick(doc, QStringLiteral("1000001"), QStringLiteral("東京都"), QStringLiteral("千代田区千代田"));
    const SlipCust &c = doc.record().cust;
    EXPECT_EQ(c.zip1, QStringLiteral("100"));
    EXPECT_EQ(c.zip2, QStringLiteral("0001"));
    EXPECT_EQ(postalKeyword(doc.record()), QStringLiteral("1000001"));
    EXPECT_EQ(c.cityAdd1(), QStringLiteral("東京都千代田区千代田"));
    EXPECT_EQ(changes, 1);
}
