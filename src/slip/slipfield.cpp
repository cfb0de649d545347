#include "slipfield.h"

#include <stdexcept>

namespace vendara {

namespace {

struct FieldInfo
{
    SlipField field;
    const char *name;
    FieldRef (*ref)(SlipRecord &);
};

#define VENDARA_FIELD(id, name, member) \
    FieldInfo { SlipField::id, name, [](SlipRecord &r) -> FieldRef { return &r.member; } }

// In the order of the enumeration.
const FieldInfo kFields[] = {
    VENDARA_FIELD(SlipCode, "No.SlipCode", no.slipCode),
    VENDARA_FIELD(SlipDiv, "No.SlipDiv", no.slipDiv),
    VENDARA_FIELD(SlipDate, "No.SlipDate", no.slipDate),
    VENDARA_FIELD(Charge, "No.Charge", no.charge),
    VENDARA_FIELD(CustName, "Cust.Name", cust.name),
    VENDARA_FIELD(CustTitle, "Cust.Title", cust.title),
    VENDARA_FIELD(CustZip1, "Cust.Zip1", cust.zip1),
    VENDARA_FIELD(CustZip2, "Cust.Zip2", cust.zip2),
    VENDARA_FIELD(CustCity, "Cust.City", cust.city),
    VENDARA_FIELD(CustAdd1, "Cust.Add1", cust.add1),
    VENDARA_FIELD(CustAdd2, "Cust.Add2", cust.add2),
    VENDARA_FIELD(CustTel, "Cust.Tel", cust.tel),
    VENDARA_FIELD(TaxRate, "Tax.Rate", tax.rate),
    VENDARA_FIELD(TaxCut, "Tax.Cut", tax.cut),
    VENDARA_FIELD(CarName, "Car.Name", car.name),
    VENDARA_FIELD(CarGrade, "Car.Grade", car.grade),
    VENDARA_FIELD(CarFirst, "Car.First", car.first),
    VENDARA_FIELD(CarCheck, "Car.Check", car.check),
    VENDARA_FIELD(CarNoCheck, "Car.NoCheck", car.noCheck),
    VENDARA_FIELD(CarNoFirst, "Car.NoFirst", car.noFirst),
    VENDARA_FIELD(CarKiro, "Car.Kiro", car.kiro),
    VENDARA_FIELD(CarESize, "Car.ESize", car.eSize),
    VENDARA_FIELD(CarOuter, "Car.Outer", car.outer),
    VENDARA_FIELD(CarInner, "Car.Inner", car.inner),
    VENDARA_FIELD(CarTypeCode, "Car.TypeCode", car.typeCode),
    VENDARA_FIELD(CarAccessory, "Car.Accessory", car.accessory),
    VENDARA_FIELD(CarMemo1, "Car.Memo1", car.memo1),
    VENDARA_FIELD(CarMemo2, "Car.Memo2", car.memo2),
    VENDARA_FIELD(CarPrice, "Car.Price", car.price),
    VENDARA_FIELD(CarDisc, "Car.Disc", car.disc),
    VENDARA_FIELD(CarDiscBtn, "Car.DiscBtn", car.discBtn),
    VENDARA_FIELD(CarNewOld, "Car.NewOld", car.newOld),
    VENDARA_FIELD(CarLeft, "Car.Left", car.left),
    VENDARA_FIELD(CostTax, "Cost.Tax", cost.tax),
    VENDARA_FIELD(CostWTax, "Cost.WTax", cost.wTax),
    VENDARA_FIELD(CostIns, "Cost.Ins", cost.ins),
    VENDARA_FIELD(CostGTax, "Cost.GTax", cost.gTax),
    VENDARA_FIELD(TradeName, "Trade.Name", trade.name),
    VENDARA_FIELD(TradeGrade, "Trade.Grade", trade.grade),
    VENDARA_FIELD(TradeFirst, "Trade.First", trade.first),
    VENDARA_FIELD(TradeCheck, "Trade.Check", trade.check),
    VENDARA_FIELD(TradeNoCheck, "Trade.NoCheck", trade.noCheck),
    VENDARA_FIELD(TradeNoFirst, "Trade.NoFirst", trade.noFirst),
    VENDARA_FIELD(TradeKiro, "Trade.Kiro", trade.kiro),
    VENDARA_FIELD(TradeESize, "Trade.ESize", trade.eSize),
    VENDARA_FIELD(TradeOuter, "Trade.Outer", trade.outer),
    VENDARA_FIELD(TradeInner, "Trade.Inner", trade.inner),
    VENDARA_FIELD(TradeTypeCode, "Trade.TypeCode", trade.typeCode),
    VENDARA_FIELD(TradeAccessory, "Trade.Accessory", trade.accessory),
    VENDARA_FIELD(TradeMemo1, "Trade.Memo1", trade.memo1),
    VENDARA_FIELD(TradeMemo2, "Trade.Memo2", trade.memo2),
    VENDARA_FIELD(TradePrice, "Trade.Price", trade.price),
    VENDARA_FIELD(TradeTrade, "Trade.Trade", trade.trade),
    VENDARA_FIELD(TradeTax, "Trade.Tax", trade.tax),
    VENDARA_FIELD(TradeIns, "Trade.Ins", trade.ins),
    VENDARA_FIELD(TradeDeb, "Trade.Deb", trade.deb),
    VENDARA_FIELD(PriceLast, "Price.Last", price.last),
    VENDARA_FIELD(PayMethod, "Pay.Method", pay.method),
    VENDARA_FIELD(PayDown, "Pay.Down", pay.down),
    VENDARA_FIELD(PayRate, "Pay.Rate", pay.rate),
    VENDARA_FIELD(PayTime, "Pay.Time", pay.time),
    VENDARA_FIELD(PayBTime, "Pay.BTime", pay.bTime),
    VENDARA_FIELD(PayBPlus, "Pay.BPlus", pay.bPlus),
    VENDARA_FIELD(NoteMemo1, "Note.Memo1", note.memo1),
    VENDARA_FIELD(NoteMemo2, "Note.Memo2", note.memo2),
    VENDARA_FIELD(NoteMemo3, "Note.Memo3", note.memo3),
};

#undef VENDARA_FIELD

const FieldInfo &infoOf(SlipField field)
{
    const auto index = size_t(field);
    if (index >= std::size(kFields) || kFields[index].field != field)
        throw std::logic_error("slip field table out of step");
    return kFields[index];
}

} // namespace

FieldRef fieldRef(SlipRecord &slip, SlipField field)
{
    return infoOf(field).ref(slip);
}

QString fieldName(SlipField field)
{
    return QString::fromUtf8(infoOf(field).name);
}

bool isFlagField(SlipField field)
{
    SlipRecord probe;
    return std::holds_alternative<bool *>(fieldRef(probe, field));
}

std::optional<NumberInput> numberInput(SlipField field)
{
    // A car's price, its discount and the trade-in values run to billions of
    // yen; the other amounts to a hundred million, the small ones (taxes that
    // a table gives, the mileage, the displacement) to ten million.
    constexpr double kLarge = 1000000000;
    constexpr double kAmount = 100000000;
    constexpr double kSmall = 10000000;
    switch (field) {
    case SlipField::TaxRate:
    case SlipField::PayRate:
        return NumberInput{2, 100};
    case SlipField::CarPrice:
    case SlipField::CarDisc:
    case SlipField::CarLeft:
    case SlipField::TradePrice:
    case SlipField::TradeTrade:
        return NumberInput{0, kLarge};
    case SlipField::CostTax:
    case SlipField::TradeTax:
    case SlipField::TradeIns:
    case SlipField::TradeDeb:
    case SlipField::PriceLast:
    case SlipField::PayDown:
    case SlipField::PayBPlus:
        return NumberInput{0, kAmount};
    case SlipField::CarKiro:
    case SlipField::CarESize:
    case SlipField::TradeKiro:
    case SlipField::TradeESize:
    case SlipField::CostWTax:
    case SlipField::CostIns:
    case SlipField::CostGTax:
        return NumberInput{0, kSmall};
    case SlipField::PayTime:
        return NumberInput{0, 1000};
    default:
        return std::nullopt;
    }
}

} // namespace vendara
