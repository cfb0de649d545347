#include "support/slipsamples.h"

#include "common/commatext.h"
#include "slip/slipfile.h"

namespace vendara::test {

SlipRecord workedTotalsSlip()
{
    SlipRecord s = SlipRecord::newSlip({}, QDate(2026, 12, 7));
    s.tax.rate = 5;
    s.tax.cut = 0;
    s.car.price = 1500000;
    s.car.disc = 100000;
    s.car.discBtn = true;
    s.car.lineA[0] = {QStringLiteral("ナビ"), QStringLiteral("50000"), QStringLiteral("1")};
    s.car.lineA[1] = {QStringLiteral("マット"), QStringLiteral("33333"), {}};
    s.cost.tax = 39500;
    s.cost.wTax = 37800;
    s.cost.ins = 30680;
    s.cost.gTax = 0;
    s.cost.lineA[0] = {QStringLiteral("登録手続代行費用"), QStringLiteral("20000")};
    s.cost.lineB[0] = {QStringLiteral("預り法定費用"), QStringLiteral("5000")};
    s.trade.trade = 200000;
    return s;
}

SlipRecord fullyFilledSlip()
{
    SlipRecord s = workedTotalsSlip();
    for (int i = 0; i < kSectionCount; ++i) {
        s.idx.btn[size_t(i)] = i % 2 == 0;
        s.idx.label[size_t(i)] = i % 2 == 0 ? QStringLiteral("設定完了") : QStringLiteral("住所が未設定です");
        s.idx.labelColour[size_t(i)] = i % 2 == 0 ? kStatusDoneColour : kStatusOpenColour;
    }
    s.no = {QStringLiteral("00000012"), 1, QDate(2026, 12, 7), QStringLiteral("佐藤 花子")};
    s.cust = {QStringLiteral("山田 太郎"), QStringLiteral("御中"), QStringLiteral("100"), QStringLiteral("0001"),
              QStringLiteral("東京都"), QStringLiteral("千代田区千代田1-1"), QStringLiteral("表ビル 3F"),
              QStringLiteral("03-1234-5678")};
    s.tax = {8, 2};

    SlipCar &car = s.car;
    car.name = QStringLiteral("トヨタ カローラ");
    car.grade = QStringLiteral("G \"X\"");
    car.first = QDate(2020, 4, 1);
    car.check = QDate(2027, 3, 31);
    car.noCheck = true;
    car.noFirst = false;
    car.kiro = 12345;
    car.eSize = 1800;
    car.outer = QStringLiteral("白");
    car.inner = QStringLiteral("黒");
    car.typeCode = QStringLiteral("DBA-ZRE212");
    car.accessory = QStringLiteral("AC,PS,PW");
    car.memo1 = QStringLiteral("ワンオーナー");
    car.memo2 = QStringLiteral("禁煙車");
    car.newOld = 1;
    car.left = 1200000;
    for (int i = 0; i < kItemRowCount; ++i) {
        car.lineA[size_t(i)] = {QStringLiteral("付属品%1").arg(i + 1), QString::number(10000 + i * 1111),
                                i % 2 ? QStringLiteral("1") : QString()};
        car.lineB[size_t(i)] = {QStringLiteral("特別 仕様%1").arg(i + 1), QString::number(20000 + i * 777), {}};
    }
    car.lineA[8] = {QStringLiteral("マット,バイザー"), QStringLiteral("12000"), QStringLiteral("1")};
    car.lineB[8] = {QStringLiteral("\"引用\" 付き"), QStringLiteral("abc"), {}};

    SlipCost &cost = s.cost;
    cost.gTax = 45600;
    for (int i = 0; i < kSalesCostRowCount; ++i)
        cost.lineA[size_t(i)] = {QStringLiteral("販売費用%1").arg(i + 1), QString::number(3000 + i)};
    for (int i = 0; i < kOtherCostRowCount; ++i)
        cost.lineB[size_t(i)] = {QStringLiteral("その他 %1").arg(i + 1), QString::number(-(i + 1) * 100)};

    SlipTrade &trade = s.trade;
    trade.name = QStringLiteral("ホンダ フィット");
    trade.grade = QStringLiteral("13G");
    trade.first = QDate(2015, 6, 1);
    trade.check = QDate(2025, 5, 31);
    trade.noCheck = false;
    trade.noFirst = true;
    trade.kiro = 98765;
    trade.eSize = 1300;
    trade.outer = QStringLiteral("青");
    trade.inner = QStringLiteral("灰");
    trade.typeCode = QStringLiteral("DBA-GE6");
    trade.accessory = QStringLiteral("AC");
    trade.memo1 = QStringLiteral("傷あり");
    trade.memo2 = QStringLiteral("修復歴なし");
    trade.price = 250000;
    trade.tax = 12000;
    trade.ins = 8000;
    trade.deb = 150000;

    s.pay.method = false;
    s.pay.down = 300000;
    s.pay.rate = 3.9;
    s.pay.time = 60;
    s.pay.bTime = 2;
    s.pay.bPlus = 50000;

    s.note = {QStringLiteral("備考一行目"), QStringLiteral("備考 二行目"), QStringLiteral("備考三行目")};
    return s;
}

} // namespace vendara::test

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace vendara {

void PrintTo(const SlipRecord &slip, std::ostream *os)
{
    IniProfile ini;
    try {
        writeSlipProfile(slip, ini);
    } catch (const std::exception &) {
        *os << "(a slip with an amount outside 32 bits)";
        return;
    }
    *os << "\n" << ini.toText().toStdString();
}

void PrintTo(const ItemRow &row, std::ostream *os)
{
    *os << commatext::join({row.name, row.price, row.mark}).toStdString();
}

void PrintTo(const CostRow &row, std::ostream *os)
{
    *os << commatext::join({row.name, row.amount}).toStdString();
}

} // namespace vendara
