#include "sliplistwindow.h"

#include "common/error.h"
#include "common/questions.h"
#include "controls/widgets/actionguard.h"
#include "controls/widgets/windowfit.h"
#include "settings/settings.h"
#include "sliplist/ordercopy.h"
#include "sliplist/slipexport.h"
#include "sliplist/slipindex.h"
#include "sliplist/sliplistfolders.h"
#include "sliplist/sliplistmodel.h"
#include "ui_sliplistwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>
namespace vendara {

namespace {

const QString kAll = QStringLiteral("すべて");

} // namespace

SlipListWindow::SlipListWindow(SlipIndex &index, Settings &settings, SlipListFolders &folders, Questions &questions,
                               OpenSlip open, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ui(std::make_unique<Ui::SlipListWindow>()), m_index(index),
      m_settings(settings), m_folders(folders), m_questions(questions), m_open(std::move(open))
{
    m_ui->setupUi(this);
    m_model = new SlipListModel(m_index, this);
    m_model->setDatePattern(m_settings.datePattern());

    QTableView *view = m_ui->tableView;
    view->setModel(m_model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView *header = view->horizontalHeader();
    header->setSectionsMovable(false);
    header->setStretchLastSection(true);
    header->setSortIndicator(int(m_model->sortColumn()), m_model->sortOrder());
    view->setSortingEnabled(true);
    const QFontMetrics metrics = view->fontMetrics();
    const int widths[] = {metrics.horizontalAdvance(QStringLiteral("00000000")), metrics.horizontalAdvance(QStringLiteral("見積書")),
                          metrics.horizontalAdvance(QStringLiteral("2026/12/31")), metrics.horizontalAdvance(QStringLiteral("山田自動車販売 様")),
                          metrics.horizontalAdvance(QStringLiteral("ABCDEFG 2.0")), metrics.horizontalAdvance(QStringLiteral("99,999,999")),
                          metrics.horizontalAdvance(QStringLiteral("担当者名")), metrics.horizontalAdvance(QStringLiteral("2026/12/31 23:59"))};
    for (int column = 0; column < int(std::size(widths)); ++column)
        header->resizeSection(column, std::max(widths[column], metrics.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString())) + 16);

    m_ui->staffCombo->addItem(kAll);
    m_ui->searchEdit->installEventFilter(this);
    view->installEventFilter(this);

    connect(m_ui->searchEdit, &QLineEdit::textChanged, this,
            guarded(m_questions, [this](const QString &text) { m_model->setQuery(text); }));
    for (QComboBox *combo : {m_ui->kindCombo, m_ui->staffCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, guarded(m_questions, [this] { applyFilter(); }));
    for (QLineEdit *edit : {m_ui->fromEdit, m_ui->toEdit})
        connect(edit, &QLineEdit::textChanged, this, guarded(m_questions, [this] { applyFilter(); }));
    connect(view, &QAbstractItemView::activated, this, guarded(m_questions, [this] { openCurrent(); }));
    connect(m_model, &SlipListModel::countsChanged, this, [this] {
        updateStaffChoices();
        updateStatus();
        updateButtons();
    });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SlipListWindow::updateButtons);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, &SlipListWindow::updateButtons);
    connect(&m_index, &SlipIndex::progress, this, &SlipListWindow::updateStatus);
    connect(&m_index, &SlipIndex::loadingFinished, this, &SlipListWindow::updateStatus);
    connect(&m_settings, &Settings::changed, this, [this] { m_model->setDatePattern(m_settings.datePattern()); });

    onClick(m_ui->openButton, [this] { openCurrent(); });
    onClick(m_ui->orderCopyButton, [this] { copyAsOrder(); });
    onClick(m_ui->csvButton, [this] { exportCsv(); });
    onClick(m_ui->printButton, [this] {
        if (m_print)
            m_print(selectedPaths());
    });
    onClick(m_ui->pdfButton, [this] {
        if (m_exportPdf)
            m_exportPdf(selectedPaths());
    });
    onClick(m_ui->trashButton, [this] { moveToTrash(); });
    onClick(m_ui->addFolderButton, [this] { addFolder(); });
    onClick(m_ui->removeFolderButton, [this] { removeFolder(); });
    onClick(m_ui->closeButton, [this] { close(); });
    connect(m_ui->folderCombo, &QComboBox::currentIndexChanged, this, &SlipListWindow::updateButtons);

    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_ui->searchEdit->setFocus(Qt::ShortcutFocusReason);
        m_ui->searchEdit->selectAll();
    });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    reload();
    m_ui->searchEdit->setFocus();
    fitWindowToScreen(this);
}

SlipListWindow::~SlipListWindow() = default;

