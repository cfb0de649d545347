#include "slip/sectioncheck.h"
#include "support/slipsamples.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace vendara;

TEST(SectionCheck, customerRules_applyInOrder)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 1), "顧客名が未設定です");
    s.cust.name = QStringLiteral(" "); // a blank is content
    EXPECT_EQ(sectionStatus(s, 1), "郵便番号が未設定です");
    s.cust.zip1 = QStringLiteral("100");
    EXPECT_EQ(sectionStatus(s, 1), "郵便番号が未設定です");
    s.cust.zip2 = QStringLiteral("0001");
    EXPECT_EQ(sectionStatus(s, 1), "都道府県が未設定です");
    s.cust.city = QStringLiteral("東京都");
    EXPECT_EQ(sectionStatus(s, 1), "住所が未設定です");
    s.cust.add1 = QStringLiteral("千代田区");
    EXPECT_EQ(sectionStatus(s, 1), "電話番号が未設定です");
    s.cust.tel = QStringLiteral("03");
    EXPECT_EQ(sectionStatus(s, 1), "設定完了");
    s.cust.add2.clear(); // not checked
    EXPECT_EQ(sectionStatus(s, 1), "設定完了");
}

TEST(SectionCheck, taxRate_mustNotBeZero)
{
    SlipRecord s;
    s.tax.rate = 0;
    EXPECT_EQ(sectionStatus(s, 2), "消費税率が未設定です");
    s.tax.rate = 0.01;
    EXPECT_EQ(sectionStatus(s, 2), "設定完了");
}

TEST(SectionCheck, vehicleRules_dependOnNewOrUsed)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 3), "車名が未設定です");
    s.car.name = QStringLiteral("カローラ");
    EXPECT_EQ(sectionStatus(s, 3), "グレードが未設定です");
    s.car.grade = QStringLiteral("G");
    // A new car without mileage passes the mileage rule.
    EXPECT_EQ(sectionStatus(s, 3), "外装色が未設定です");
    s.car.newOld = 1;
    EXPECT_EQ(sectionStatus(s, 3), "中古車ですが走行距離が未設定です");
    s.car.kiro = 1;
    EXPECT_EQ(sectionStatus(s, 3), "外装色が未設定です");
    s.car.outer = QStringLiteral("白");
    EXPECT_EQ(sectionStatus(s, 3), "内装色が未設定です");
    s.car.inner = QStringLiteral("黒");
    EXPECT_EQ(sectionStatus(s, 3), "型式が未設定です");
    s.car.typeCode = QStringLiteral("X");
    EXPECT_EQ(sectionStatus(s, 3), "装備が未設定です");
    s.car.accessory = QStringLiteral("AC");
    EXPECT_EQ(sectionStatus(s, 3), "車両本体価格が未設定です");
    s.car.price = 1;
    EXPECT_EQ(sectionStatus(s, 3), "中古車ですが取得税対象額が未設定です");
    s.car.left = 1;
    EXPECT_EQ(sectionStatus(s, 3), "設定完了");
    s.car.newOld = 0;
    s.car.left = 0;
    EXPECT_EQ(sectionStatus(s, 3), "設定完了");
}

TEST(SectionCheck, itemRows_countOnlyWithNameAndPriceBeyondBlanks)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 4), "付属品が未設定です");
    s.car.lineA[3] = {QStringLiteral(" "), QStringLiteral("1000"), {}};
    EXPECT_EQ(sectionStatus(s, 4), "付属品が未設定です");
    s.car.lineA[3] = {QStringLiteral("ナビ"), QStringLiteral("  "), {}};
    EXPECT_EQ(sectionStatus(s, 4), "付属品が未設定です");
    s.car.lineA[8] = {QStringLiteral("ナビ"), QStringLiteral("abc"), {}}; // any content counts
    EXPECT_EQ(sectionStatus(s, 4), "特別仕様が未設定です");
    s.car.lineB[0] = {QStringLiteral("エアロ"), QStringLiteral("0"), {}};
    EXPECT_EQ(sectionStatus(s, 4), "設定完了");
}

