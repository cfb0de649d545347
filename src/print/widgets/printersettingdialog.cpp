#include "printersettingdialog.h"
#include "ui_printersettingdialog.h"

#include "printerpropertiesdialog.h"
#include "printerstatusline.h"

#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "print/formatfile.h"
#include "print/printerselection.h"
#include "printsettings/companyblock.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>

namespace vendara {
namespace {

const QString kNoStatus = QStringLiteral("-----");
constexpr int kRowLabelWidth = 20;

QString baseNameOf(const QString &path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
}

QString existingOrEmpty(const std::function<QString()> &build)
{
    try {
        const QString path = build();
        return QFileInfo(path).isFile() ? path : QString();
    } catch (const Error &) {
        return {};
    }
}

} // namespace

PrinterSettingDialog::PrinterSettingDialog(const DataFolder &data, PrinterSelection &printer,
                                           Questions &questions, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrinterSettingDialog>()), m_data(data), m_printer(printer),
      m_questions(questions)
{
    m_ui->setupUi(this);

    for (SpinFloatEdit *box : {m_ui->correctionYBox, m_ui->correctionXBox}) {
        box->floatEdit()->setRange(-50, 50);
        box->floatEdit()->setDigits(1);
        box->setIncrement(1);
        box->setValue(0);
    }

    QTableWidget *grid = m_ui->titleGrid;
    grid->setHorizontalHeaderItem(0, new QTableWidgetItem);
    for (int row = 0; row < kCopyCount; ++row) {
        grid->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral(" %1").arg(row + 1)));
        grid->setItem(row, 0, new QTableWidgetItem);
    }
    grid->verticalHeader()->setFixedWidth(kRowLabelWidth);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Exactly the four rows, no scrolling.
    const int rowsHeight = grid->horizontalHeader()->sizeHint().height() +
                           kCopyCount * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth();
    grid->setFixedHeight(rowsHeight);

    // Every choice and button through the action guard: a printer that
    // stops answering shows a message, the dialog stays.
    const auto on = [this](auto *sender, auto signal, std::function<void()> operation) {
        connect(sender, signal, this, guarded(m_questions, std::move(operation)));
    };
    on(m_ui->printerBox, &QComboBox::activated, [this] { printerChanged(); });
    on(m_ui->paperBox, &QComboBox::activated, [this] { paperChosen(m_ui->paperBox->currentIndex()); });
    on(m_ui->sourceBox, &QComboBox::activated, [this] { sourceChosen(m_ui->sourceBox->currentIndex()); });
    on(m_ui->portraitButton, &QRadioButton::clicked, [this] { orientationChosen(QPageLayout::Portrait); });
    on(m_ui->landscapeButton, &QRadioButton::clicked, [this] { orientationChosen(QPageLayout::Landscape); });
    on(m_ui->propertiesButton, &QPushButton::clicked, [this] { editProperties(); });
    on(m_ui->previewButton, &QPushButton::clicked, [this] { done(Preview); });
    on(m_ui->helpButton, &QPushButton::clicked, [this] { emit helpRequested(helpTopic()); });

    setMode(Mode::Print);
    fillPrinters();
}

PrinterSettingDialog::~PrinterSettingDialog() = default;

bool PrinterSettingDialog::attempt(const std::function<void()> &operation)
{
    return runGuarded(m_questions, operation);
}

void PrinterSettingDialog::fillPrinters()
{
    QStringList names;
    int current = -1;
    try {
        // Printers may have come or gone since the last print.
        m_printer.checkForChanges();
        names = m_printer.printerNames();
        try {
            current = m_printer.index();
        } catch (const PrinterError &) {
            // The current printer has been hidden: the first one is taken.
            current = 0;
        }
    } catch (const PrinterError &e) {
        m_questions.error(e.kind() == PrinterErrorKind::NoPrinter ? QStringLiteral("有効なプリンタが見つかりません")
                                                                         : e.message());
        names.clear();
    } catch (const Error &e) {
        m_questions.error(e.message());
        names.clear();
    }
    m_hasPrinter = !names.isEmpty();
    m_filling = true;
    m_ui->printerBox->clear();
    m_ui->printerBox->addItems(names);
    m_ui->printerBox->setCurrentIndex(current);
    m_filling = false;
    if (!m_hasPrinter) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_ui->printerBox, m_ui->propertiesButton, m_ui->paperBox,
                                                           m_ui->sourceBox, m_ui->portraitButton, m_ui->landscapeButton,
                                                           m_ui->okButton, m_ui->previewButton})
            w->setEnabled(false);
        return;
    }
    printerChanged();
    attempt([this] { m_snapshot = std::make_unique<PrinterChoice>(m_printer.choice()); });
}

