// The small rules the entry frame takes from the core: the slip number's
// step, how table cells show, the status colours, the prefectures and what
// the postal look-up passes and takes back.
#include "slip/amount.h"
#include "slip/prefectures.h"
#include "slip/slipcode.h"
#include "slip/slippicks.h"

#include "common/commatext.h"
#include "common/textfile.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace vendara;

TEST(SlipCode, steps_wrapAtBothEndsAndUnfilledTextHasNoStep)
{
    EXPECT_EQ(steppedSlipCode(u"99999999", 1), QStringLiteral("00000000"));
    EXPECT_EQ(steppedSlipCode(u"00000000", -1), QStringLiteral("99999999"));
    EXPECT_EQ(steppedSlipCode(u"00000041", 10), QStringLiteral("00000051"));
    EXPECT_EQ(steppedSlipCode(u"99999995", 10), QStringLiteral("00000005"));
    EXPECT_FALSE(steppedSlipCode(u"123     ", 1));
    EXPECT_FALSE(steppedSlipCode(u"1234567", 1));
    EXPECT_FALSE(steppedSlipCode(u"１２３４５６７８", 1)); // full-width digits are not the field's digits
}

TEST(TableCells, wholeNumbers_areGroupedAndOtherTextStaysAsTyped)
{
    EXPECT_EQ(amount::displayText(QStringLiteral("1616313")), QStringLiteral("1,616,313"));
    EXPECT_EQ(amount::displayText(QStringLiteral("-200000")), QStringLiteral("-200,000"));
    EXPECT_EQ(amount::displayText(QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(amount::displayText(QStringLiteral("12a")), QStringLiteral("12a"));
    EXPECT_EQ(amount::displayText(QString()), QString());
}

TEST(StatusColours, storedValues_areBlueGreenRedAndTheSystemColourFollowsThePalette)
{
    EXPECT_EQ(statusTextColour(kStatusOpenColour, Qt::darkGray), QColor(Qt::red));
    EXPECT_EQ(statusTextColour(kStatusDoneColour, Qt::darkGray), QColor(Qt::blue));
    EXPECT_EQ(statusTextColour(0x0080FF, Qt::darkGray), QColor(255, 128, 0));
    EXPECT_EQ(statusTextColour(kButtonTextColour, Qt::darkGray), QColor(Qt::darkGray));
}

// The field offers the prefectures in the order of their national codes (the
// first two digits of a local government code): the prefecture of every
// entry of the shipped postal dictionary sits at its code's place.
TEST(Prefectures, order_followsTheNationalCodesOfThePostalDictionary)
{
    const QStringList &names = prefectureNames();
    ASSERT_EQ(names.size(), 47);
    EXPECT_EQ(QSet<QString>(names.cbegin(), names.cend()).size(), 47);
    const std::optional<QStringList> lines =
        textfile::readLines(QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/Mst/Zip/SAMPLE.CSV"));
    ASSERT_TRUE(lines && !lines->isEmpty());
    QSet<QString> seen;
    for (const QString &line : *lines) {
        const QStringList fields = commatext::split(line);
        ASSERT_GE(fields.size(), 7) << line.toStdString();
        const int code = fields[0].left(2).toInt();
        ASSERT_TRUE(code >= 1 && code <= 47) << line.toStdString();
        EXPECT_EQ(names.at(code - 1), fields[6]) << line.toStdString();
        seen.insert(fields[6]);
    }
    EXPECT_GE(seen.size(), 5); // from the north to the south, not one prefecture
}

TEST(CustomerPick, pick_replacesEveryCustomerFieldAndMarksTheSlipOnce)
{
    SlipDocument doc;
    doc.setText(SlipField::CustAdd2, QStringLiteral("前のビル 3F"));
    doc.setText(SlipField::CarName, QStringLiteral("セダン"));
    doc.setEventsOn(true);
    int changes = 0;
    QObject::connect(&doc, &SlipDocument::changed, [&] { ++changes; });
    takeCustomerPick(doc, {QStringLiteral("山田 太郎"), QStringLiteral("御中"), QStringLiteral("100"), QStringLiteral("0001"),
                           QStringLiteral("東京都"), QStringLiteral("千代田区千代田1-1"), QString(), QStringLiteral("03-1234-5678")});
    const SlipCust &c = doc.record().cust;
    EXPECT_EQ(c.name, QStringLiteral("山田 太郎"));
    EXPECT_EQ(c.title, QStringLiteral("御中"));
    EXPECT_EQ(postalKeyword(doc.record()), QStringLiteral("1000001"));
    EXPECT_EQ(c.cityAdd1(), QStringLiteral("東京都千代田区千代田1-1"));
    EXPECT_EQ(c.add2, QString());
    EXPECT_EQ(c.tel, QStringLiteral("03-1234-5678"));
    EXPECT_EQ(doc.record().car.name, QStringLiteral("セダン"));
    EXPECT_EQ(changes, 1);
}

TEST(PostalPick, pick_splitsTheCodeAndMarksTheSlipOnce)
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
