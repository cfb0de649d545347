#include "listmasterframe.h"

#include "pagebuttonrow.h"
#include "gridview.h"
#include "simplemastermodel.h"

#include "closingwrites.h"

#include "controls/widgets/actionguard.h"
#include "common/questions.h"

#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vendara {

ListMasterFrame::ListMasterFrame(const QString &folder, Questions &questions, QWidget *parent)
    : QWidget(parent), m_master(folder), m_questions(questions), m_model(new SimpleMasterModel(m_master, this)),
      m_title(new QLabel), m_view(new QTableView), m_add(new QPushButton(QStringLiteral("追加(&A)"))),
      m_delete(new QPushButton(QStringLiteral("選択削除&(D)")))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_title->setBuddy(m_view);
    layout->addWidget(m_title);
    setUpGridView(m_view);
    m_view->setModel(m_model);
    layout->addWidget(m_view, 1);
    m_delete->setAccessibleName(QStringLiteral("選択削除"));
    QHBoxLayout *buttons = makePageButtonRow({m_add, m_delete});
    layout->addLayout(buttons);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_master.setCurrentRow(current.row());
            });
    connect(m_add, &QPushButton::clicked, this, guarded(m_questions, [this] {
                m_master.addRow();
                showRows();
                m_view->setFocus();
            }));
    connect(m_delete, &QPushButton::clicked, this, guarded(m_questions, [this] {
                m_master.deleteCurrentRow();
                showRows();
            }));
}

ListMasterFrame::~ListMasterFrame()
{
    deleteViewsFirst(this);
}

void ListMasterFrame::selectMaster(const QString &name)
{
    // Writes the current master back first; another desk's change of it is
    // resolved before the grid shows another master.
    if (m_master.hasMaster() && writeResolvingConflicts(m_questions, closingWrite()) != WriteOutcome::Written)
        return;
    if (!runGuarded(m_questions, [this, &name] { m_master.selectMaster(name); }))
        return;
    m_title->setText(name);
    m_view->setAccessibleName(name);
    showRows();
    layOutColumns();
}

void ListMasterFrame::setEditable(bool on)
{
    m_editable = on;
    m_model->setEditable(on);
    setGridEditable(m_view, on);
    m_add->setEnabled(on);
    m_delete->setEnabled(on);
}

void ListMasterFrame::writeBack()
{
    commitOpenEditors(this);
    m_master.save();
}

ClosingWrite ListMasterFrame::closingWrite()
{
    return masterClosingWrite(this, m_master, [this] { writeBack(); }, [this] { showRows(); });
}

void ListMasterFrame::layOutColumns()
{
    // The name column takes whatever width the amount column leaves.
    QHeaderView *header = m_view->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    if (m_master.columnCount() == 1)
        return;
    // The amount column fits "000,000,000" in the fixed-pitch face.
    const int amountWidth = QFontMetrics(amountFont(m_view->font())).horizontalAdvance(QStringLiteral("000,000,000"));
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, amountWidth + 2 * 3);
}

void ListMasterFrame::showRows()
{
    m_model->reload();
    m_view->setCurrentIndex(m_model->index(m_master.currentRow(), 0));
}

} // namespace vendara
