#include "equipmentpickdialog.h"

#include "pickdialogbuttons.h"
#include "common/helptopic.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vendara {

EquipmentPickDialog::EquipmentPickDialog(const QString &folder, QWidget *parent)
    : QDialog(parent), m_list(folder), m_view(new QTreeWidget)
{
    setWindowTitle(QStringLiteral("装備の選択"));
    m_view->setHeaderLabels({QStringLiteral("装備名"), QStringLiteral("略号")});
    m_view->setRootIsDecorated(false);
    m_view->setAccessibleName(QStringLiteral("装備"));
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setStretchLastSection(false);
    for (const EquipmentItem &item : m_list.items()) {
        auto *row = new QTreeWidgetItem(m_view, {item.name, item.abbreviation});
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
    }
    if (m_view->topLevelItemCount() > 0)
        m_view->setCurrentItem(m_view->topLevelItem(0));

    QDialogButtonBox *buttons = makePickDialogButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        emit helpRequested(help::Equipment);
        reject();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(buttons);
    resize(360, 320);
}

void EquipmentPickDialog::presetChecks(const QString &fieldText)
{
    const QList<bool> checks = m_list.presetChecks(fieldText);
    for (int i = 0; i < m_view->topLevelItemCount(); ++i)
        m_view->topLevelItem(i)->setCheckState(0, checks.value(i) ? Qt::Checked : Qt::Unchecked);
}

QList<bool> EquipmentPickDialog::checks() const
{
    QList<bool> checks;
    for (int i = 0; i < m_view->topLevelItemCount(); ++i)
        checks.append(m_view->topLevelItem(i)->checkState(0) == Qt::Checked);
    return checks;
}

QString EquipmentPickDialog::checkedAbbreviations() const
{
    return m_list.checkedAbbreviations(checks());
}

} // namespace vendara
