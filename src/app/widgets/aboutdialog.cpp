#include "aboutdialog.h"

#include "app/appinfo.h"
#include "ui_aboutdialog.h"

#include <QIcon>

namespace vendara {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    m_ui->iconLabel->setPixmap(QIcon(QStringLiteral(":/icons/vendara.svg")).pixmap(64, 64));
    QFont big = m_ui->productLine1->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    m_ui->productLine1->setFont(big);
    m_ui->productLine1->setText(QStringLiteral("Parvex"));
    m_ui->productLine2->setText(QStringLiteral("自動車販売"));
    m_ui->productLine3->setText(QStringLiteral("Vendara"));
    m_ui->descriptionLabel->setText(appinfo::description());
    m_ui->fileVersionLabel->setText(QStringLiteral("ファイルバージョン %1").arg(appinfo::version()));
    m_ui->productVersionLabel->setText(QStringLiteral("製品バージョン %1").arg(appinfo::version()));
    setAccessibleName(windowTitle());
}

AboutDialog::~AboutDialog() = default;

} // namespace vendara
