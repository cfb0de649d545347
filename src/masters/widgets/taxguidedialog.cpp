#include "taxguidedialog.h"

#include "closingwrites.h"
#include "taxgridframe.h"

#include "controls/widgets/actionguard.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendara {

namespace {
const QString kEditCaption = QStringLiteral("編集(&E)");
const QString kEndEditCaption = QStringLiteral("編集終了(&E)");
} // namespace

TaxGuideDialog::TaxGuideDialog(const QString &tableFolder, Questions &questions, QWidget *parent)
    : QDialog(parent),
      m_questions(questions),
      m_frame(new TaxGridFrame(tableFolder, questions, this)),
      m_editButton(new QPushButton(kEditCaption, this)),
      m_okButton(nullptr)
{
    setWindowTitle(QStringLiteral("選択"));
    setAccessibleName(windowTitle());
    setModal(true);
    setSizeGripEnabled(true);
    setMinimumSize(320, 240);

    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setAutoDefault(false);
    connect(m_editButton, &QPushButton::clicked, this, guarded(m_questions, [this] { toggleEditMode(); }));

    auto *buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    m_okButton->setDefault(true);
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_editButton);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame, 1);
    layout->addLayout(bottom);
    resize(560, 360);
}

TaxGuideDialog::~TaxGuideDialog() = default;

void TaxGuideDialog::done(int result)
{
    if (writeBeforeClosing(m_questions, {m_frame->closingWrite()}))
        QDialog::done(result);
}

void TaxGuideDialog::selectKind(int kind)
{
    m_frame->selectKind(kind);
}

int TaxGuideDialog::selectedAmount() const
{
    return m_frame->selectedAmount();
}

void TaxGuideDialog::toggleEditMode()
{
    const bool editing = !m_frame->editMode();
    m_frame->setEditMode(editing);
    m_editButton->setText(editing ? kEndEditCaption : kEditCaption);
    m_okButton->setEnabled(!editing);
    if (!editing)
        m_okButton->setDefault(true);
}

} // namespace vendara
