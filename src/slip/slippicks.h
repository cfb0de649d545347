#pragma once

#include "slipdocument.h"

#include <QColor>

// What the entry frame's look-ups hand to their dialogs and take back from
// them, and how the stored section colours are shown.
namespace vendara {

// The postal search from the code fields is given the two parts joined.
QString postalKeyword(const SlipRecord &slip);

// A picked postal entry: code characters 1..3 go to Cust.Zip1, 4..7 to
// Cust.Zip2, the prefecture to Cust.City and the address to Cust.Add1.
void takePostalPick(SlipDocument &document, const QString &postalCode, const QString &prefecture,
                    const QString &address);

// A customer of a slip saved before, as the customer look-up gives it.
struct PastCustomer
{
    QString name;
    QString title; // "様", "御中"
    QString zip1, zip2;
    QString prefecture;
    QString address1, address2;
    QString tel;
};

// A picked customer into section 1: every customer field takes the pick's
// value, an empty one included, so nothing of the customer typed before
// stays mixed in; the slip is marked changed once.
void takeCustomerPick(SlipDocument &document, const PastCustomer &customer);

// A name and price (or amount) picked from a list, into one row of an input
// table; the mark of an item row stays.
void takeRowPick(SlipDocument &document, SlipDocument::InputTable table, int row, const QString &name,
                 const QString &price);

// An amount from a tax table or the acquisition-tax dialog into its field
// (Cost.Tax, Cost.Ins, Cost.WTax, Cost.GTax), then the totals at once.
void takeLookedUpAmount(SlipDocument &document, SlipField field, qint64 amount);

// After a pick list, whatever ended it: the totals run; an OK marks the slip
// changed even when the picked text was already there.
void finishListPick(SlipDocument &document, bool picked);

// The colour of a section's status text: a stored blue-green-red value, or,
// for the system button-text colour a slip keeps until its first check,
// `buttonText`.
QColor statusTextColour(int storedColour, const QColor &buttonText);

} // namespace vendara