void SlipListWindow::setOutput(PutOut print, PutOut exportPdf)
{
    m_print = std::move(print);
    m_exportPdf = std::move(exportPdf);
    updateButtons();
}

void SlipListWindow::onClick(QAbstractButton *button, const std::function<void()> &operation)
{
    connect(button, &QAbstractButton::clicked, this, guarded(m_questions, operation));
}

void SlipListWindow::reload()
{
    m_readFolders = m_folders.foldersWith(slipSaveFolder(m_settings.startFolder()));
    m_index.open(m_readFolders);
    m_index.setWatching(true);
    fillFolderCombo();
    updateStatus();
}

void SlipListWindow::fillFolderCombo()
{
    const QString current = m_ui->folderCombo->currentData().toString();
    QSignalBlocker blocker(m_ui->folderCombo);
    m_ui->folderCombo->clear();
    for (int i = 0; i < m_readFolders.size(); ++i) {
        const QString folder = m_readFolders.at(i);
        const QString shown = QDir::toNativeSeparators(folder);
        m_ui->folderCombo->addItem(i == 0 ? shown + QStringLiteral("（保存先）") : shown, folder);
    }
    const int index = m_ui->folderCombo->findData(current);
    m_ui->folderCombo->setCurrentIndex(index >= 0 ? index : 0);
    updateButtons();
}

void SlipListWindow::applyFilter()
{
    SlipFilter filter;
    filter.query = m_ui->searchEdit->text();
    switch (m_ui->kindCombo->currentIndex()) {
    case 1: filter.kind = DocumentKind::Estimate; break;
    case 2: filter.kind = DocumentKind::Order; break;
    default: break;
    }
    if (m_ui->staffCombo->currentIndex() > 0)
        filter.staff = m_ui->staffCombo->currentText();
    m_dateProblem.clear();
    const auto from = parseFilterDate(m_ui->fromEdit->text());
    const auto to = parseFilterDate(m_ui->toEdit->text());
    if (from)
        filter.from = *from;
    if (to)
        filter.to = *to;
    if (!from || !to)
        m_dateProblem = QStringLiteral("発行日は YYYY/MM/DD の形で入力してください");
    m_model->setFilter(filter);
    updateStatus();
}

void SlipListWindow::updateStatus()
{
    QString text = QStringLiteral("%1 件 / 全 %2 件").arg(m_model->shownCount()).arg(m_model->totalCount());
    if (m_model->errorCount() > 0)
        text += QStringLiteral("（読めないファイル %1 件）").arg(m_model->errorCount());
    if (m_index.isLoading())
        text += QStringLiteral("　読み込み中...");
    const QStringList folderErrors = m_index.folderErrors();
    if (!folderErrors.isEmpty())
        text += QStringLiteral("　") + folderErrors.join(QStringLiteral("　"));
    if (!m_dateProblem.isEmpty())
        text += QStringLiteral("　") + m_dateProblem;
    m_ui->statusLabel->setText(text);
}

void SlipListWindow::updateStaffChoices()
{
    const QStringList names = m_model->staffNames();
    QStringList shown;
    for (int i = 1; i < m_ui->staffCombo->count(); ++i)
        shown << m_ui->staffCombo->itemText(i);
    if (names == shown)
        return;
    const QString current = m_ui->staffCombo->currentIndex() > 0 ? m_ui->staffCombo->currentText() : QString();
    QSignalBlocker blocker(m_ui->staffCombo);
    m_ui->staffCombo->clear();
    m_ui->staffCombo->addItem(kAll);
    m_ui->staffCombo->addItems(names);
    // A staff member chosen stays chosen while the slips of that name come and go.
    if (!current.isEmpty() && !names.contains(current))
        m_ui->staffCombo->addItem(current);
    m_ui->staffCombo->setCurrentIndex(current.isEmpty() ? 0 : m_ui->staffCombo->findText(current));
}

void SlipListWindow::updateButtons()
{
    const bool any = !selectedPaths().isEmpty();
    m_ui->openButton->setEnabled(!currentPath().isEmpty());
    m_ui->orderCopyButton->setEnabled(!currentPath().isEmpty());
    m_ui->trashButton->setEnabled(any);
    m_ui->printButton->setEnabled(any && m_print);
    m_ui->pdfButton->setEnabled(any && m_exportPdf);
    m_ui->removeFolderButton->setEnabled(m_ui->folderCombo->currentIndex() > 0);
}

QString SlipListWindow::currentPath() const
{
    const QModelIndex current = m_ui->tableView->currentIndex();
    if (!current.isValid() || !m_ui->tableView->selectionModel()->isRowSelected(current.row(), {}))
        return {};
    return m_model->summaryAt(current.row()).path;
}

