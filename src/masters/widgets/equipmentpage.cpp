#include "equipmentpage.h"

#include "pagebuttonrow.h"
#include "controls/widgets/actionguard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vendara {

EquipmentPage::EquipmentPage(const QString &folder, Questions &questions, QWidget *parent)
    : QWidget(parent), m_list(folder), m_questions(questions), m_view(new QTreeWidget), m_name(new QLineEdit), m_abbreviation(new QLineEdit),
      m_replace(new QPushButton(QStringLiteral("置換(&R)"))), m_remove(new QPushButton(QStringLiteral("削除(&D)")))
{
    m_view->setHeaderLabels({QStringLiteral("装備名"), QStringLiteral("略号")});
    m_view->setRootIsDecorated(false);
    m_view->setAccessibleName(QStringLiteral("装備"));
    m_view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_view->header()->setStretchLastSection(false);
    // Abbreviations are typed in ASCII: the field opens with the input
    // method off.
    m_abbreviation->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    m_abbreviation->setAttribute(Qt::WA_InputMethodEnabled, false); // opens with the input method closed

    auto *add = new QPushButton(QStringLiteral("追加(&A)"));
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("装備名(&N)"), m_name);
    fields->addRow(QStringLiteral("略号(&K)"), m_abbreviation);
    QHBoxLayout *buttons = makePageButtonRow({add, m_replace, m_remove});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_view, &QTreeWidget::itemSelectionChanged, this, &EquipmentPage::selectionChanged);
    connect(add, &QPushButton::clicked, this, guarded(m_questions, [this] {
                m_list.add(typedItem());
                showItems(int(m_list.items().size()) - 1);
            }));
    connect(m_replace, &QPushButton::clicked, this, guarded(m_questions, [this] {
                const int index = selectedIndex();
                m_list.replace(index, typedItem());
                showItems(index);
            }));
    connect(m_remove, &QPushButton::clicked, this, guarded(m_questions, [this] {
                const int index = selectedIndex();
                m_list.remove(index);
                showItems(std::min(index, int(m_list.items().size()) - 1));
            }));
    showItems(-1);
}

void EquipmentPage::reload()
{
    m_list.load();
    showItems(-1);
}

void EquipmentPage::showItems(int current)
{
    m_view->clear();
    for (const EquipmentItem &item : m_list.items())
        new QTreeWidgetItem(m_view, {item.name, item.abbreviation});
    if (current >= 0)
        m_view->setCurrentItem(m_view->topLevelItem(current));
    selectionChanged();
}

EquipmentItem EquipmentPage::typedItem() const
{
    return {m_name->text(), m_abbreviation->text()};
}

int EquipmentPage::selectedIndex() const
{
    const QList<QTreeWidgetItem *> selected = m_view->selectedItems();
    return selected.isEmpty() ? -1 : m_view->indexOfTopLevelItem(selected.first());
}

void EquipmentPage::selectionChanged()
{
    const int index = selectedIndex();
    m_replace->setEnabled(index >= 0);
    m_remove->setEnabled(index >= 0);
    if (index >= 0) {
        m_name->setText(m_list.items()[index].name);
        m_abbreviation->setText(m_list.items()[index].abbreviation);
    }
}

} // namespace vendara
