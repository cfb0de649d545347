#include "slippicks.h"

#include "common/colorref.h"

namespace vendara {

QString postalKeyword(const SlipRecord &slip)
{
    return slip.cust.zip1 + slip.cust.zip2;
}

void takePostalPick(SlipDocument &document, const QString &postalCode, const QString &prefecture,
                    const QString &address)
{
    SlipDocument::Batch batch(document);
    document.setText(SlipField::CustZip1, postalCode.left(3));
    document.setText(SlipField::CustZip2, postalCode.mid(3, 4));
    document.setText(SlipField::CustCity, prefecture);
    document.setText(SlipField::CustAdd1, address);
}

void takeCustomerPick(SlipDocument &document, const PastCustomer &customer)
{
    SlipDocument::Batch batch(document);
    document.setText(SlipField::CustName, customer.name);
    document.setText(SlipField::CustTitle, customer.title);
    document.setText(SlipField::CustZip1, customer.zip1);
    document.setText(SlipField::CustZip2, customer.zip2);
    document.setText(SlipField::CustCity, customer.prefecture);
    document.setText(SlipField::CustAdd1, customer.address1);
    document.setText(SlipField::CustAdd2, customer.address2);
    document.setText(SlipField::CustTel, customer.tel);
}

void takeRowPick(SlipDocument &document, SlipDocument::InputTable table, int row, const QString &name,
                 const QString &price)
{
    SlipDocument::Batch batch(document);
    document.setCell(table, row, 0, name);
    document.setCell(table, row, 1, price);
}

void takeLookedUpAmount(SlipDocument &document, SlipField field, qint64 amount)
{
    SlipDocument::Batch batch(document);
    document.setNumber(field, double(amount));
    document.recalcTotals();
}

void finishListPick(SlipDocument &document, bool picked)
{
    SlipDocument::Batch batch(document);
    document.recalcTotals();
    if (picked)
        document.markChanged();
}

QColor statusTextColour(int storedColour, const QColor &buttonText)
{
    const auto value = quint32(storedColour);
    if (value & 0xFF000000u) // a system colour, not a plain blue-green-red value
        return buttonText;
    return colorFromColorRef(value);
}

} // namespace vendara