QStringList SlipListWindow::selectedPaths() const
{
    // In the order shown, whatever order they were picked in.
    QList<int> rows;
    for (const QModelIndex &row : m_ui->tableView->selectionModel()->selectedRows())
        rows << row.row();
    std::sort(rows.begin(), rows.end());
    QStringList paths;
    for (int row : std::as_const(rows))
        paths << m_model->summaryAt(row).path;
    return paths;
}

void SlipListWindow::selectPath(const QString &path)
{
    const int row = m_model->rowOfPath(path);
    if (row < 0)
        return;
    m_ui->tableView->selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_ui->tableView->scrollTo(m_model->index(row, 0));
}

void SlipListWindow::focusTable()
{
    QTableView *view = m_ui->tableView;
    if (m_model->shownCount() == 0)
        return;
    if (!view->currentIndex().isValid())
        view->selectionModel()->setCurrentIndex(m_model->index(0, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->setFocus(Qt::OtherFocusReason);
}

bool SlipListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_ui->searchEdit && key->modifiers() == Qt::NoModifier
        && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        focusTable();
        return true;
    }
    if (watched == m_ui->tableView && key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
        runGuarded(m_questions, [this] { moveToTrash(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SlipListWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Files saved or removed meanwhile by other programs: what the watcher
    // may have missed is read when the user comes back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_index.isLoading()) {
        runGuarded(m_questions, [this] {
            for (const QString &folder : m_readFolders)
                m_index.refreshFolder(folder);
        });
    }
}

void SlipListWindow::openCurrent()
{
    const QString path = currentPath();
    if (!path.isEmpty())
        m_open(path);
}

void SlipListWindow::addFolder()
{
    const QString folder =
        m_questions.chooseFolder(QStringLiteral("一覧に読み込むフォルダ"), m_readFolders.value(0));
    if (folder.isEmpty())
        return;
    m_folders.add(folder);
    reload();
    const int index = m_ui->folderCombo->findData(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (index >= 0)
        m_ui->folderCombo->setCurrentIndex(index);
}

void SlipListWindow::removeFolder()
{
    if (m_ui->folderCombo->currentIndex() <= 0)
        return;
    m_folders.remove(m_ui->folderCombo->currentData().toString());
    reload();
}

void SlipListWindow::copyAsOrder()
{
    const QString source = currentPath();
    if (source.isEmpty())
        return;
    QString written;
    QString writeError;
    m_settings.takeSlipNumber(std::nullopt, [&](int number) {
        try {
            written = writeOrderCopy(source, Settings::formatSlipCode(number));
        } catch (const Error &e) {
            writeError = e.message();
        }
        return !written.isEmpty();
    });
    if (!writeError.isEmpty())
        throw Error(writeError);
    m_index.refreshPath(written);
    selectPath(written);
    m_open(written);
}

void SlipListWindow::exportCsv()
{
    const QString preset = QDir(m_readFolders.value(0, QDir::homePath())).filePath(QStringLiteral("伝票一覧.csv"));
    QString path = m_questions.chooseFileToSave(QStringLiteral("CSVに出力"), preset,
                                                QStringLiteral("CSV ファイル (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    const auto rows = m_model->shownSummaries();
    writeSlipExport(path, rows, SlipExportFormat::Csv);
    m_questions.inform(QStringLiteral("%1 件の伝票を %2 に書き出しました").arg(rows.size()).arg(QDir::toNativeSeparators(path)));
}

void SlipListWindow::moveToTrash()
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty())
        return;
    const QString question = paths.size() == 1
        ? QStringLiteral("%1 をゴミ箱へ移動しますか？").arg(QFileInfo(paths.first()).fileName())
        : QStringLiteral("選んだ %1 件の伝票ファイルをゴミ箱へ移動しますか？").arg(paths.size());
    if (!m_questions.confirm(question, true))
        return;
    QStringList failed;
    QStringList open;
    for (const QString &path : paths) {
        if (m_isOpen && m_isOpen(path)) {
            open << QFileInfo(path).fileName();
            continue;
        }
        if (!QFile::moveToTrash(path))
            failed << QFileInfo(path).fileName();
        m_index.refreshPath(path);
    }
    if (!open.isEmpty())
        m_questions.warn(QStringLiteral("次の伝票は開かれているため、ゴミ箱へ移動しませんでした:\n") + open.join(u'\n'));
    if (!failed.isEmpty())
        m_questions.warn(QStringLiteral("次のファイルをゴミ箱へ移動できませんでした:\n") + failed.join(u'\n'));
}

} // namespace vendara
