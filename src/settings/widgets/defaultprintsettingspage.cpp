#include "settings/widgets/defaultprintsettingspage.h"
#include "ui_defaultprintsettingspage.h"

#include "common/error.h"
#include "masters/widgets/closingwrites.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "settings/settings.h"
#include "settings/widgets/autocompanyblockdialog.h"
#include "settings/widgets/companyblockeditor.h"
#include "settings/widgets/companyblocksavedialog.h"
#include "print/formatfile.h"
#include "printsettings/companyblock.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>

namespace vendara {

namespace {

const QString kDefaultSet = QStringLiteral("デフォルト");

// The full path of a set file, or nothing for a name that can't be one.
std::optional<QString> setPathOf(const DataFolder &data, const QString &name)
{
    try {
        return companyblock::setFilePath(data, name);
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace

DefaultPrintSettingsPage::DefaultPrintSettingsPage(Settings &settings, Questions &questions, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<::Ui::DefaultPrintSettingsPage>())
    , m_settings(settings)
    , m_data(settings.data())
    , m_questions(questions)
    , m_loaded(DefaultPrintSettings::defaults())
    , m_block(companyblock::newSetValues())
{
    m_ui->setupUi(this);

    QTableWidget *table = m_ui->titleTable;
    table->setHorizontalHeaderLabels({documentKindName(DocumentKind::Estimate), documentKindName(DocumentKind::Order)});
    table->setVerticalHeaderLabels({QStringLiteral(" 1"), QStringLiteral(" 2"), QStringLiteral(" 3"), QStringLiteral(" 4")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setFixedWidth(20);
    table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->verticalHeader()->setHighlightSections(false);
    const int rowHeight = fontMetrics().height() + 8;
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int tableHeight = table->horizontalHeader()->sizeHint().height() + 4 * rowHeight + 2 * table->frameWidth();
    table->setFixedHeight(tableHeight);
    table->setMinimumWidth(220);

    const int listRows = 4;
    for (QListWidget *list : {m_ui->estimateFormatList, m_ui->orderFormatList}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setMinimumWidth(150);
        list->setMaximumHeight(list->fontMetrics().height() * listRows + 8);
    }

    connect(m_ui->setBox, &QComboBox::currentIndexChanged, this, guarded(m_questions, [this] { selectSet(); }));
    connect(m_ui->generateButton, &QPushButton::clicked, this, guarded(m_questions, [this] { generateSet(); }));
    connect(m_ui->deleteButton, &QPushButton::clicked, this, guarded(m_questions, [this] { deleteSet(); }));
    connect(m_ui->editButton, &QPushButton::clicked, this, guarded(m_questions, [this] { editBlock(); }));
    connect(m_ui->saveAsButton, &QPushButton::clicked, this, guarded(m_questions, [this] { saveSetAs(); }));
}

DefaultPrintSettingsPage::~DefaultPrintSettingsPage() = default;

void DefaultPrintSettingsPage::load()
{
    m_settings.loadDefaultPrint();
    m_loaded = m_settings.defaultPrint();

    for (int kind = 0; kind < 2; ++kind) {
        for (int copy = 0; copy < kCopyCount; ++copy) {
            auto *item = new QTableWidgetItem(m_loaded.titles[size_t(kind)][size_t(copy)]);
            // The title itself is what a screen reader reads; which title it
            // is comes as the description (a name would hide the value).
            item->setData(Qt::AccessibleDescriptionRole,
                          QStringLiteral("%1 %2枚目のタイトル").arg(documentKindName(DocumentKind(kind))).arg(copy + 1));
            m_ui->titleTable->setItem(copy, kind, item);
        }
    }
    const std::array<QCheckBox *, kCopyCount> copies = {m_ui->copy1Box, m_ui->copy2Box, m_ui->copy3Box,
                                                        m_ui->copy4Box};
    for (int copy = 0; copy < kCopyCount; ++copy)
        copies[size_t(copy)]->setChecked(m_loaded.copies[size_t(copy)]);

    fillFormats(m_ui->estimateFormatList, DocumentKind::Estimate, m_loaded.formatNames[0]);
    fillFormats(m_ui->orderFormatList, DocumentKind::Order, m_loaded.formatNames[1]);

    // The company block group: the list and its first set exist from now on.
    try {
        companyblock::ensureSetList(m_data);
    } catch (const Error &e) {
        m_questions.error(e.message());
    }
    const QStringList names = companyblock::readSetList(m_data);
    m_block = companyblock::newSetValues();
    m_blockSetName.clear();
    if (!names.isEmpty()) {
        if (auto path = setPathOf(m_data, names.first())) {
            if (auto values = companyblock::readSet(*path, &m_blockVersion)) {
                m_block = *values;
                m_blockSetName = names.first();
            }
        }
    }
    m_ui->preview->clear();
    m_ui->saveAsButton->setEnabled(true);
    m_ui->deleteButton->setEnabled(true);
    fillSetBox(m_loaded.setName);
    selectSet();
}

void DefaultPrintSettingsPage::fillFormats(QListWidget *list, DocumentKind kind, const QString &selected)
{
    list->clear();
    const QStringList names = listFormats(m_data, documentKindName(kind));
    list->addItems(names);
    const int row = names.indexOf(selected);
    list->setCurrentRow(row, row < 0 ? QItemSelectionModel::Clear : QItemSelectionModel::ClearAndSelect);
    if (row < 0)
        list->clearSelection();
}

void DefaultPrintSettingsPage::fillSetBox(const QString &selected)
{
    const QSignalBlocker blocker(m_ui->setBox);
    m_ui->setBox->clear();
    const QStringList names = companyblock::readSetList(m_data);
    m_ui->setBox->addItems(names);
    m_ui->setBox->setCurrentIndex(selected.isEmpty() ? -1 : int(names.indexOf(selected)));
}

DefaultPrintSettings DefaultPrintSettingsPage::settings() const
{
    // A title still being typed counts as typed.
    QTableWidget *table = m_ui->titleTable;
    if (QWidget *focus = QApplication::focusWidget(); focus && table->viewport()->isAncestorOf(focus)) {
        QMetaObject::invokeMethod(table, "commitData", Q_ARG(QWidget *, focus));
    }

    DefaultPrintSettings s;
    for (int kind = 0; kind < 2; ++kind) {
        for (int copy = 0; copy < kCopyCount; ++copy) {
            const QTableWidgetItem *item = m_ui->titleTable->item(copy, kind);
            s.titles[size_t(kind)][size_t(copy)] = item ? item->text() : QString();
        }
    }
    s.copies = {m_ui->copy1Box->isChecked(), m_ui->copy2Box->isChecked(), m_ui->copy3Box->isChecked(),
                m_ui->copy4Box->isChecked()};
    auto selectedName = [](const QListWidget *list) {
        const QList<QListWidgetItem *> items = list->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    };
    s.formatNames = {selectedName(m_ui->estimateFormatList), selectedName(m_ui->orderFormatList)};
    s.setName = selectedSetName();
    return s;
}

QString DefaultPrintSettingsPage::selectedSetName() const
{
    return m_ui->setBox->currentIndex() < 0 ? QString() : m_ui->setBox->currentText();
}

bool DefaultPrintSettingsPage::isChanged() const
{
    return settings() != m_loaded;
}

void DefaultPrintSettingsPage::save(Overwrite overwrite)
{
    const DefaultPrintSettings s = settings();
    m_settings.saveDefaultPrint(s, overwrite);
    m_loaded = s;
}

void DefaultPrintSettingsPage::setSavedState(bool saved)
{
    m_ui->saveAsButton->setEnabled(!saved);
    m_ui->deleteButton->setEnabled(saved);
}

void DefaultPrintSettingsPage::redrawPreview()
{
    // A new drawing routine for each preview: the page keeps no decoded image.
    CompanyBlockPainter painter;
    m_ui->preview->setPicture(painter.draw(m_block));
}

void DefaultPrintSettingsPage::selectSet()
{
    const QString name = selectedSetName();
    if (m_ui->setBox->currentIndex() < 0)
        return;
    const std::optional<QString> path = setPathOf(m_data, name);
    if (!path || !QFileInfo::exists(*path))
        return;
    FileVersion version;
    const std::optional<QStringList> values = companyblock::readSet(*path, &version);
    if (!values)
        return;
    m_block = *values;
    m_blockSetName = name;
    m_blockVersion = version;
    setSavedState(true);
    redrawPreview();
}

void DefaultPrintSettingsPage::generateSet()
{
    AutoCompanyBlockDialog dialog(m_data, m_questions, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    fillSetBox(dialog.setName());
    selectSet();
}

void DefaultPrintSettingsPage::deleteSet()
{
    const int index = m_ui->setBox->currentIndex();
    if (index < 0)
        return;
    const QString name = m_ui->setBox->currentText();
    if (name == kDefaultSet) {
        m_questions.inform(QStringLiteral("デフォルト設定は削除できません"));
        return;
    }
    if (!m_questions.confirm(name + QStringLiteral("を削除しますか？")))
        return;
    const QString previous = index > 0 ? m_ui->setBox->itemText(index - 1) : QString();
    try {
        companyblock::deleteSet(m_data, name);
    } catch (const Error &e) {
        m_questions.error(e.message());
    }
    // The list as it is now, sets other desks added meanwhile included.
    fillSetBox(previous);
    m_ui->saveAsButton->setEnabled(false);
    selectSet();
}

void DefaultPrintSettingsPage::editBlock()
{
    const QString tmpPath = m_data.companyBlocksDir() + QStringLiteral("Tmp.dat");
    try {
        companyblock::writeSet(tmpPath, m_block);
        CompanyBlockEditor editor(m_questions, this);
        editor.loadFile(tmpPath);
        if (editor.exec() == QDialog::Accepted && editor.values() != m_block) {
            m_block = editor.values();
            redrawPreview();
            const QSignalBlocker blocker(m_ui->setBox);
            m_ui->setBox->setCurrentIndex(-1);
            setSavedState(false);
        }
    } catch (const Error &e) {
        m_questions.error(e.message());
    }
    QFile::remove(tmpPath);
}

void DefaultPrintSettingsPage::saveSetAs()
{
    QStringList names;
    for (int i = 0; i < m_ui->setBox->count(); ++i)
        names.append(m_ui->setBox->itemText(i));
    CompanyBlockSaveDialog dialog(names, m_questions, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    const QString path = companyblock::setFilePath(m_data, name);
    // The set the block was read from must still be as read; any other
    // set as it was when the user agreed to replace it.
    FileVersion expected = FileVersion::of(path);
    if (expected.exists && !m_questions.confirm(QStringLiteral("上書きしますか?")))
        return;
    if (name == m_blockSetName)
        expected = m_blockVersion;
    const ClosingWrite write{[this, name, expected] { writeSet(name, expected, Overwrite::IfUnchanged); },
                             [this, name, expected] { writeSet(name, expected, Overwrite::Force); },
                             [this, name] {
                                 // The other desk's set replaces the edit.
                                 fillSetBox(name);
                                 selectSet();
                             }};
    if (writeResolvingConflicts(m_questions, write) == WriteOutcome::Written)
        setSavedState(true);
}

// Saves the working block as the set `name` and lists it.
void DefaultPrintSettingsPage::writeSet(const QString &name, const FileVersion &expected, Overwrite overwrite)
{
    companyblock::saveSetAs(m_data, name, m_block, expected, overwrite);
    m_blockSetName = name;
    m_blockVersion = FileVersion::of(companyblock::setFilePath(m_data, name));
    companyblock::addToSetList(m_data, name);
    fillSetBox(name);
}

} // namespace vendara
