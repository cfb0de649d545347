#include "basicsettingspage.h"

#include "controls/widgets/floatedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vendara {

namespace {

FloatEdit *percentEdit(QWidget *parent)
{
    auto *edit = new FloatEdit(parent);
    edit->setDigits(2);
    edit->setRange(0, 100);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFixedWidth(80);
    return edit;
}

// One row of a group: the caption with its shortcut, the control, then an
// optional text in front of and behind the control ("新車価格の" … "％").
void addRow(QGridLayout *grid, int row, const QString &caption, QWidget *control, const QString &before = {},
            const QString &after = {})
{
    auto *label = new QLabel(caption);
    label->setBuddy(control);
    grid->addWidget(label, row, 0);
    auto *line = new QHBoxLayout;
    if (!before.isEmpty())
        line->addWidget(new QLabel(before));
    line->addWidget(control);
    if (!after.isEmpty())
        line->addWidget(new QLabel(after));
    line->addStretch();
    grid->addLayout(line, row, 1);
}

QGridLayout *groupGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

BasicSettingsPage::BasicSettingsPage(Settings &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings)
{
    auto *taxGroup = new QGroupBox(QStringLiteral("税設定"), this);
    m_taxRate = percentEdit(taxGroup);
    m_taxRate->setObjectName(QStringLiteral("taxRateEdit"));
    m_rounding = new QComboBox(taxGroup);
    m_rounding->setObjectName(QStringLiteral("roundingBox"));
    m_rounding->addItems({QStringLiteral("四捨五入"), QStringLiteral("切り捨て"), QStringLiteral("切り上げ")});
    m_acquisitionTaxRate = percentEdit(taxGroup);
    m_acquisitionTaxRate->setObjectName(QStringLiteral("acquisitionTaxRateEdit"));
    m_acquisitionRatio = percentEdit(taxGroup);
    m_acquisitionRatio->setObjectName(QStringLiteral("acquisitionRatioEdit"));
    QGridLayout *taxGrid = groupGrid(taxGroup);
    addRow(taxGrid, 0, QStringLiteral("標準の消費税率(&S)"), m_taxRate, {}, QStringLiteral("％"));
    addRow(taxGrid, 1, QStringLiteral("消費税端数(&H)"), m_rounding);
    addRow(taxGrid, 2, QStringLiteral("標準の取得税率(&T)"), m_acquisitionTaxRate, {}, QStringLiteral("％"));
    addRow(taxGrid, 3, QStringLiteral("新車の取得税基準額換算率(&K)"), m_acquisitionRatio, QStringLiteral("新車価格の"),
           QStringLiteral("％"));

    auto *creditGroup = new QGroupBox(QStringLiteral("クレジット設定"), this);
    m_creditRate = percentEdit(creditGroup);
    m_creditRate->setObjectName(QStringLiteral("creditRateEdit"));
    addRow(groupGrid(creditGroup), 0, QStringLiteral("標準の年率(&R)"), m_creditRate, {}, QStringLiteral("％"));

    auto *dateGroup = new QGroupBox(QStringLiteral("日付"), this);
    m_dateForm = new QComboBox(dateGroup);
    m_dateForm->setObjectName(QStringLiteral("dateFormBox"));
    m_dateForm->addItems({QStringLiteral("西暦"), QStringLiteral("和暦")});
    addRow(groupGrid(dateGroup), 0, QStringLiteral("日付表示(&D)"), m_dateForm);

    // The caption column lines up across the three groups.
    const int captionWidth = taxGrid->itemAtPosition(3, 0)->widget()->sizeHint().width();
    for (QGroupBox *group : {creditGroup, dateGroup})
        static_cast<QGridLayout *>(group->layout())->setColumnMinimumWidth(0, captionWidth);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(taxGroup);
    layout->addWidget(creditGroup);
    layout->addWidget(dateGroup);
    layout->addStretch();

    load();
}

void BasicSettingsPage::load()
{
    m_settings.loadBasic();
    setValues(m_settings.basic());
}

bool BasicSettingsPage::isChanged() const
{
    return m_settings.isChanged(values());
}

void BasicSettingsPage::save(Overwrite overwrite)
{
    m_settings.saveBasic(values(), overwrite);
}

BasicSettings BasicSettingsPage::values() const
{
    BasicSettings values;
    values.dateForm = DateForm(m_dateForm->currentIndex());
    values.standardTaxRate = m_taxRate->value();
    values.rounding = m_rounding->currentIndex();
    values.acquisitionTaxRate = m_acquisitionTaxRate->value();
    values.acquisitionRatio = m_acquisitionRatio->value();
    values.creditRate = m_creditRate->value();
    return values;
}

void BasicSettingsPage::setValues(const BasicSettings &values)
{
    m_dateForm->setCurrentIndex(int(values.dateForm));
    m_taxRate->setValue(values.standardTaxRate);
    m_rounding->setCurrentIndex(values.rounding >= 0 && values.rounding <= 2 ? values.rounding : 0);
    m_acquisitionTaxRate->setValue(values.acquisitionTaxRate);
    m_acquisitionRatio->setValue(values.acquisitionRatio);
    m_creditRate->setValue(values.creditRate);
}

} // namespace vendara