TEST(SectionCheck, costRules_applyInOrder)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 5), "自動車税が未設定です");
    s.cost.tax = 1;
    EXPECT_EQ(sectionStatus(s, 5), "重量税が未設定です");
    s.cost.wTax = 1;
    EXPECT_EQ(sectionStatus(s, 5), "自賠責が未設定です");
    s.cost.ins = 1;
    EXPECT_EQ(sectionStatus(s, 5), "取得税が未設定です");
    s.cost.gTax = -1;
    EXPECT_EQ(sectionStatus(s, 5), "販売諸費用が未設定です");
    s.cost.lineA[6] = {QStringLiteral("代行"), {}};
    EXPECT_EQ(sectionStatus(s, 5), "販売諸費用が未設定です");
    s.cost.lineA[6] = {QStringLiteral(" "), QStringLiteral("5")}; // blanks count here
    EXPECT_EQ(sectionStatus(s, 5), "その他諸費用が未設定です");
    s.cost.lineB[8] = {QStringLiteral("預り"), QStringLiteral("5")};
    EXPECT_EQ(sectionStatus(s, 5), "設定完了");
}

TEST(SectionCheck, tradeInRules_applyEvenWithoutATradeIn)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 6), "車名が未設定です");
    SlipTrade &t = s.trade;
    const std::pair<std::function<void()>, const char *> steps[] = {
        {[&] { t.name = "フィット"; }, "グレードが未設定です"},
        {[&] { t.grade = "13G"; }, "走行距離が未設定です"},
        {[&] { t.kiro = 5; }, "外装色が未設定です"},
        {[&] { t.outer = "青"; }, "内装色が未設定です"},
        {[&] { t.inner = "灰"; }, "型式が未設定です"},
        {[&] { t.typeCode = "GE6"; }, "装備が未設定です"},
        {[&] { t.accessory = "AC"; }, "査定額が未設定です"},
        {[&] { t.price = 1; }, "下取額が未設定です"},
        {[&] { t.trade = 1; }, "自動車税が未設定です"},
        {[&] { t.tax = 1; }, "自賠責が未設定です"},
        {[&] { t.ins = 1; }, "設定完了"},
    };
    for (const auto &[apply, expected] : steps) {
        apply();
        EXPECT_EQ(sectionStatus(s, 6), QString::fromUtf8(expected));
    }
}

TEST(SectionCheck, totalsNotesAndPayment_sayWhatIsMissing)
{
    SlipRecord s;
    EXPECT_EQ(sectionStatus(s, 7), "確認済み");
    EXPECT_EQ(sectionStatus(s, 9), "確認済み");
    EXPECT_EQ(sectionStatus(s, 8), "設定完了 (現金)");
    s.pay.method = false;
    EXPECT_EQ(sectionStatus(s, 8), "年率が未設定です");
    s.pay.rate = 3.9;
    EXPECT_EQ(sectionStatus(s, 8), "分割回数が未設定です");
    s.pay.time = 24;
    EXPECT_EQ(sectionStatus(s, 8), "設定完了 (分割)");
    s.pay.method = true;
    s.pay.rate = 0;
    EXPECT_EQ(sectionStatus(s, 8), "設定完了 (現金)");
}

TEST(SectionCheck, sectionOutsideOneToNine_isAnError)
{
    const SlipRecord s;
    EXPECT_THROW(sectionStatus(s, 0), std::out_of_range);
    EXPECT_THROW(sectionStatus(s, 10), std::out_of_range);
}

TEST(SectionCheck, colourRule_looksForCompletionWords)
{
    EXPECT_EQ(statusColour("設定完了"), 16711680);
    EXPECT_EQ(statusColour("設定完了 (分割)"), 16711680);
    EXPECT_EQ(statusColour("確認済み"), 16711680);
    EXPECT_EQ(statusColour("未設定"), 255);
    EXPECT_EQ(statusColour("合計が更新されました"), 255);
    EXPECT_EQ(statusColour(""), 255);
}
