#include "acquisitiontaxdialog.h"

#include "ui_acquisitiontaxdialog.h"

#include <QHeaderView>

#include <cmath>

namespace vendara {

namespace {

// The largest values whose grouped text fits the fields' lengths: "99.99"
// (5 characters) and "999,999,999" (within 12).
constexpr int kRateLength = 5;
constexpr double kRateMaximum = 99.99;
constexpr int kAmountLength = 12;
constexpr double kAmountMaximum = 999999999;
constexpr double kAmountMinimum = -99999999;

void setUpAmountField(FloatEdit *edit)
{
    edit->setDigits(0);
    edit->setSupportsThousandSeparator(true);
    edit->setRange(kAmountMinimum, kAmountMaximum);
    edit->setMaxLength(kAmountLength);
}

} // namespace

AcquisitionTaxDialog::AcquisitionTaxDialog(QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AcquisitionTaxDialog>())
{
    m_ui->setupUi(this);
    setAccessibleName(windowTitle());
    setModal(true);

    QTreeWidget *list = m_ui->itemList;
    list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->resizeSection(1, list->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000")) + 12);

    m_ui->rateEdit->setDigits(2);
    m_ui->rateEdit->setSupportsThousandSeparator(true);
    m_ui->rateEdit->setRange(0, kRateMaximum);
    m_ui->rateEdit->setMaxLength(kRateLength);
    setUpAmountField(m_ui->totalEdit);
    setUpAmountField(m_ui->taxEdit);
    const int fieldWidth = m_ui->taxEdit->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000")) + 16;
    for (FloatEdit *edit : {m_ui->rateEdit, m_ui->totalEdit, m_ui->taxEdit})
        edit->setFixedWidth(fieldWidth);

    connect(m_ui->computeButton, &QPushButton::clicked, this, &AcquisitionTaxDialog::compute);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

AcquisitionTaxDialog::~AcquisitionTaxDialog() = default;

void AcquisitionTaxDialog::setItems(const QList<AcquisitionTaxItem> &items)
{
    m_items = items;
    m_ui->itemList->clear();
    for (const AcquisitionTaxItem &item : items) {
        auto *row = new QTreeWidgetItem(m_ui->itemList, {item.name, item.amount});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void AcquisitionTaxDialog::setRate(double ratePercent)
{
    m_ui->rateEdit->setValue(ratePercent);
}

double AcquisitionTaxDialog::rate() const
{
    return m_ui->rateEdit->value();
}

qint64 AcquisitionTaxDialog::taxAmount() const
{
    return qint64(std::trunc(m_ui->taxEdit->value()));
}

void AcquisitionTaxDialog::compute()
{
    m_ui->totalEdit->setValue(0);
    m_ui->taxEdit->setValue(0);
    const AcquisitionTax result = computeAcquisitionTax(m_items, rate());
    m_ui->totalEdit->setValue(double(result.total));
    m_ui->taxEdit->setValue(double(result.tax));
}

} // namespace vendara
