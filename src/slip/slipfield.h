#pragma once

#include "sliprecord.h"

#include <optional>
#include <variant>

namespace vendara {

// Every single-value input of the slip entry frame, named after its section
// and key. The computed values (Car.Tax, the totals, the plan) are not here.
enum class SlipField {
    // [No]
    SlipCode, SlipDiv, SlipDate, Charge,
    // [Cust]
    CustName, CustTitle, CustZip1, CustZip2, CustCity, CustAdd1, CustAdd2, CustTel,
    // [Tax]
    TaxRate, TaxCut,
    // [Car]
    CarName, CarGrade, CarFirst, CarCheck, CarNoCheck, CarNoFirst, CarKiro, CarESize, CarOuter, CarInner,
    CarTypeCode, CarAccessory, CarMemo1, CarMemo2, CarPrice, CarDisc, CarDiscBtn, CarNewOld, CarLeft,
    // [Cost]
    CostTax, CostWTax, CostIns, CostGTax,
    // [Trade]
    TradeName, TradeGrade, TradeFirst, TradeCheck, TradeNoCheck, TradeNoFirst, TradeKiro, TradeESize,
    TradeOuter, TradeInner, TradeTypeCode, TradeAccessory, TradeMemo1, TradeMemo2, TradePrice, TradeTrade,
    TradeTax, TradeIns, TradeDeb,
    // [Price]: the total to pay, which the user may overwrite
    PriceLast,
    // [Pay]
    PayMethod, PayDown, PayRate, PayTime, PayBTime, PayBPlus,
    // [Note]
    NoteMemo1, NoteMemo2, NoteMemo3,
};

// Where a field lives in the record; the alternative tells its type: text,
// number (amounts, counts, rates), choice index, check box, date.
using FieldRef = std::variant<QString *, double *, int *, bool *, QDate *>;
FieldRef fieldRef(SlipRecord &slip, SlipField field);

// Whether the field is a check box (a boolean), such as Pay.Method.
bool isFlagField(SlipField field);

// What a number field takes from the user: its decimals and its largest
// value; none is below 0. Every number field has one, the others none.
struct NumberInput
{
    int decimals = 0;
    double maximum = 0;
};
std::optional<NumberInput> numberInput(SlipField field);

// "Section.Key", for messages.
QString fieldName(SlipField field);

} // namespace vendara
