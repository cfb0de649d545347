#pragma once

#include "sliprow.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace vendara {

// The slip files of one or more folders as rows, for the slip list and the
// customer look-up. open() reads the folders on a worker thread: rows come
// in batches (the files unchanged since the last run from the folder's
// cache at once, then the files read, newest first), so a window shows its
// first rows while the rest are read. A file that cannot be read is a row
// with its error. Afterwards single files are read again as they change
// (refreshPath, refreshFolder, or the folder watcher of setWatching).
//
// Rows are addressed by id: an id stays with its path for the life of the
// index; a file removed leaves its id absent (isPresent false) until a file
// of that path comes again. Everything but the worker runs on the thread
// the index lives in. The index never writes a slip file.
class SlipIndex : public QObject
{
    Q_OBJECT
public:
    explicit SlipIndex(QObject *parent = nullptr);
    ~SlipIndex() override;

    // Where the folders' caches are kept (slipcache::defaultFolder() unless
    // set; empty: no cache). Takes effect at the next open().
    void setCacheFolder(const QString &folder) { m_cacheFolder = folder; }
    QString cacheFolder() const { return m_cacheFolder; }

    // Forgets every row and starts reading the folders; a reading still
    // going on is stopped.
    void open(const QStringList &folders);
    QStringList folders() const { return m_folders; }
    bool isLoading() const { return m_loading; }
    // Runs the event loop until the reading has finished, at most timeoutMs
    // (-1: no limit); whether it has finished.
    bool waitUntilLoaded(int timeoutMs = -1);
    // Folders that could not be listed, with the reason ("フォルダが見つかりません: ...").
    QStringList folderErrors() const { return m_folderErrors; }

    // Ids run from 0 to idCount() - 1; absent ones included.
    int idCount() const { return int(m_rows.size()); }
    bool isPresent(int id) const { return m_present[size_t(id)]; }
    const SlipRow &row(int id) const { return m_rows[size_t(id)]; }
    const SlipSummary &summary(int id) const { return m_rows[size_t(id)].summary; }
    // The id of an absolute path, or -1.
    int idOf(const QString &path) const { return m_idOfPath.value(path, -1); }
    // Files present, and among them the ones that could not be read.
    int presentCount() const { return m_presentCount; }
    int errorCount() const { return m_errorCount; }

    // Reads the file at path again now: a changed or new slip file of one of
    // the folders is read, a removed one leaves the index. Paths outside the
    // folders are ignored.
    void refreshPath(const QString &path);
    // Looks at every file of the folder and reads again what changed, came
    // or went.
    void refreshFolder(const QString &folder);
    // Follows the folders with a file-system watcher: changes in a folder are
    // read a moment after they stop (files saved by replacing them, as the
    // program saves, are noticed; a file rewritten in place needs
    // refreshFolder).
    void setWatching(bool on);
    // Writes the caches of the folders whose rows changed after the reading
    // (done by itself a second after the last change).
    void saveCaches();

signals:
    // Ids first..last came (new paths); rows whose path was known before
    // come back through rowChanged.
    void rowsAdded(int first, int last);
    void rowChanged(int id);
    void rowRemoved(int id);
    // open() is about to forget every row: the ids given so far are no
    // longer valid once this returns.
    void aboutToClear();
    void progress(int done, int total);
    void loadingFinished();

private:
    struct Run;

    void stopRun();
    void takeBatch(quint64 generation, std::vector<SlipRow> &rows);
    void finishRun(quint64 generation);
    // Puts the row in: a new path takes the next id (the first of them goes
    // to firstNew when that is still -1), a known one sends rowChanged.
    void putRow(SlipRow &&row, int &firstNew);
    void removeId(int id);
    void folderChanged(const QString &folder);
    QString folderOf(const QString &path) const;

    QString m_cacheFolder;
    QStringList m_folders;
    QStringList m_folderErrors;
    std::vector<SlipRow> m_rows;
    std::vector<bool> m_present;
    QHash<QString, int> m_idOfPath;
    int m_presentCount = 0;
    int m_errorCount = 0;

    bool m_loading = false;
    quint64 m_generation = 0;
    std::unique_ptr<Run> m_run;
    // Paths read again while the worker went on: its older reading of them
    // does not replace what was read here.
    QSet<QString> m_settled;

    QSet<QString> m_dirtyFolders;
    QTimer m_saveTimer;
    QSet<QString> m_changedFolders;
    QTimer m_watchTimer;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
};

} // namespace vendara
