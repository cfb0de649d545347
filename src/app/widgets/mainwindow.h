#pragma once

#include <QMainWindow>

#include "slip/slippicks.h"

#include <functional>
#include <memory>
#include <optional>
#include <QPointer>

class QAction;

namespace Ui {
class MainWindow;
}

namespace vendara {

class DocumentSession;
class HelpBrowser;
class HelpPages;
class PrintCommands;
class Questions;
class RecentFiles;
class SlipFrame;
class SlipIndex;
class SlipListFolders;
class SlipListWindow;
class SlipLookups;

// The one window of a process: menus, tool bar and status bar around the
// slip. What happens to the slip is the session's; the window shows it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `lookups` opens the entry frame's look-up dialogs; without it the
    // window opens the master dialogs over the session's data folder.
    // Questions, errors and the file dialogs of the frame, the options and
    // every action go through `questions`.
    MainWindow(DocumentSession &session, Questions &questions, HelpBrowser &help,
               const HelpPages &pages, RecentFiles &recent, QWidget *parent = nullptr,
               SlipLookups *lookups = nullptr);
    ~MainWindow() override;

    // Wires 印刷, 印刷プレビュー, プリンタ設定, PDF output and mail to the
    // commands and enables them.
    void setPrintCommands(PrintCommands *commands);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Every action runs through the action guard: an error it raises is
    // shown and the window lives on.
    void onTriggered(QAction *action, const std::function<void()> &operation, QObject *context = nullptr);
    void setUpIcons();
    // The options dialog, then the partial settings reload.
    void openOptions();
    // Western or era dates in the slip, as the settings say.
    void showDatesInTheSettingsForm();
    void fillRecentMenu();
    void showHelp(const QUrl &url);
    void bringToFront();
    // The index of the slip list and of the customer look-up, made at its
    // first use and shared by both.
    SlipIndex &slipIndex();
    // "過去のお客様": the customer look-up of section 1.
    std::optional<PastCustomer> pickPastCustomer(QWidget *owner, const QString &typed);
    // 伝票一覧: made at its first use, then brought forward. It is a window of
    // its own, closed with this one.
    void showSlipList();

    std::unique_ptr<Ui::MainWindow> m_ui;
    DocumentSession &m_session;
    Questions &m_questions;
    HelpBrowser &m_help;
    const HelpPages &m_pages;
    RecentFiles &m_recent;
    std::unique_ptr<SlipLookups> m_ownLookups;
    SlipFrame *m_frame = nullptr;
    std::unique_ptr<SlipIndex> m_slipIndex;
    std::unique_ptr<SlipListFolders> m_slipListFolders;
    QPointer<SlipListWindow> m_slipList;
    QPointer<PrintCommands> m_printCommands;
};

} // namespace vendara
