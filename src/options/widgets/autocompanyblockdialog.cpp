#include "options/widgets/autocompanyblockdialog.h"
#include "ui_autocompanyblockdialog.h"

#include "common/error.h"
#include "controls/widgets/dialogquestions.h"
#include "controls/widgets/inputmethodguard.h"
#include "masters/namerules.h"
#include "printsettings/companyblock.h"

#include <QFileInfo>
#include <QRegularExpressionValidator>

namespace vendara {

namespace {

const QString kDefaultSet = QStringLiteral("デフォルト");
const QString kFace = QStringLiteral("ＭＳ ゴシック");

} // namespace

AutoCompanyBlockDialog::AutoCompanyBlockDialog(const DataFolder &data, DialogQuestions &questions, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<::Ui::AutoCompanyBlockDialog>())
    , m_data(data)
    , m_questions(questions)
{
    m_ui->setupUi(this);

    // Postal codes are typed without the input method.
    for (QLineEdit *zip : {m_ui->zip1Edit, m_ui->zip2Edit})
        takeAsciiNumbers(zip);

    m_ui->prefectureBox->addItems(prefectures());
    m_ui->prefectureBox->setCurrentIndex(-1);
    m_ui->prefectureBox->setEditText(QString());

    if (QFileInfo::exists(m_data.datPath(QStringLiteral("Mst/LogoList")))) {
        m_ui->setNameBox->addItems(companyblock::readSetList(m_data));
        m_ui->setNameBox->setCurrentIndex(-1);
        m_ui->setNameBox->setEditText(QString());
    } else {
        // The first set of a new list is always the default one.
        m_ui->setNameBox->addItem(kDefaultSet);
        m_ui->setNameBox->setCurrentIndex(0);
        m_ui->setNameBox->setEnabled(false);
        m_nameLocked = true;
    }
    setFixedHeight(sizeHint().height());
}

AutoCompanyBlockDialog::~AutoCompanyBlockDialog() = default;

const QStringList &AutoCompanyBlockDialog::prefectures()
{
    static const QStringList list = QStringLiteral(
        "北海道 青森県 岩手県 宮城県 秋田県 山形県 福島県 栃木県 茨城県 群馬県 埼玉県 千葉県 東京都 神奈川県 "
        "山梨県 長野県 新潟県 富山県 石川県 福井県 岐阜県 静岡県 愛知県 三重県 滋賀県 京都府 大阪府 兵庫県 "
        "奈良県 和歌山県 鳥取県 島根県 岡山県 広島県 山口県 徳島県 香川県 愛媛県 高知県 福岡県 佐賀県 長崎県 "
        "熊本県 大分県 宮崎県 鹿児島県 沖縄県").split(u' ');
    return list;
}

QString AutoCompanyBlockDialog::setName() const
{
    return m_nameLocked ? kDefaultSet : m_ui->setNameBox->currentText();
}

QStringList AutoCompanyBlockDialog::generatedValues() const
{
    QStringList values = {
        kFace,
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("20"),
        m_ui->companyLine1Edit->text(),
        m_ui->companyLine2Edit->text(),
        kFace,
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("12"),
        m_ui->zip1Edit->text() + u'-' + m_ui->zip2Edit->text(),
        m_ui->prefectureBox->currentText() + m_ui->addressEdit->text(),
        m_ui->buildingEdit->text(),
        QStringLiteral("TEL ") + m_ui->phoneEdit->text(),
        QStringLiteral("FAX ") + m_ui->faxEdit->text(),
        QString(), // address lines 6 to 8
        QString(),
        QString(),
        QString(), // no image
        QStringLiteral("0"),
        QStringLiteral("0"),
        QStringLiteral("100"),
        QStringLiteral("100"),
    };
    return values;
}

void AutoCompanyBlockDialog::accept()
{
    const QString name = setName();
    if (!m_nameLocked && name.isEmpty()) {
        m_questions.error(this, QStringLiteral("設定名を入力してください"));
        m_ui->setNameBox->setFocus();
        return;
    }
    try {
        // A listed name is written over after the question below; any other
        // name must be a set file of its own.
        QStringList others = companyblock::readSetList(m_data);
        others.removeAll(name);
        companyBlockSetNames().requireNewName(name, others);
        const QString path = companyblock::setFilePath(m_data, name);
        if (QFileInfo::exists(path)
            && !m_questions.confirm(this, QStringLiteral("同名の設定があります\n上書きしますか？"))) {
            return;
        }
        companyblock::writeSet(path, generatedValues());

        QStringList names = companyblock::readSetList(m_data);
        if (!names.contains(name)) {
            names.append(name);
            companyblock::writeSetList(m_data, names);
        }
    } catch (const Error &e) {
        m_questions.error(this, e.message());
        m_ui->setNameBox->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace vendara
