#include "masterpickdialog.h"
#include "ui_masterpickdialog.h"

#include "carmasterframe.h"
#include "closingwrites.h"
#include "listmasterframe.h"

#include "controls/widgets/actionguard.h"
#include "masters/simplemaster.h"
#include "common/helptopic.h"

#include <QTableView>

namespace vendara {

MasterPickDialog::MasterPickDialog(const QString &mastersFolder, Questions &questions, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MasterPickDialog>()),
      m_folder(mastersFolder.endsWith(u'/') ? mastersFolder : mastersFolder + u'/'), m_questions(questions)
{
    m_ui->setupUi(this);
    setFixedSize(620, 400);
    connect(m_ui->editButton, &QPushButton::clicked, this,
            guarded(m_questions, [this] { setEditing(!m_editing); }));
    connect(m_ui->helpButton, &QPushButton::clicked, this,
            guarded(m_questions, [this] { emit helpRequested(help::GuideLists); }));
}

MasterPickDialog::~MasterPickDialog() = default;

void MasterPickDialog::selectList(int number)
{
    if (const auto list = masterListNumbered(number))
        selectList(*list);
}

void MasterPickDialog::selectList(MasterList list)
{
    // The list on show is written before its frame goes.
    if (writeResolvingConflicts(m_questions, closingWrite()) != WriteOutcome::Written)
        return;
    delete m_carFrame;
    delete m_listFrame;
    m_carFrame = nullptr;
    m_listFrame = nullptr;
    m_list = list;
    QTableView *grid = nullptr;
    if (list == MasterList::CarName) {
        m_carFrame = new CarMasterFrame(m_folder + QStringLiteral("Mk/"), m_questions);
        m_ui->frameLayout->addWidget(m_carFrame);
        grid = m_carFrame->makerView();
    } else if (const auto info = simpleMasterFor(list)) {
        m_listFrame = new ListMasterFrame(m_folder, m_questions);
        m_ui->frameLayout->addWidget(m_listFrame);
        m_listFrame->selectMaster(info->name);
        grid = m_listFrame->view();
    }
    setEditing(false);
    if (grid)
        grid->setFocus();
}

void MasterPickDialog::setEditing(bool on)
{
    m_editing = on;
    if (m_carFrame)
        m_carFrame->setEditable(on);
    if (m_listFrame)
        m_listFrame->setEditable(on);
    m_ui->editButton->setText(on ? QStringLiteral("編集終了(&E)") : QStringLiteral("編集(&E)"));
}

QString MasterPickDialog::selectedName() const
{
    if (m_carFrame)
        return m_carFrame->selectedName();
    return m_listFrame ? m_listFrame->selectedName() : QString();
}

QString MasterPickDialog::selectedPrice() const
{
    return m_listFrame ? m_listFrame->selectedPrice() : QString();
}

void MasterPickDialog::done(int result)
{
    if (writeBeforeClosing(m_questions, {closingWrite()}))
        QDialog::done(result);
}

ClosingWrite MasterPickDialog::closingWrite()
{
    if (m_listFrame)
        return m_listFrame->closingWrite();
    if (m_carFrame)
        return m_carFrame->closingWrite();
    return {[] {}};
}

} // namespace vendara
