#include "settings/widgets/companyblocksavedialog.h"
#include "ui_companyblocksavedialog.h"

#include "common/questions.h"
#include "masters/namerules.h"

namespace vendara {

CompanyBlockSaveDialog::CompanyBlockSaveDialog(const QStringList &setNames, Questions &questions,
                                               QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<::Ui::CompanyBlockSaveDialog>())
    , m_questions(questions)
    , m_setNames(setNames)
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
    // A listed name is saved over after a question; any other name must be
    // a set file of its own.
    QStringList others = m_setNames;
    others.removeAll(name());
    if (const QString problem = companyBlockSetNames().newNameProblem(name(), others); !problem.isEmpty()) {
        m_questions.error(problem);
        m_ui->nameBox->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace vendara
