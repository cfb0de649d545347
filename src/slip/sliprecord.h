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
    std::array<bool, kSectionCount> btn{};
    std::array<QString, kSectionCount> label;
    std::array<int, kSectionCount> labelColour;
    bool operator==(const SlipIdx &) const = default;
};

// [No]: the slip header.
struct SlipNo
{
    QString slipCode = QStringLiteral("00000000");
    int slipDiv = 0; // 0 見積書, 1 注文書
    QDate slipDate = kZeroDate;
    QString charge;
    bool operator==(const SlipNo &) const = default;
};

// [Cust]: section 1.
struct SlipCust
{
    QString name;
    QString title = QStringLiteral("様");
    QString zip1;
    QString zip2;
    QString city;
    QString add1;
    QString add2;
    QString tel;
    // Cust.City_Add1: derived for print formats when the slip is written.
    QString cityAdd1() const { return city + add1; }
    bool operator==(const SlipCust &) const = default;
};

// [Tax]: section 2.
struct SlipTax
{
    double rate = 0; // percent
    int cut = 0;     // 0 四捨五入, 1 切り捨て, 2 切り上げ
    bool operator==(const SlipTax &) const = default;
};

// The fields the vehicle sold and the trade-in vehicle share.
struct VehicleFields
{
    QString name;
    QString grade;
    QDate first = kZeroDate;
    QDate check = kZeroDate;
    bool noCheck = false; // 車検なし: Check prints as not set
    bool noFirst = false; // 不明: First prints as not set
    double kiro = 0;
    double eSize = 0;
    QString outer;
    QString inner;
    QString typeCode;
    QString accessory;
    QString memo1;
    QString memo2;
    bool operator==(const VehicleFields &) const = default;
};

// [Car]: sections 3 and 4.
struct SlipCar : VehicleFields
{
    double price = 0;
    double tax = 0; // computed: tax of price minus discount
    double disc = 0;
    bool discBtn = false;
    int newOld = 0; // 0 新車, 1 中古車
    double left = 0; // amount subject to acquisition tax
    std::array<ItemRow, kItemRowCount> lineA;
    std::array<ItemRow, kItemRowCount> lineB;
    bool operator==(const SlipCar &) const = default;
};

// [Cost]: section 5.
struct SlipCost
{
    double tax = 0;
    double wTax = 0;
    double ins = 0;
    double gTax = 0;
    std::array<CostRow, kSalesCostRowCount> lineA;
    std::array<CostRow, kOtherCostRowCount> lineB;
    bool operator==(const SlipCost &) const = default;
};

// [Trade]: section 6 (Deb is entered in section 8).
struct SlipTrade : VehicleFields
{
    double price = 0;
    double trade = 0;
    double tax = 0;
    double ins = 0;
    double deb = 0;
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
    double taxInc = 0; // 税込み合計
    double last = 0;   // 総お支払い額
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
    bool method = true; // true 現金, false 分割
    double down = 0;
    double rate = 0; // effective annual rate, percent
    double time = 0; // number of monthly instalments
    int bTime = 0;   // bonus payments per year, 0..2
    double bPlus = 0;
    PlanCells plan;
    QString &operator[](PlanRow row) { return plan[size_t(row)]; }
    const QString &operator[](PlanRow row) const { return plan[size_t(row)]; }
    bool operator==(const SlipPay &) const = default;
};

// [Note]: section 9.
struct SlipNote
{
    QString memo1;
    QString memo2;
    QString memo3;
    bool operator==(const SlipNote &) const = default;
};

// What a new slip takes from the settings file.
struct NewSlipDefaults
{
    QString slipCode = QStringLiteral("00000000");
    double taxRate = 5;
    int rounding = 0;
    double annualRate = 0;
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
    QString priceTitle;
    QString disTitle;
    QString payMethod;
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
