#include "mainwindow.h"

#include "aboutdialog.h"
#include "app/appinfo.h"
#include "app/documentsession.h"
#include "app/helppages.h"
#include "app/platformservices.h"
#include "app/recentfiles.h"
#include "common/error.h"
#include "controls/widgets/accessiblename.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "settings/widgets/optionsdialog.h"
#include "printcommands.h"
#include "app/sliplock.h"
#include "slip/widgets/masterlookups.h"
#include "slip/widgets/slipframe.h"
#include "sliplist/slipindex.h"
#include "sliplist/sliplistfolders.h"
#include "sliplist/widgets/customerpickdialog.h"
#include "sliplist/widgets/sliplistwindow.h"
#include "ui_mainwindow.h"
#include "common/helptopic.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>

// The bundled icons live in this static library; its resources are
// registered by hand.
static void registerIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace vendara {

MainWindow::MainWindow(DocumentSession &session, Questions &questions,
                       HelpBrowser &help, const HelpPages &pages, RecentFiles &recent, QWidget *parent,
                       SlipLookups *lookups)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_session(session), m_questions(questions), m_help(help), m_pages(pages), m_recent(recent)
{
    registerIcons();
    m_ui->setupUi(this);
    // A submenu's hint shows in the status bar only from the item that opens it.
    m_ui->recentMenu->menuAction()->setStatusTip(m_ui->recentMenu->statusTip());
    setUpIcons();
    m_ui->toolBar->toggleViewAction()->setEnabled(false);
    m_ui->menuBar->setAccessibleName(QStringLiteral("メニュー"));
    m_ui->toolBar->setAccessibleName(QStringLiteral("ツールバー"));
    nameOverflowButton(m_ui->toolBar);
    m_ui->statusBar->setAccessibleName(QStringLiteral("ステータスバー"));

    if (!lookups) {
        auto masters = std::make_unique<MasterLookups>(
            session.data(), m_questions, [this](int topic) { showHelp(m_pages.topic(topic)); },
            [this] {
                // The rate the options dialog of any window saved last.
                m_session.settings().loadBasic();
                return m_session.settings().basic().acquisitionTaxRate;
            });
        masters->setPastCustomerPicker([this](QWidget *owner, const QString &typed) { return pickPastCustomer(owner, typed); });
        m_ownLookups = std::move(masters);
        lookups = m_ownLookups.get();
    }
    m_frame = new SlipFrame(session.document(), *lookups, m_questions);
    showDatesInTheSettingsForm();
    connect(&session.settings(), &Settings::changed, this, &MainWindow::showDatesInTheSettingsForm);
    m_frame->setFootActions(m_ui->printAction, m_ui->saveAction, m_ui->exitAction);
    m_ui->centralWidget->layout()->addWidget(m_frame);
    m_ui->secOpenAction->setEnabled(true);
    m_ui->secCloseAction->setEnabled(true);
    onTriggered(m_ui->secOpenAction, [this] { m_frame->openAllSections(true); });
    onTriggered(m_ui->secCloseAction, [this] { m_frame->openAllSections(false); });

    onTriggered(m_ui->newAction, [this] { m_session.newSlip(); });
    onTriggered(m_ui->openAction, [this] { m_session.open(); });
    onTriggered(m_ui->slipListAction, [this] { showSlipList(); });
    onTriggered(m_ui->saveAction, [this] { m_session.save(); });
    onTriggered(m_ui->saveAsAction, [this] { m_session.saveAs(); });
    onTriggered(m_ui->undoAction, [this] { m_session.undo(); });
    onTriggered(m_ui->exitAction, [this] { close(); });
    onTriggered(m_ui->helpIndexAction, [this] { showHelp(m_pages.contents()); });
    onTriggered(m_ui->helpTopicAction, [this] { showHelp(m_pages.keywords()); });
    onTriggered(m_ui->tutorialAction, [this] { showHelp(m_pages.topic(help::Tutorial)); });
    onTriggered(m_ui->latestInfoAction, [this] { showHelp(QUrl(appinfo::productPageUrl())); });
    onTriggered(m_ui->aboutAction, [this] {
        AboutDialog dialog(this);
        dialog.exec();
    });
    onTriggered(m_ui->optionAction, [this] { openOptions(); });
    connect(m_ui->recentMenu, &QMenu::aboutToShow, this, guarded(m_questions, [this] { fillRecentMenu(); }));

    connect(&m_session, &DocumentSession::titleChanged, this, &QWidget::setWindowTitle);
    connect(&m_session, &DocumentSession::undoEnabledChanged, m_ui->undoAction, &QAction::setEnabled);
    connect(&m_session, &DocumentSession::recentFilesChanged, this, &MainWindow::fillRecentMenu);
    connect(&m_session, &DocumentSession::raiseRequested, this, &MainWindow::bringToFront);

    setWindowTitle(m_session.title());
    m_ui->undoAction->setEnabled(m_session.isUndoEnabled());
    fillRecentMenu();
}

MainWindow::~MainWindow()
{
    // The list goes before the index it shows.
    delete m_slipList.data();
}

void MainWindow::setPrintCommands(PrintCommands *commands)
{
    m_printCommands = commands;
    onTriggered(m_ui->printAction, [commands] { commands->print(); }, commands);
    onTriggered(m_ui->previewAction, [commands] { commands->preview(); }, commands);
    onTriggered(m_ui->printSetupAction, [commands] { commands->printSetup(); }, commands);
    onTriggered(m_ui->exportPdfAction, [commands] { commands->exportPdf(); }, commands);
    onTriggered(m_ui->mailAction, [commands] { commands->sendByMail(); }, commands);
    for (QAction *action : {m_ui->printAction, m_ui->previewAction, m_ui->printSetupAction, m_ui->exportPdfAction,
                            m_ui->mailAction})
        action->setEnabled(true);
}

void MainWindow::openOptions()
{
    {
        OptionsDialog dialog(m_session.settings(), m_questions, this);
        connect(&dialog, &OptionsDialog::helpRequested, this, [this](int topic) { showHelp(m_pages.topic(topic)); });
        dialog.exec();
    } // the master editors write their lists back as the dialog goes
}

void MainWindow::showDatesInTheSettingsForm()
{
    m_frame->setDateDisplay(m_session.settings().basic().dateForm == DateForm::Era);
}

void MainWindow::onTriggered(QAction *action, const std::function<void()> &operation, QObject *context)
{
    connect(action, &QAction::triggered, context ? context : this, guarded(m_questions, operation));
}

void MainWindow::setUpIcons()
{
    // Theme icons where the desktop has them, the bundled drawings elsewhere.
    const struct
    {
        QAction *action;
        const char *name;
    } icons[] = {
        {m_ui->newAction, "document-new"},
        {m_ui->openAction, "document-open"},
        {m_ui->slipListAction, "view-list-details"},
        {m_ui->saveAction, "document-save"},
        {m_ui->saveAsAction, "document-save-as"},
        {m_ui->printAction, "document-print"},
        {m_ui->previewAction, "document-print-preview"},
        {m_ui->printSetupAction, "document-properties"},
        {m_ui->exitAction, "application-exit"},
        {m_ui->undoAction, "document-revert"},
        {m_ui->optionAction, "preferences-system"},
        {m_ui->secOpenAction, "go-down"},
        {m_ui->secCloseAction, "go-up"},
        {m_ui->helpIndexAction, "help-contents"},
        {m_ui->aboutAction, "help-about"},
    };
    for (const auto &icon : icons) {
        const QString name = QString::fromLatin1(icon.name);
        icon.action->setIcon(QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name))));
    }
}

