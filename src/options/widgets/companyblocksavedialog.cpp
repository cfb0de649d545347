#include "options/widgets/companyblocksavedialog.h"
#include "ui_companyblocksavedialog.h"

#include "common/datafolder.h"
#include "common/error.h"
#include "controls/widgets/dialogquestions.h"

namespace vendara {

CompanyBlockSaveDialog::CompanyBlockSaveDialog(const QStringList &setNames, DialogQuestions &questions,
                                               QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<::Ui::CompanyBlockSaveDialog>())
    , m_questions(questions)
{
    m_ui->setupUi(this);
    m_ui->nameBox->addItems(setNames);
    m_ui->nameBox->setCurrentIndex(-1);
    m_ui->nameBox->setEditText(QString());
    setFixedHeight(sizeHint().height());
}

CompanyBlockSaveDialog::~CompanyBlockSaveDialog() = default;

QString CompanyBlockSaveDialog::name() const
{
    return m_ui->nameBox->currentText();
}

void CompanyBlockSaveDialog::accept()
{
    try {
        requireSafeFileName(name());
    } catch (const Error &e) {
        m_questions.error(this, e.message());
        m_ui->nameBox->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace vendara