void PrinterSettingDialog::printerChanged()
{
    if (m_filling || !m_hasPrinter)
        return;
    const int chosen = m_ui->printerBox->currentIndex();
    if (chosen < 0 || !attempt([&] { m_printer.setIndex(chosen); }))
        return;
    fillPaperBoxes();
    updateOrientation();
    updateStatus();
}

void PrinterSettingDialog::fillPaperBoxes()
{
    m_filling = true;
    const auto fill = [this](QComboBox *box, PrinterField field, int infoFlag, auto names, auto index) {
        box->clear();
        bool available = false;
        attempt([&] {
            available = m_printer.supports(field) && (m_printer.infoFlags() & infoFlag);
            if (!available)
                return;
            box->addItems(names());
            int current = -1;
            try {
                current = index();
            } catch (const PrinterError &) {
                // The driver's current paper (or source) is not in its list:
                // nothing is selected until the user chooses one.
            }
            box->setCurrentIndex(current);
        });
        box->setEnabled(available);
    };
    fill(
        m_ui->paperBox, PrinterField::PaperSize, PrinterSelection::PaperSizesInfo,
        [this] { return m_printer.paperSizeNames(); }, [this] { return m_printer.paperSizeIndex(); });
    fill(
        m_ui->sourceBox, PrinterField::DefaultSource, PrinterSelection::SourcesInfo,
        [this] { return m_printer.sourceNames(); }, [this] { return m_printer.sourceIndex(); });
    m_filling = false;
}

void PrinterSettingDialog::updateOrientation()
{
    bool can = false;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    attempt([&] {
        can = m_printer.supports(PrinterField::Orientation);
        if (can)
            orientation = m_printer.orientation();
    });
    for (QRadioButton *button : {m_ui->portraitButton, m_ui->landscapeButton}) {
        button->setAutoExclusive(false);
        button->setEnabled(can);
    }
    m_ui->portraitButton->setChecked(can && orientation == QPageLayout::Portrait);
    m_ui->landscapeButton->setChecked(can && orientation == QPageLayout::Landscape);
    for (QRadioButton *button : {m_ui->portraitButton, m_ui->landscapeButton})
        button->setAutoExclusive(true);
    if (can)
        m_ui->orientationPicture->setPixmap(orientationPicture(orientation));
    else
        m_ui->orientationPicture->clear();
}

void PrinterSettingDialog::updateStatus()
{
    attempt([this] {
        const PrinterInfo info = m_printer.currentPrinter();
        showStatus(printerStatusLine(info), info.driver, info.deviceUri, info.description);
    });
}

void PrinterSettingDialog::showStatus(const QString &state, const QString &driver, const QString &port,
                                      const QString &comment)
{
    m_ui->stateValue->setText(state);
    m_ui->driverValue->setText(driver);
    m_ui->portValue->setText(port);
    m_ui->commentValue->setText(comment);
    // Long driver names and addresses are cut by the dialog; the whole
    // text stays one hover away.
    for (QLabel *value : {m_ui->stateValue, m_ui->driverValue, m_ui->portValue, m_ui->commentValue})
        value->setToolTip(value->text());
}

void PrinterSettingDialog::paperChosen(int index)
{
    if (m_filling || index < 0)
        return;
    attempt([&] {
        if (!m_printer.supports(PrinterField::PaperSize))
            return;
        m_printer.setPaperSizeIndex(index);
        m_printer.apply();
    });
}

