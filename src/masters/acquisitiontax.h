#pragma once

#include <QList>
#include <QString>

namespace vendara {

// One line of the acquisition-tax dialog's list: an item and its taxable
// amount as text.
struct AcquisitionTaxItem
{
    QString name;
    QString amount;
};

// A row of the slip's accessory or special-equipment list as far as the
// acquisition tax is concerned.
struct TaxableRow
{
    QString name;
    QString price;
    QString taxMark; // the "税" cell: "1" when the row is taxable
};

struct AcquisitionTax
{
    qint64 total = 0; // sum of the items' amounts
    qint64 tax = 0;
};

// What the slip lists in the dialog: the car's taxable base first
// ("車両本体課税額"), then every accessory and every special-equipment
// row that has a tax mark and a name, with its price text as entered.
QList<AcquisitionTaxItem> acquisitionTaxItems(double carBase, const QList<TaxableRow> &accessories,
                                              const QList<TaxableRow> &specials);

// The dialog's computation. Amounts that are not plain integers count as 0.
// Below 500,000 yen the tax is 0; otherwise the total is cut to 1,000 yen,
// multiplied by ratePercent / 100 as a money value of four decimals (rounded
// half to even) and the result cut to 100 yen.
AcquisitionTax computeAcquisitionTax(const QList<AcquisitionTaxItem> &items, double ratePercent);

} // namespace vendara
