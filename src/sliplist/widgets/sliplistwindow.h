#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;

namespace Ui {
class SlipListWindow;
}

namespace vendara {

class Questions;
class Settings;
class SlipIndex;
class SlipListFolders;
class SlipListModel;

// "伝票一覧": the slips of the folder slips are saved to and of the folders
// the user added, one row per file, searched as the user types and
// filtered by kind, staff and issue date; the selected slips are opened,
// copied as an order, written to CSV or moved to the trash. Every rule is
// the core's (src/sliplist); the window only passes the user's keys on.
class SlipListWindow : public QWidget
{
    Q_OBJECT
public:
    // Opens a slip in its window (the main window's Open of that file).
    using OpenSlip = std::function<void(const QString &path)>;

    // Reads the folders at once; the index and the rest outlive the window.
    SlipListWindow(SlipIndex &index, Settings &settings, SlipListFolders &folders, Questions &questions,
                   OpenSlip open, QWidget *parent = nullptr);
    ~SlipListWindow() override;

    SlipListModel &model() { return *m_model; }
    // The folders read: the one slips are saved to first.
    QStringList folders() const { return m_readFolders; }
    // Reads the folders again (the folder slips are saved to may have moved).
    void reload();

    // Puts out the selected slips, in the order shown, as one print job or
    // one PDF: the main window's printing does it. Without them the two
    // buttons stay off.
    using PutOut = std::function<void(const QStringList &paths)>;
    void setOutput(PutOut print, PutOut exportPdf);
    // Whether a window of this or another desk has the slip open: such a
    // slip is not moved to the trash under it.
    using IsOpen = std::function<bool(const QString &path)>;
    void setOpenCheck(IsOpen isOpen) { m_isOpen = std::move(isOpen); }

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onClick(QAbstractButton *button, const std::function<void()> &operation);
    void applyFilter();
    void updateStatus();
    void updateStaffChoices();
    void updateButtons();
    void fillFolderCombo();
    QString currentPath() const;
    QStringList selectedPaths() const;
    void selectPath(const QString &path);
    void focusTable();

    void openCurrent();
    void addFolder();
    void removeFolder();
    void copyAsOrder();
    void exportCsv();
    void moveToTrash();

    std::unique_ptr<Ui::SlipListWindow> m_ui;
    SlipIndex &m_index;
    Settings &m_settings;
    SlipListFolders &m_folders;
    Questions &m_questions;
    OpenSlip m_open;
    PutOut m_print;
    PutOut m_exportPdf;
    IsOpen m_isOpen;
    SlipListModel *m_model = nullptr;
    QStringList m_readFolders;
    QString m_dateProblem;
};

} // namespace vendara
