#include "masters/acquisitiontax.h"

#include <gtest/gtest.h>

using namespace vendara;

namespace {

QList<AcquisitionTaxItem> amounts(std::initializer_list<const char *> texts)
{
    QList<AcquisitionTaxItem> items;
    for (const char *t : texts)
        items.append({QStringLiteral("item"), QString::fromUtf8(t)});
    return items;
}

} // namespace

TEST(AcquisitionTax, belowThreshold_isFreeAndAtThresholdTaxed)
{
    const AcquisitionTax below = computeAcquisitionTax(amounts({"499999"}), 5);
    EXPECT_EQ(below.total, 499999);
    EXPECT_EQ(below.tax, 0);
    const AcquisitionTax at = computeAcquisitionTax(amounts({"500000"}), 5);
    EXPECT_EQ(at.total, 500000);
    EXPECT_EQ(at.tax, 25000);
}

TEST(AcquisitionTax, base_isCutTo1000AndTaxTo100)
{
    // 1,234,567 -> base 1,234,000; at 3 % 37,020 -> 37,000.
    const AcquisitionTax t = computeAcquisitionTax(amounts({"1000000", "234567"}), 3);
    EXPECT_EQ(t.total, 1234567);
    EXPECT_EQ(t.tax, 37000);
    // 999,999 -> 999,000 at 2 % = 19,980 -> 19,900.
    EXPECT_EQ(computeAcquisitionTax(amounts({"999999"}), 2).tax, 19900);
}

TEST(AcquisitionTax, fractionalRate_worksOnTheFourDecimalMoneyValue)
{
    // 1,001,000 x 2.55 % = 25,525.5 -> 25,500.
    EXPECT_EQ(computeAcquisitionTax(amounts({"1001000"}), 2.55).tax, 25500);
    // 2,345,000 x 0.01 % = 234.5 -> 200.
    EXPECT_EQ(computeAcquisitionTax(amounts({"2345000"}), 0.01).tax, 200);
    EXPECT_EQ(computeAcquisitionTax(amounts({"600000"}), 0).tax, 0);
}

TEST(AcquisitionTax, amountsThatAreNotPlainIntegers_countAsZero)
{
    const AcquisitionTax t = computeAcquisitionTax(amounts({"400000", "1,000,000", "abc", "", "100000"}), 5);
    EXPECT_EQ(t.total, 500000);
    EXPECT_EQ(t.tax, 25000);
    EXPECT_EQ(computeAcquisitionTax({}, 5).total, 0);
}

TEST(AcquisitionTax, totalBeyond32Bits_isStillSummed)
{
    const AcquisitionTax t = computeAcquisitionTax(amounts({"2000000000", "2000000000"}), 3);
    EXPECT_EQ(t.total, 4000000000LL);
    EXPECT_EQ(t.tax, 120000000);
}

TEST(AcquisitionTax, itemsFromTheSlip_takeCarBaseThenTaxableNamedRows)
{
    const QList<TaxableRow> accessories = {
        {QStringLiteral("フロアマット"), QStringLiteral("25000"), QStringLiteral("1")},
        {QStringLiteral("バイザー"), QStringLiteral("22000"), QString()},  // no tax mark
        {QString(), QStringLiteral("5000"), QStringLiteral("1")},        // no name
    };
    const QList<TaxableRow> specials = {{QStringLiteral("本革シート"), QStringLiteral("220,000"), QStringLiteral("1")}};
    const QList<AcquisitionTaxItem> items = acquisitionTaxItems(2111000.9, accessories, specials);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].name, "車両本体課税額");
    EXPECT_EQ(items[0].amount, "2111000");
    EXPECT_EQ(items[1].name, "フロアマット");
    EXPECT_EQ(items[1].amount, "25000");
    EXPECT_EQ(items[2].name, "本革シート");
    EXPECT_EQ(items[2].amount, "220,000"); // as entered; it counts as 0 in the sum
    EXPECT_EQ(computeAcquisitionTax(items, 3).total, 2136000);
}
