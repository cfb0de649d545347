#pragma once

#include "common/datafolder.h"
#include "printsettings/defaultprintsettings.h"
#include "settings/settings.h"
#include "sliplock.h"
#include "slip/slipdocument.h"

#include <QObject>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace vendara {

class HelpBrowser;
class InstanceRegistry;
class ProcessLauncher;
class RecentFiles;
class Questions;

// The file filter and extension of slip files in the file dialogs.
inline const QString kSlipFileFilter = QStringLiteral("車両販売見積ファイル(*.pvq)");
inline const QString kSlipFileSuffix = QStringLiteral("pvq");

// Throws vendara::Error with a message for the user when path is not a slip
// file the program can read: missing, a folder, not readable, too large, or
// not Shift-JIS text (NUL bytes or byte sequences CP932 does not have).
// Returns the bytes read. The reading is file work (runFileWork): on a share
// that stopped answering, the window stays alive and the user may stop it.
QByteArray checkSlipFile(const QString &path);
// The name with ".pvq" added when it has no extension.
QString withSlipSuffix(const QString &fileName);
// The first local *.pvq file of a drop, or an empty string.
QString slipFileOfDrop(const QList<QUrl> &urls);
// The slip number as an integer for the numbering; 0 when it is not one.
int slipNumberOf(const QString &slipCode);
// "00000012-26-12-07.pvq": the slip number, then the slip date "-yy-MM-dd".
QString defaultSlipFileName(const SlipRecord &slip);

// The one slip a process holds and what happens to it: start, Open, Save,
// Save As, Undo, the close query and the clean-up when the window goes. The
// main window shows what this says and passes the user's commands on.
class DocumentSession : public QObject
{
    Q_OBJECT

public:
    // `desk` names this window in the lock files of the slips it takes.
    DocumentSession(const DataFolder &data, Questions &questions, InstanceRegistry &instances,
                    ProcessLauncher &launcher, RecentFiles &recent, const DeskIdentity &desk = DeskIdentity::current(),
                    QObject *parent = nullptr);
    ~DocumentSession() override;

    // Loads the settings, starts a new slip and reads the file the argument
    // names. False when another process already shows that file: it was
    // asked to come forward and this process should end.
    bool start(const QString &argument);

    SlipDocument &document() { return m_document; }
    const SlipDocument &document() const { return m_document; }
    // The settings this window follows: the options dialog saves through
    // them, and the current print settings are refilled when they change.
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    const CurrentPrintSettings &printSettings() const { return m_printSettings; }
    // The printer dialog takes its values back into these; they last until
    // the program ends.
    CurrentPrintSettings &printSettings() { return m_printSettings; }
    const DataFolder &data() const { return m_data; }
    const QString &path() const { return m_path; }
    bool isUndoEnabled() const { return m_undoEnabled; }
    // The slip is shown from a file another desk holds (or whose lock could
    // not be written): Save writes it only under another name.
    bool isReadOnly() const { return m_readOnly; }
    const DeskIdentity &desk() const { return m_desk; }
    QString title() const;
    const QString &runTag() const { return m_runTag; }
    // Dat/Tmp/<run tag>PrTmpDat2: the slip copy printing writes.
    QString tempSlipPath() const;
    // Where the next file dialog starts.
    const QString &dialogFolder() const { return m_dialogFolder; }

    // Starts another process of the program without argument.
    void newSlip();
    // The open dialog, then openFile.
    void open();
    enum class OpenResult { Opened, ShownElsewhere, StartedProcess, Failed };
    // Open of a chosen (or dropped, or recent) file.
    OpenResult openFile(const QString &path);
    // An entry of "最近使ったファイル": a file that is gone is said and
    // dropped from the list.
    OpenResult openRecent(const QString &path);
    // True when the slip was written. A read-only slip, or one another desk
    // has taken over since, is saved under another name (Save As).
    bool save();
    bool saveAs();
    // Reads the current file again; the changes since the last save are lost.
    void undo();
    // Asks "保存しますか？" for a modified slip. True when the window may close.
    bool queryClose();
    // The window is closing: the temporary slip file is deleted, the file
    // given up to other processes and desks (its lock removed), and the folder of the slip written to the
    // settings as the next start folder (vendara::Error when that fails; the
    // rest is done). Runs once. When nobody ran it, the destructor only
    // deletes and gives up, and writes nothing.
    void finish();

signals:
    void titleChanged(const QString &title);
    void undoEnabledChanged(bool enabled);
    // Another process asked for this window (it shows the file asked for).
    void raiseRequested();
    void recentFilesChanged();

private:
    void cleanUp();
    void followSettings();
    // The bytes of a slip file checked by checkSlipFile into the document.
    void readInto(const QByteArray &bytes);
    void setPath(const QString &path);
    void setUndoEnabled(bool enabled);
    void updateTitle();
    // Takes the lock of a slip being opened, asking first when another desk
    // holds it. False when the slip is to be shown read-only.
    bool takeLock(const QString &path);
    // Before a save in place: false when another desk has taken the slip
    // over meanwhile. A lock that went missing is written again.
    bool keepLock();
    // After a save under a new name: the old slip is let go, the new one taken.
    void lockSavedFile(const QString &path);
    void releaseLock();
    void setReadOnly(bool readOnly);
    void remember(const QString &path);
    // Throws vendara::Error; writeTo says it and returns false.
    void writeSlipFile(const QString &path, bool inPlace);
    bool writeTo(const QString &path, bool inPlace);
    // Before a save touches the slip's folder on this thread: false (and
    // said) when the user gave up waiting for it.
    bool folderAnswers(const QString &path);
    // A new slip's first save: the number is taken as the slip is written.
    bool writeUnderNewNumber(const QString &path, bool inPlace);
    // True while the slip is new and shows the number it was proposed.
    bool showsProposedNumber() const;
    // The slip shows the number as its proposed one.
    void showNumber(int number);

    DataFolder m_data;
    Settings m_settings;
    Questions &m_questions;
    InstanceRegistry &m_instances;
    ProcessLauncher &m_launcher;
    RecentFiles &m_recent;
    DeskIdentity m_desk;

    SlipDocument m_document;
    CurrentPrintSettings m_printSettings;
    QString m_path;
    QString m_claimed; // canonical path of the file this process shows
    QString m_lockedPath; // the slip whose lock file names this window
    QString m_dialogFolder;
    QString m_runTag;
    QString m_lastTitle;
    // The number a new slip was shown with, until it is saved or replaced
    // by a slip read from a file. A slip that still shows it takes the next
    // free number when it is first saved.
    std::optional<int> m_proposedNumber;
    bool m_undoEnabled = false;
    bool m_readOnly = false;
    bool m_finished = false;
};

} // namespace vendara
