#pragma once

#include "masters/acquisitiontax.h"

#include <QDialog>

#include <memory>

namespace Ui {
class AcquisitionTaxDialog;
}

namespace vendara {

// "取得税計算": lists the slip's taxable amounts and computes the acquisition
// tax from them with the rate in the dialog. The tax field can also be typed
// into; what it shows is the dialog's result.
class AcquisitionTaxDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AcquisitionTaxDialog(QWidget *parent = nullptr);
    ~AcquisitionTaxDialog() override;

    void setItems(const QList<AcquisitionTaxItem> &items);
    // The rate in percent the dialog opens with.
    void setRate(double ratePercent);
    double rate() const;
    // The value of the tax field, computed or typed.
    qint64 taxAmount() const;

private:
    void compute();

    std::unique_ptr<Ui::AcquisitionTaxDialog> m_ui;
    QList<AcquisitionTaxItem> m_items;
};

} // namespace vendara
