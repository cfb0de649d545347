#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace vendara {

class DocumentSession;
class HelpBrowser;
class HelpPages;
class PrintCommands;
class RecentFiles;
class SlipFrame;
class SlipLookups;
class UserPrompts;

// The one window of a process: menus, tool bar and status bar around the
// slip. What happens to the slip is the session's; the window shows it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // `lookups` opens the entry frame's look-up dialogs; without it the
    // window opens the master dialogs over the session's data folder.
    MainWindow(DocumentSession &session, UserPrompts &prompts, HelpBrowser &help, const HelpPages &pages,
               RecentFiles &recent, QWidget *parent = nullptr, SlipLookups *lookups = nullptr);
    ~MainWindow() override;

    SlipFrame *slipFrame() const { return m_frame; }
    // Wires 印刷, 印刷プレビュー, プリンタ設定, PDF output and mail to the
    // commands and enables them.
    void setPrintCommands(PrintCommands *commands);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setUpIcons();
    // The options dialog, then the partial settings reload.
    void openOptions();
    void fillRecentMenu();
    void showHelp(const QUrl &url);
    void bringToFront();

    std::unique_ptr<Ui::MainWindow> m_ui;
    DocumentSession &m_session;
    UserPrompts &m_prompts;
    HelpBrowser &m_help;
    const HelpPages &m_pages;
    RecentFiles &m_recent;
    std::unique_ptr<SlipLookups> m_ownLookups;
    SlipFrame *m_frame = nullptr;
};

} // namespace vendara
