#include "acquisitiontax.h"

#include "celltext.h"

#include <cmath>

namespace vendara {

namespace {

constexpr qint64 kExemptBelow = 500000;
constexpr qint64 kBaseUnit = 1000;
constexpr qint64 kTaxUnit = 100;
constexpr qint64 kMoneyScale = 10000; // four decimals

void appendTaxable(QList<AcquisitionTaxItem> &items, const QList<TaxableRow> &rows)
{
    for (const TaxableRow &row : rows)
        if (!row.taxMark.isEmpty() && !row.name.isEmpty())
            items.append({row.name, row.price});
}

} // namespace

QList<AcquisitionTaxItem> acquisitionTaxItems(double carBase, const QList<TaxableRow> &accessories,
                                              const QList<TaxableRow> &specials)
{
    QList<AcquisitionTaxItem> items;
    items.append({QStringLiteral("車両本体課税額"), QString::number(qint64(std::trunc(carBase)))});
    appendTaxable(items, accessories);
    appendTaxable(items, specials);
    return items;
}

AcquisitionTax computeAcquisitionTax(const QList<AcquisitionTaxItem> &items, double ratePercent)
{
    AcquisitionTax result;
    for (const AcquisitionTaxItem &item : items)
        result.total += celltext::yenOrZero(item.amount);
    if (result.total < kExemptBelow)
        return result;
    const qint64 base = result.total / kBaseUnit * kBaseUnit;
    // Extended precision as the money conversion had; llrint rounds ties to even.
    const long double exact = static_cast<long double>(base) * ratePercent / 100.0L;
    const qint64 scaled = std::llrint(exact * kMoneyScale);
    result.tax = scaled / (kTaxUnit * kMoneyScale) * kTaxUnit;
    return result;
}

} // namespace vendara
