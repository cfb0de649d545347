#pragma once

#include "common/iniprofile.h"

#include <QDate>
#include <QString>

#include <array>

// The record of one slip: one sub-record per slip-file section, every field
// named after its file key (Cust.Name is cust.name, Price.CarAmtTx is the tax
// of the CarAmt totals row). Amount inputs are held as the floating values the
// entry controls hold; they are truncated toward zero whenever they are stored
// as integers. Item and cost rows and the totals and plan tables are held as
// cell texts, because what a user typed into a cell (letters, blanks, nothing)
// matters to the sums and to the section checks.
namespace vendara {

inline constexpr int kSectionCount = 9;
inline constexpr int kItemRowCount = 9;      // Car.LineA1..9 and Car.LineB1..9
inline constexpr int kSalesCostRowCount = 7; // Cost.LineA1..7
inline constexpr int kOtherCostRowCount = 9; // Cost.LineB1..9

// Status colours as 32-bit blue-green-red values.
inline constexpr int kStatusDoneColour = 16711680; // pure blue
inline constexpr int kStatusOpenColour = 255;      // pure red
// The system button-text colour, in the form colour values give system
// colours (index 18 with the high byte set); a section never checked has it.
inline constexpr int kButtonTextColour = int(0xFF000012u);

inline const QString kStatusNotSet = QStringLiteral("未設定");

// Accessory or special-equipment row: name, price excluding tax, and the
// acquisition-tax mark ("1" when set, empty when not).
struct ItemRow
{
    QString name;
    QString price;
    QString mark;
    bool operator==(const ItemRow &) const = default;
};
inline constexpr int kItemRowCells = 3;

// Sales-cost or other-cost row: name and amount.
struct CostRow
{
    QString name;
    QString amount;
    bool operator==(const CostRow &) const = default;
};
inline constexpr int kCostRowCells = 2;

// [Idx]: per section (index 0 is section 1) its open state and status.
struct SlipIdx
{
    SlipIdx();
    std::array<bool, kSectionCount> btn{};    // true while the section's panel is open
    std::array<QString, kSectionCount> label; // status text: "未設定" or what the section check found
    // The status text's colour: blue when done, red when not, the button-text
    // colour for a section never checked (the k...Colour values above).
    std::array<int, kSectionCount> labelColour;
    bool operator==(const SlipIdx &) const = default;
};

// [No]: the slip header.
struct SlipNo
{
    QString slipCode = QStringLiteral("00000000"); // the slip number, eight digits
    int slipDiv = 0;            // 0 見積書 (estimate), 1 注文書 (order)
    QDate slipDate = kZeroDate; // date of issue (発行日)
    QString charge;             // the staff member in charge (担当者)
    bool operator==(const SlipNo &) const = default;
};

// [Cust]: section 1.
struct SlipCust
{
    QString name;
    QString title = QStringLiteral("様"); // honorific after the name: "様" or "御中"
    QString zip1;                         // postal code, first three digits
    QString zip2;                         // postal code, last four digits
    QString city;                         // the prefecture (都道府県)
    QString add1;                         // the address after the prefecture (住所)
    QString add2;                         // building name and the like (建物名など)
    QString tel;                          // telephone number
    // Cust.City_Add1: derived for print formats when the slip is written.
    QString cityAdd1() const { return city + add1; }
    bool operator==(const SlipCust &) const = default;
};

// [Tax]: section 2.
struct SlipTax
{
    double rate = 0; // percent
    // Rounding of every tax amount to whole yen: 0 四捨五入 (half away from
    // zero), 1 切り捨て (toward zero), 2 切り上げ (up, toward plus infinity).
    int cut = 0;
    bool operator==(const SlipTax &) const = default;
};

// The fields the vehicle sold and the trade-in vehicle share.
struct VehicleFields
{
    QString name;              // car name (車名); a pick gives "maker car"
    QString grade;
    QDate first = kZeroDate;   // first registration (初度登録), entered as year and month
    QDate check = kZeroDate;   // expiry of the vehicle inspection (車検期限)
    bool noCheck = false;      // 車検なし: Check prints as not set
    bool noFirst = false;      // 不明: First prints as not set
    double kiro = 0;           // odometer reading in km (走行距離)
    double eSize = 0;          // engine displacement in cc (排気量)
    QString outer;             // exterior colour (外装色)
    QString inner;             // interior colour (内装色)
    QString typeCode;          // model code (型式)
    QString accessory;         // equipment abbreviations (装備), e.g. "AC PS"
    QString memo1;             // remarks (備考), first line
    QString memo2;             // remarks, second line
    bool operator==(const VehicleFields &) const = default;
};

// [Car]: sections 3 and 4.
struct SlipCar : VehicleFields
{
    double price = 0;     // body price excluding tax (車両本体価格)
    double tax = 0;       // computed: consumption tax of price minus discount
    double disc = 0;      // discount off the body price (値引き)
    bool discBtn = false; // the discount is shown (値引表示切替); off clears disc
    int newOld = 0;       // 0 新車 (new), 1 中古車 (used)
    // Amount subject to acquisition tax (取得税対象額): for a new car derived
    // from the price (the settings' share, cut to 1000 yen), for a used car
    // typed in; 0 when a car turns used.
    double left = 0;
    std::array<ItemRow, kItemRowCount> lineA; // ① accessories (付属品)
    std::array<ItemRow, kItemRowCount> lineB; // ② special equipment (特別仕様)
    bool operator==(const SlipCar &) const = default;
};

// [Cost]: section 5.
struct SlipCost
{
    double tax = 0;  // automobile tax (自動車税)
    double wTax = 0; // weight tax (重量税)
    double ins = 0;  // compulsory liability insurance (自賠責)
    double gTax = 0; // acquisition tax (取得税)
    std::array<CostRow, kSalesCostRowCount> lineA; // ④ sales costs, taxed (販売諸費用)
    std::array<CostRow, kOtherCostRowCount> lineB; // ⑤ other costs, untaxed (その他諸費用)
    bool operator==(const SlipCost &) const = default;
};

// [Trade]: section 6 (Deb is entered in section 8).
struct SlipTrade : VehicleFields
{
    double price = 0; // appraised value (査定額)
    double trade = 0; // trade-in amount allowed (下取額), taken off the total to pay
    double tax = 0;   // refund of the trade-in's automobile tax (自動車税還付)
    double ins = 0;   // refund of the trade-in's compulsory insurance (自賠責還付)
    double deb = 0;   // loan still owed on the trade-in (下取車残債), added to the amount financed
    bool operator==(const SlipTrade &) const = default;
};

// Rows of the totals table of section 7, in display order. Each row's amount
// is the Price key of its name, its tax the key with "Tx" appended.
enum class TotalsRow { Car, Dis, Obj, Acc, Spc, Prc, TxCst, PrCst, ExCst, Cost, CarAmt };
inline constexpr int kTotalsRowCount = 11;

struct TotalsLine
{
    QString amount;
    QString tax; // empty for the rows without consumption tax
    bool operator==(const TotalsLine &) const = default;
};

// [Price]: section 7.
struct SlipPrice
{
    QString disTitle; // label of the discount row: "値引き" or empty
    std::array<TotalsLine, kTotalsRowCount> rows;
    double taxInc = 0; // total including tax (税込み合計): CarAmt plus its tax
    double last = 0;   // total to pay (総お支払い額): taxInc less Trade.Trade
    TotalsLine &operator[](TotalsRow row) { return rows[size_t(row)]; }
    const TotalsLine &operator[](TotalsRow row) const { return rows[size_t(row)]; }
    bool operator==(const SlipPrice &) const = default;
};

// Rows of the plan table of section 8; Deb shows Trade.Deb, the others are
// the Pay keys of their names.
enum class PlanRow { Head, Deb, All, Int, Bonus1, Bonus2, First, Month, Total };
inline constexpr int kPlanRowCount = 9;
using PlanCells = std::array<QString, kPlanRowCount>;

// [Pay]: section 8.
struct SlipPay
{
    bool method = true; // true 現金 (cash), false 分割 (instalments)
    double down = 0;    // down payment (頭金)
    double rate = 0;    // effective annual rate, percent
    double time = 0;    // number of monthly instalments
    int bTime = 0;      // bonus payments per year, 0..2
    double bPlus = 0;   // amount added to the instalment in each bonus month (ボーナス加算額)
    PlanCells plan;     // computed payment plan, one cell per PlanRow
    QString &operator[](PlanRow row) { return plan[size_t(row)]; }
    const QString &operator[](PlanRow row) const { return plan[size_t(row)]; }
    bool operator==(const SlipPay &) const = default;
};

// [Note]: section 9.
struct SlipNote
{
    QString memo1; // the slip's remarks (備考), first of three lines
    QString memo2;
    QString memo3;
    bool operator==(const SlipNote &) const = default;
};

// What a new slip takes from the settings file.
struct NewSlipDefaults
{
    QString slipCode = QStringLiteral("00000000");
    double taxRate = 5;    // Tax.Rate, percent
    int rounding = 0;      // Tax.Cut
    double annualRate = 0; // Pay.Rate, percent
};

struct SlipRecord
{
    SlipIdx idx;
    SlipNo no;
    SlipCust cust;
    SlipTax tax;
    SlipCar car;
    SlipCost cost;
    SlipTrade trade;
    SlipPrice price;
    SlipPay pay;
    SlipNote note;

    // A new slip: kind 0, the settings' number, rate, rounding and annual
    // rate, all five dates today, cash payment, every section "未設定".
    static SlipRecord newSlip(const NewSlipDefaults &defaults, const QDate &today);

    bool operator==(const SlipRecord &) const = default;
};

// [Print]: values derived for print formats when the slip is written.
struct SlipPrintValues
{
    QString priceTitle; // "お見積金額" for an estimate, "ご注文金額" for an order
    QString disTitle;   // "値引き" when there is a discount, else empty
    QString payMethod;  // "現金" or "分割"
    // Inspection expiry and first registration of the car and the trade-in;
    // kZeroDate where their box (車検なし, 不明) is ticked.
    QDate carCheck;
    QDate trCheck;
    QDate carFirst;
    QDate trCarFirst;
};
SlipPrintValues printValuesOf(const SlipRecord &slip);

// Row labels of the totals and plan tables. The discount row's label is the
// slip's Price.DisTitle, so totalsRowLabel gives it empty.
QString totalsRowLabel(TotalsRow row);
QString planRowLabel(PlanRow row);

} // namespace vendara
