#include "sliprecord.h"

namespace vendara {

SlipIdx::SlipIdx()
{
    label.fill(kStatusNotSet);
    labelColour.fill(kButtonTextColour);
}

SlipRecord SlipRecord::newSlip(const NewSlipDefaults &defaults, const QDate &today)
{
    SlipRecord slip;
    slip.no.slipCode = defaults.slipCode;
    slip.no.slipDate = today;
    slip.tax.rate = defaults.taxRate;
    slip.tax.cut = defaults.rounding;
    slip.pay.rate = defaults.annualRate;
    for (VehicleFields *vehicle : {static_cast<VehicleFields *>(&slip.car), static_cast<VehicleFields *>(&slip.trade)}) {
        vehicle->first = today;
        vehicle->check = today;
    }
    return slip;
}

SlipPrintValues printValuesOf(const SlipRecord &slip)
{
    SlipPrintValues v;
    v.priceTitle = slip.no.slipDiv == 1 ? QStringLiteral("ご注文金額") : QStringLiteral("お見積金額");
    v.disTitle = slip.car.disc != 0 ? QStringLiteral("値引き") : QString();
    v.payMethod = slip.pay.method ? QStringLiteral("現金") : QStringLiteral("分割");
    v.carCheck = slip.car.noCheck ? kZeroDate : slip.car.check;
    v.trCheck = slip.trade.noCheck ? kZeroDate : slip.trade.check;
    v.carFirst = slip.car.noFirst ? kZeroDate : slip.car.first;
    v.trCarFirst = slip.trade.noFirst ? kZeroDate : slip.trade.first;
    return v;
}

QString totalsRowLabel(TotalsRow row)
{
    switch (row) {
    case TotalsRow::Car: return QStringLiteral("車両本体価格");
    case TotalsRow::Dis: return {};
    case TotalsRow::Obj: return QStringLiteral("本体課税額");
    case TotalsRow::Acc: return QStringLiteral("① 付属品価格");
    case TotalsRow::Spc: return QStringLiteral("② 特別仕様価格");
    case TotalsRow::Prc: return QStringLiteral("販売価格合計");
    case TotalsRow::TxCst: return QStringLiteral("③ 税金等諸費用");
    case TotalsRow::PrCst: return QStringLiteral("④ 販売諸費用");
    case TotalsRow::ExCst: return QStringLiteral("⑤ その他諸費用");
    case TotalsRow::Cost: return QStringLiteral("諸費用合計");
    case TotalsRow::CarAmt: return QStringLiteral("車両合計");
    }
    return {};
}

QString planRowLabel(PlanRow row)
{
    switch (row) {
    case PlanRow::Head: return QStringLiteral("頭金");
    case PlanRow::Deb: return QStringLiteral("下取車残債");
    case PlanRow::All: return QStringLiteral("割賦元金");
    case PlanRow::Int: return QStringLiteral("割賦手数料");
    case PlanRow::Bonus1: return QStringLiteral("ボーナス月1");
    case PlanRow::Bonus2: return QStringLiteral("ボーナス月2");
    case PlanRow::First: return QStringLiteral("初回");
    case PlanRow::Month: return QStringLiteral("毎月");
    case PlanRow::Total: return QStringLiteral("総支払額");
    }
    return {};
}

} // namespace vendara
