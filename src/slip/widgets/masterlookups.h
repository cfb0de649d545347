#pragma once

#include "sliplookups.h"

#include <functional>

namespace vendara {

class DataFolder;
class Questions;

// The real dialogs over the data folder's masters.
class MasterLookups : public SlipLookups
{
public:
    // showHelp opens a help topic of the dialogs' help buttons;
    // acquisitionTaxRate reads the settings' rate the acquisition-tax dialog
    // opens with.
    MasterLookups(const DataFolder &data, Questions &questions, std::function<void(int)> showHelp,
                  std::function<double()> acquisitionTaxRate);

    std::optional<ListPick> pickFromList(QWidget *owner, MasterList list) override;
    std::optional<int> pickTaxAmount(QWidget *owner, int kind) override;
    std::optional<qint64> computeAcquisitionTax(QWidget *owner, const QList<AcquisitionItem> &items) override;
    std::optional<QString> pickEquipment(QWidget *owner, const QString &fieldText) override;
    std::optional<QStringList> pickMemoLines(QWidget *owner) override;
    std::optional<PostalPick> searchPostalCode(QWidget *owner, const QString &keyword) override;
    std::optional<CustomerPick> pickPastCustomer(QWidget *owner, const QString &typed) override;

    // The customer look-up lives with the slip list; the window that has one
    // hands it in.
    using PastCustomerPicker = std::function<std::optional<CustomerPick>(QWidget *owner, const QString &typed)>;
    void setPastCustomerPicker(PastCustomerPicker picker) { m_pastCustomers = std::move(picker); }

private:
    QString m_masters;
    QString m_postalCodes;
    QString m_taxTables;
    Questions &m_questions;
    std::function<void(int)> m_showHelp;
    std::function<double()> m_acquisitionTaxRate;
    PastCustomerPicker m_pastCustomers;
};

} // namespace vendara