void PrinterSettingDialog::sourceChosen(int index)
{
    if (m_filling || index < 0)
        return;
    attempt([&] {
        if (!m_printer.supports(PrinterField::DefaultSource))
            return;
        m_printer.setSourceIndex(index);
        m_printer.apply();
    });
}

void PrinterSettingDialog::orientationChosen(QPageLayout::Orientation orientation)
{
    attempt([&] {
        if (!m_printer.supports(PrinterField::Orientation))
            return;
        m_printer.setOrientation(orientation);
        m_printer.apply();
        m_ui->orientationPicture->setPixmap(orientationPicture(orientation));
    });
}

void PrinterSettingDialog::editProperties()
{
    if (!m_hasPrinter)
        return;
    PrinterPropertiesDialog properties(m_printer, m_questions, this);
    if (properties.exec() != QDialog::Accepted)
        return;
    // The properties have been applied: the printer is read again and shown
    // as it is now.
    m_printer.refresh();
    m_filling = true;
    m_ui->printerBox->setCurrentIndex(m_printer.index());
    m_filling = false;
    printerChanged();
}

void PrinterSettingDialog::restoreSnapshot()
{
    if (m_hasPrinter && m_snapshot)
        attempt([this] { m_printer.restore(*m_snapshot); });
}

void PrinterSettingDialog::setDocumentKind(const QString &kindName)
{
    // Any name but the estimate's reads the order form's defaults.
    m_kind = documentKindFromName(kindName).value_or(DocumentKind::Order);
    m_ui->titleGrid->horizontalHeaderItem(0)->setText(kindName);

    DefaultPrintSettings defaults = DefaultPrintSettings::defaults();
    attempt([&] { defaults = DefaultPrintSettings::load(m_data); });
    const CopyTitles &titles = defaults.titles[size_t(m_kind)];
    for (int row = 0; row < kCopyCount; ++row)
        m_ui->titleGrid->item(row, 0)->setText(titles[size_t(row)]);
    const QList<QCheckBox *> ticks{m_ui->copy1Box, m_ui->copy2Box, m_ui->copy3Box, m_ui->copy4Box};
    for (int copy = 0; copy < kCopyCount; ++copy)
        ticks[copy]->setChecked(defaults.copies[size_t(copy)]);

    QStringList formats;
    attempt([&] { formats = listFormats(m_data, kindName); });
    m_ui->formatBox->clear();
    m_ui->formatBox->addItems(formats);
    m_ui->formatBox->setCurrentIndex(m_ui->formatBox->findText(defaults.formatNames[size_t(m_kind)]));

    QStringList sets;
    attempt([&] { sets = companyblock::readSetList(m_data); });
    m_ui->setBox->clear();
    m_ui->setBox->addItems(sets);
    m_ui->setBox->setCurrentIndex(m_ui->setBox->findText(defaults.setName));
}

void PrinterSettingDialog::setCurrentSettings(const CopyTitles &titles, const CopySwitches &copies,
                                              const QString &formatPath, const QString &setPath, float correctionX,
                                              float correctionY)
{
    const QList<QCheckBox *> ticks{m_ui->copy1Box, m_ui->copy2Box, m_ui->copy3Box, m_ui->copy4Box};
    for (int copy = 0; copy < kCopyCount; ++copy) {
        m_ui->titleGrid->item(copy, 0)->setText(titles[size_t(copy)]);
        ticks[copy]->setChecked(copies[size_t(copy)]);
    }
    if (const int format = m_ui->formatBox->findText(baseNameOf(formatPath)); format >= 0 && !formatPath.isEmpty())
        m_ui->formatBox->setCurrentIndex(format);
    if (const int set = m_ui->setBox->findText(baseNameOf(setPath)); set >= 0 && !setPath.isEmpty())
        m_ui->setBox->setCurrentIndex(set);
    m_ui->correctionXBox->setValue(correctionX);
    m_ui->correctionYBox->setValue(correctionY);
}

