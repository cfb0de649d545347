#pragma once

#include <QDate>
#include <QString>

#include <vector>

namespace vendara {

class SlipIndex;

// One customer of the slips, as the customer look-up offers it to fill in
// a new slip's customer section.
struct CustomerEntry
{
    QString name;
    QString title; // "様", "御中"
    QString zip1, zip2;
    QString prefecture;
    QString address1, address2;
    QString tel;
    QDate lastIssueDate;     // the newest slip of this customer
    qint64 lastModifiedMs = 0;
    QString lastSlipPath;    // the file of that slip
    int slipCount = 0;       // slips of this customer in the index
    QString searchText;      // folded for searching

    QString postalCode() const;
    QString address() const;
};

// The customers of the index's slips, each once, newest slip first. Slips
// are one customer when name, postal code, address and phone are the same
// (width, kana and case of the text not counted); the entry shows them as
// the newest of those slips has them. Slips without a customer name are
// left out.
std::vector<CustomerEntry> distinctCustomers(const SlipIndex &index);

// The entries whose name, postal code, address or phone hold every word of
// the query (as the slip list matches), in their order.
std::vector<const CustomerEntry *> filterCustomers(const std::vector<CustomerEntry> &entries, const QString &query);

} // namespace vendara