void MainWindow::fillRecentMenu()
{
    QMenu *menu = m_ui->recentMenu;
    menu->clear();
    const QStringList entries = m_recent.entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        QAction *action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace(u'&', QStringLiteral("&&"))));
        action->setStatusTip(path);
        onTriggered(action, [this, path] { m_session.openRecent(path); });
    }
    if (entries.isEmpty())
        menu->addAction(QStringLiteral("（なし）"))->setEnabled(false);
}

void MainWindow::showHelp(const QUrl &url)
{
    if (!m_help.openUrl(url))
        m_questions.warn(QStringLiteral("%1 を表示できませんでした").arg(url.toDisplayString(QUrl::PreferLocalFile)));
}

void MainWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

SlipIndex &MainWindow::slipIndex()
{
    if (!m_slipIndex) {
        m_slipIndex = std::make_unique<SlipIndex>();
        m_slipListFolders = std::make_unique<SlipListFolders>(SlipListFolders::defaultListPath());
    }
    return *m_slipIndex;
}

std::optional<PastCustomer> MainWindow::pickPastCustomer(QWidget *owner, const QString &typed)
{
    SlipIndex &index = slipIndex();
    if (index.folders().isEmpty()) {
        index.open(m_slipListFolders->foldersWith(slipSaveFolder(m_session.settings().startFolder())));
        index.setWatching(true);
    }
    CustomerPickDialog dialog(index, typed, m_session.settings().datePattern(), owner);
    if (dialog.exec() != QDialog::Accepted || !dialog.picked())
        return std::nullopt;
    const CustomerEntry &c = *dialog.picked();
    return PastCustomer{c.name, c.title, c.zip1, c.zip2, c.prefecture, c.address1, c.address2, c.tel};
}

void MainWindow::showSlipList()
{
    if (!m_slipList) {
        slipIndex();
        m_slipList = new SlipListWindow(*m_slipIndex, m_session.settings(), *m_slipListFolders, m_questions,
                                        [this](const QString &path) {
                                            if (m_session.openFile(path) == DocumentSession::OpenResult::Opened)
                                                bringToFront();
                                        });
        m_slipList->setAttribute(Qt::WA_DeleteOnClose);
        // A lock of a live process, this one's included; a crashed one's counts for nothing.
        m_slipList->setOpenCheck([this](const QString &path) {
            const std::optional<DeskIdentity> lock = sliplock::read(path);
            return lock && sliplock::judge(lock, m_session.desk()) != sliplock::Holder::Stale;
        });
        if (QPointer<PrintCommands> commands = m_printCommands) {
            SlipListWindow *list = m_slipList;
            list->setOutput(
                [commands, list](const QStringList &paths) {
                    if (commands)
                        commands->printSlips(paths, list);
                },
                [commands, list](const QStringList &paths) {
                    if (commands)
                        commands->exportSlipsToPdf(paths, list);
                });
        }
    }
    if (m_slipList->isMinimized())
        m_slipList->showNormal();
    m_slipList->show();
    m_slipList->raise();
    m_slipList->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool close = false;
    runGuarded(m_questions, [&] { close = m_session.queryClose(); });
    event->setAccepted(close);
    // The list is a window of its own (a slip opened from it comes in front
    // of it), which goes with the slip's window.
    if (close && m_slipList)
        m_slipList->close();
    // Written here, where a failure can still be shown, not as the window goes.
    if (close)
        runGuarded(m_questions, [this] { m_session.finish(); });
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && !slipFileOfDrop(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = slipFileOfDrop(event->mimeData()->urls());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    runGuarded(m_questions, [&] { m_session.openFile(path); });
}

} // namespace vendara
