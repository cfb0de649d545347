#pragma once

#include "masters/acquisitiontax.h"
#include "masters/postalcodeindex.h"
#include "masters/simplemaster.h"
#include "slip/slippicks.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace vendara {

// The look-up dialogs of the entry frame, each modal, owned by `owner`,
// giving a result only when it ends with OK. The frame decides what it
// passes and where the result goes; a fake stands in for the dialogs in
// tests.
class SlipLookups
{
public:
    struct ListPick
    {
        QString name;
        QString price; // lists with amounts: the price or amount as stored
    };
    using PostalPick = PostalCodeEntry;
    using AcquisitionItem = AcquisitionTaxItem;
    using CustomerPick = PastCustomer;

    virtual ~SlipLookups() = default;

    // The pick dialog "選択" showing `list`.
    virtual std::optional<ListPick> pickFromList(QWidget *owner, MasterList list) = 0;
    // A tax table: 0 automobile tax, 1 compulsory insurance, 2 weight tax.
    virtual std::optional<int> pickTaxAmount(QWidget *owner, int kind) = 0;
    virtual std::optional<qint64> computeAcquisitionTax(QWidget *owner, const QList<AcquisitionItem> &items) = 0;
    // The equipment list with the field's abbreviations checked; gives the
    // composed abbreviation text.
    virtual std::optional<QString> pickEquipment(QWidget *owner, const QString &fieldText) = 0;
    virtual std::optional<QStringList> pickMemoLines(QWidget *owner) = 0;
    virtual std::optional<PostalPick> searchPostalCode(QWidget *owner, const QString &keyword) = 0;
    // The customers of the slips saved before ("過去のお客様"), filtered by
    // what the name field holds. Nothing where no list of them is given.
    virtual std::optional<CustomerPick> pickPastCustomer(QWidget *owner, const QString &typed)
    {
        Q_UNUSED(owner)
        Q_UNUSED(typed)
        return std::nullopt;
    }
};

} // namespace vendara
