#include "printerpropertiesdialog.h"
#include "ui_printerpropertiesdialog.h"

#include "printersettingdialog.h"

#include "controls/widgets/actionguard.h"
#include "common/questions.h"

namespace vendara {
namespace {

void fill(QComboBox *box, const PropertyChoice &choice)
{
    box->clear();
    box->addItems(choice.names);
    box->setCurrentIndex(choice.current);
    box->setEnabled(choice.enabled);
}

PropertyChoice shown(const QComboBox *box, PropertyChoice choice)
{
    choice.current = box->currentIndex();
    return choice;
}

} // namespace

PrinterPropertiesDialog::PrinterPropertiesDialog(PrinterSelection &printer, Questions &questions,
                                                 QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrinterPropertiesDialog>()), m_printer(printer),
      m_questions(questions)
{
    m_ui->setupUi(this);
    connect(m_ui->okButton, &QPushButton::clicked, this, guarded(m_questions, [this] { applyAndClose(); }));
    connect(m_ui->portraitButton, &QRadioButton::toggled, this, [this] { showOrientationPicture(); });

    m_ready = runGuarded(m_questions, [this] { m_opened = PrinterProperties::of(m_printer); });
    showProperties(m_opened);
    m_ui->okButton->setEnabled(m_ready);
}

PrinterPropertiesDialog::~PrinterPropertiesDialog() = default;

void PrinterPropertiesDialog::showProperties(const PrinterProperties &properties)
{
    setWindowTitle(properties.printer.isEmpty() ? QStringLiteral("プリンタのプロパティ")
                                                : QStringLiteral("%1 のプロパティ").arg(properties.printer));
    m_ui->printerValue->setText(properties.printer);
    m_ui->printerValue->setToolTip(properties.printer);
    fill(m_ui->paperBox, properties.paper);
    fill(m_ui->sourceBox, properties.source);
    fill(m_ui->duplexBox, properties.duplex);
    fill(m_ui->colorModeBox, properties.colorMode);
    fill(m_ui->resolutionBox, properties.resolution);

    const bool can = properties.orientationEnabled;
    for (QRadioButton *button : {m_ui->portraitButton, m_ui->landscapeButton}) {
        button->setAutoExclusive(false);
        button->setEnabled(can);
    }
    m_ui->portraitButton->setChecked(can && properties.orientation == QPageLayout::Portrait);
    m_ui->landscapeButton->setChecked(can && properties.orientation == QPageLayout::Landscape);
    for (QRadioButton *button : {m_ui->portraitButton, m_ui->landscapeButton})
        button->setAutoExclusive(true);
    showOrientationPicture();
}

void PrinterPropertiesDialog::showOrientationPicture()
{
    if (!m_ui->portraitButton->isChecked() && !m_ui->landscapeButton->isChecked()) {
        m_ui->orientationPicture->clear();
        return;
    }
    m_ui->orientationPicture->setPixmap(PrinterSettingDialog::orientationPicture(
        m_ui->landscapeButton->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait));
}

PrinterProperties PrinterPropertiesDialog::chosen() const
{
    PrinterProperties properties = m_opened;
    properties.paper = shown(m_ui->paperBox, m_opened.paper);
    properties.source = shown(m_ui->sourceBox, m_opened.source);
    properties.duplex = shown(m_ui->duplexBox, m_opened.duplex);
    properties.colorMode = shown(m_ui->colorModeBox, m_opened.colorMode);
    properties.resolution = shown(m_ui->resolutionBox, m_opened.resolution);
    if (m_opened.orientationEnabled)
        properties.orientation = m_ui->landscapeButton->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return properties;
}

void PrinterPropertiesDialog::applyAndClose()
{
    if (!m_ready)
        return;
    chosen().applyTo(m_printer);
    accept();
}

int PrinterPropertiesDialog::exec()
{
    if (!m_ready) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

} // namespace vendara