void PrinterSettingDialog::setCurrentSettings(const CurrentPrintSettings &settings)
{
    setCurrentSettings(settings.titlesOf(m_kind), settings.copies, settings.formatPathOf(m_kind), settings.setPath,
                       settings.correctionX, settings.correctionY);
}

void PrinterSettingDialog::setMode(Mode mode)
{
    m_mode = mode;
    m_ui->okButton->setText(mode == Mode::Print ? QStringLiteral("印刷") : QStringLiteral("OK"));
    m_ui->previewButton->setVisible(mode == Mode::Print);
}

CopyTitles PrinterSettingDialog::titles() const
{
    CopyTitles titles;
    for (int row = 0; row < kCopyCount; ++row)
        titles[size_t(row)] = m_ui->titleGrid->item(row, 0)->text();
    return titles;
}

CopySwitches PrinterSettingDialog::copies() const
{
    return {m_ui->copy1Box->isChecked(), m_ui->copy2Box->isChecked(), m_ui->copy3Box->isChecked(),
            m_ui->copy4Box->isChecked()};
}

QString PrinterSettingDialog::formatPath() const
{
    if (m_ui->formatBox->currentIndex() < 0)
        return {};
    const QString name = m_ui->formatBox->currentText();
    return existingOrEmpty([&] { return formatFilePath(m_data, name); });
}

QString PrinterSettingDialog::setPath() const
{
    if (m_ui->setBox->currentIndex() < 0)
        return {};
    const QString name = m_ui->setBox->currentText();
    return existingOrEmpty([&] { return companyblock::setFilePath(m_data, name); });
}

float PrinterSettingDialog::correctionX() const
{
    return float(m_ui->correctionXBox->value());
}

float PrinterSettingDialog::correctionY() const
{
    return float(m_ui->correctionYBox->value());
}

void PrinterSettingDialog::takeBackInto(CurrentPrintSettings &settings) const
{
    settings.titles[size_t(m_kind)] = titles();
    settings.copies = copies();
    settings.formatPaths[size_t(m_kind)] = formatPath();
    settings.setPath = setPath();
    settings.correctionX = correctionX();
    settings.correctionY = correctionY();
}

QPixmap PrinterSettingDialog::orientationPicture(QPageLayout::Orientation orientation)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const bool portrait = orientation == QPageLayout::Portrait;
    const QRect sheet = portrait ? QRect(6, 1, 20, 29) : QRect(1, 6, 29, 20);
    constexpr int fold = 6;
    // The sheet with its upper right corner folded over.
    const QPolygon outline{sheet.topLeft(), QPoint(sheet.right() - fold, sheet.top()),
                           QPoint(sheet.right(), sheet.top() + fold), sheet.bottomRight(), sheet.bottomLeft()};
    painter.setPen(QColor(70, 70, 70));
    painter.setBrush(Qt::white);
    painter.drawPolygon(outline);
    painter.drawPolyline(QPolygon{QPoint(sheet.right() - fold, sheet.top()),
                                  QPoint(sheet.right() - fold, sheet.top() + fold),
                                  QPoint(sheet.right(), sheet.top() + fold)});
    // Lines of text across the sheet as it is read.
    painter.setPen(QColor(40, 90, 170));
    const int left = sheet.left() + 3;
    const int right = sheet.right() - 3;
    for (int y = sheet.top() + fold + 3; y < sheet.bottom() - 2; y += 4) {
        const bool last = y + 4 >= sheet.bottom() - 2;
        painter.drawLine(left, y, last ? (left + right) / 2 : right, y);
    }
    return picture;
}

int PrinterSettingDialog::exec()
{
    if (!m_hasPrinter) {
        // Nothing to print on: the dialog ends as cancelled without showing.
        setResult(Cancelled);
        return Cancelled;
    }
    return QDialog::exec();
}

void PrinterSettingDialog::done(int result)
{
    if (QWidget *focus = focusWidget())
        focus->clearFocus();
    // A printer gone meanwhile cannot take its old settings back: that is
    // said, and the dialog closes all the same.
    if (result == Cancelled)
        runGuarded(m_questions, [this] { restoreSnapshot(); });
    QDialog::done(result);
}

} // namespace vendara
