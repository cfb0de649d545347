#include "masterlookups.h"

#include "common/datafolder.h"
#include "masters/widgets/acquisitiontaxdialog.h"
#include "masters/widgets/equipmentpickdialog.h"
#include "masters/widgets/masterpickdialog.h"
#include "masters/widgets/memopickdialog.h"
#include "masters/widgets/taxguidedialog.h"
#include "masters/widgets/postalcodesearchdialog.h"

namespace vendara {

MasterLookups::MasterLookups(const DataFolder &data, Questions &questions, std::function<void(int)> showHelp,
                             std::function<double()> acquisitionTaxRate)
    : m_masters(data.mastersDir()), m_postalCodes(data.postalCodesDir()), m_taxTables(data.taxTablesDir()),
      m_questions(questions), m_showHelp(std::move(showHelp)), m_acquisitionTaxRate(std::move(acquisitionTaxRate))
{
}

std::optional<SlipLookups::ListPick> MasterLookups::pickFromList(QWidget *owner, MasterList list)
{
    MasterPickDialog dialog(m_masters, m_questions, owner);
    QObject::connect(&dialog, &MasterPickDialog::helpRequested, &dialog, m_showHelp);
    dialog.selectList(list);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ListPick{dialog.selectedName(), dialog.selectedPrice()};
}

std::optional<int> MasterLookups::pickTaxAmount(QWidget *owner, int kind)
{
    TaxGuideDialog dialog(m_taxTables, m_questions, owner);
    dialog.selectKind(kind);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedAmount();
}

std::optional<qint64> MasterLookups::computeAcquisitionTax(QWidget *owner, const QList<AcquisitionItem> &items)
{
    AcquisitionTaxDialog dialog(owner);
    dialog.setItems(items);
    dialog.setRate(m_acquisitionTaxRate());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.taxAmount();
}

std::optional<QString> MasterLookups::pickEquipment(QWidget *owner, const QString &fieldText)
{
    EquipmentPickDialog dialog(m_masters, owner);
    QObject::connect(&dialog, &EquipmentPickDialog::helpRequested, &dialog, m_showHelp);
    dialog.presetChecks(fieldText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.checkedAbbreviations();
}

std::optional<QStringList> MasterLookups::pickMemoLines(QWidget *owner)
{
    MemoPickDialog dialog(m_masters, owner);
    QObject::connect(&dialog, &MemoPickDialog::helpRequested, &dialog, m_showHelp);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedLines();
}

std::optional<SlipLookups::PostalPick> MasterLookups::searchPostalCode(QWidget *owner, const QString &keyword)
{
    PostalCodeSearchDialog dialog(m_postalCodes, m_questions, owner);
    QObject::connect(&dialog, &PostalCodeSearchDialog::helpRequested, &dialog, m_showHelp);
    dialog.setKeyword(keyword);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PostalPick{dialog.postalCode(), dialog.prefecture(), dialog.address()};
}

std::optional<SlipLookups::CustomerPick> MasterLookups::pickPastCustomer(QWidget *owner, const QString &typed)
{
    if (!m_pastCustomers)
        return std::nullopt;
    return m_pastCustomers(owner, typed);
}

} // namespace vendara
