#include "settings/widgets/autocompanyblockdialog.h"
#include "ui_autocompanyblockdialog.h"

#include "common/error.h"
#include "common/questions.h"
#include "controls/widgets/inputmethodguard.h"
#include "masters/namerules.h"
#include "printsettings/companyblock.h"

#include <QFileInfo>

namespace vendara {

AutoCompanyBlockDialog::AutoCompanyBlockDialog(const DataFolder &data, Questions &questions, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<::Ui::AutoCompanyBlockDialog>())
    , m_data(data)
    , m_questions(questions)
{
    m_ui->setupUi(this);

    // Postal codes are typed without the input method.
    for (QLineEdit *zip : {m_ui->zip1Edit, m_ui->zip2Edit})
        takeAsciiNumbers(zip);

    m_ui->prefectureBox->addItems(companyblock::generationPrefectures());
    m_ui->prefectureBox->setCurrentIndex(-1);
    m_ui->prefectureBox->setEditText(QString());

    if (companyblock::hasSetList(m_data)) {
        m_ui->setNameBox->addItems(companyblock::readSetList(m_data));
        m_ui->setNameBox->setCurrentIndex(-1);
        m_ui->setNameBox->setEditText(QString());
    } else {
        // The first set of a new list is always the default one.
        m_ui->setNameBox->addItem(companyblock::defaultSetName());
        m_ui->setNameBox->setCurrentIndex(0);
        m_ui->setNameBox->setEnabled(false);
        m_nameLocked = true;
    }
    setFixedHeight(sizeHint().height());
}

AutoCompanyBlockDialog::~AutoCompanyBlockDialog() = default;

QString AutoCompanyBlockDialog::setName() const
{
    return m_nameLocked ? companyblock::defaultSetName() : m_ui->setNameBox->currentText();
}

companyblock::GeneratedSetFields AutoCompanyBlockDialog::fields() const
{
    companyblock::GeneratedSetFields fields;
    fields.nameLine1 = m_ui->companyLine1Edit->text();
    fields.nameLine2 = m_ui->companyLine2Edit->text();
    fields.zip1 = m_ui->zip1Edit->text();
    fields.zip2 = m_ui->zip2Edit->text();
    fields.prefecture = m_ui->prefectureBox->currentText();
    fields.address = m_ui->addressEdit->text();
    fields.building = m_ui->buildingEdit->text();
    fields.phone = m_ui->phoneEdit->text();
    fields.fax = m_ui->faxEdit->text();
    return fields;
}

QStringList AutoCompanyBlockDialog::generatedValues() const
{
    return companyblock::generatedValues(fields());
}

void AutoCompanyBlockDialog::accept()
{
    const QString name = setName();
    try {
        companyblock::requireSetName(name);
        // A listed name is written over after the question below; any other
        // name must be a set file of its own.
        companyBlockSetNames().requireNewName(name, companyblock::otherSetNames(m_data, name));
        if (QFileInfo::exists(companyblock::setFilePath(m_data, name))
            && !m_questions.confirm(QStringLiteral("同名の設定があります\n上書きしますか？"))) {
            return;
        }
        companyblock::writeGeneratedSet(m_data, name, fields());
    } catch (const Error &e) {
        m_questions.error(e.message());
        m_ui->setNameBox->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace vendara
