#include "masterpickdialog.h"
#include "ui_masterpickdialog.h"

#include "carmasterframe.h"
#include "listmasterframe.h"

#include "masters/simplemaster.h"

#include <QTableView>

namespace vendara {

MasterPickDialog::MasterPickDialog(const QString &mastersFolder, DialogQuestions &questions, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::MasterPickDialog>()),
      m_folder(mastersFolder.endsWith(u'/') ? mastersFolder : mastersFolder + u'/'), m_questions(questions)
{
    m_ui->setupUi(this);
    setFixedSize(620, 400);
    connect(m_ui->editButton, &QPushButton::clicked, this, [this] { setEditing(!m_editing); });
    connect(m_ui->helpButton, &QPushButton::clicked, this, [this] { emit helpRequested(kHelpTopic); });
}

MasterPickDialog::~MasterPickDialog() = default;

void MasterPickDialog::selectList(int mode)
{
    delete m_carFrame;
    delete m_listFrame;
    m_carFrame = nullptr;
    m_listFrame = nullptr;
    m_mode = mode;
    QTableView *grid = nullptr;
    if (mode == 0) {
        m_carFrame = new CarMasterFrame(m_folder + QStringLiteral("Mk/"), m_questions);
        m_ui->frameLayout->addWidget(m_carFrame);
        grid = m_carFrame->makerView();
    } else if (const auto info = simpleMasterForPickMode(mode)) {
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
    // A cell still being edited is taken before the lists are written.
    if (QWidget *focus = focusWidget())
        focus->clearFocus();
    if (m_carFrame)
        m_carFrame->writeBack();
    if (m_listFrame)
        m_listFrame->writeBack();
    QDialog::done(result);
}

} // namespace vendara
