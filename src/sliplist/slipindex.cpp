#include "slipindex.h"

#include "slipfolderscan.h"
#include "slipindexcache.h"

#include "common/error.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

namespace vendara {

// One reading of the folders on the worker thread.
struct SlipIndex::Run
{
    std::atomic<bool> cancel = false;
    std::thread thread;
};

namespace {

bool isSlipFileName(const QString &name)
{
    return name.endsWith(QLatin1String(".pvq"), Qt::CaseInsensitive) && !name.startsWith(u'.');
}

} // namespace

SlipIndex::SlipIndex(QObject *parent) : QObject(parent), m_cacheFolder(slipcache::defaultFolder())
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(1000);
    connect(&m_saveTimer, &QTimer::timeout, this, &SlipIndex::saveCaches);
    m_watchTimer.setSingleShot(true);
    m_watchTimer.setInterval(300);
    connect(&m_watchTimer, &QTimer::timeout, this, [this] {
        const QSet<QString> folders = std::exchange(m_changedFolders, {});
        for (const QString &folder : folders)
            refreshFolder(folder);
    });
}

SlipIndex::~SlipIndex()
{
    stopRun();
    m_loading = false;
    saveCaches();
}

void SlipIndex::stopRun()
{
    if (!m_run)
        return;
    m_run->cancel = true;
    if (m_run->thread.joinable())
        m_run->thread.join();
    m_run.reset();
}

void SlipIndex::open(const QStringList &folders)
{
    stopRun();
    saveCaches();
    emit aboutToClear();
    ++m_generation;
    m_folders.clear();
    for (const QString &folder : folders)
        m_folders.append(QDir(folder).absolutePath());
    m_folders.removeDuplicates();
    m_folderErrors.clear();
    m_rows.clear();
    m_present.clear();
    m_idOfPath.clear();
    m_presentCount = 0;
    m_errorCount = 0;
    m_settled.clear();
    m_dirtyFolders.clear();
    if (m_watcher) {
        setWatching(false);
        setWatching(true);
    }

    m_loading = true;
    m_run = std::make_unique<Run>();
    const quint64 generation = m_generation;
    SlipScanOptions options;
    options.cacheFolder = m_cacheFolder;
    SlipScanCallbacks callbacks;
    // The worker hands everything over through the event loop of the
    // index's thread; what arrives after the index is gone is dropped.
    callbacks.rows = [this, generation](std::vector<SlipRow> &&rows) {
        auto batch = std::make_shared<std::vector<SlipRow>>(std::move(rows));
        QMetaObject::invokeMethod(this, [this, generation, batch] { takeBatch(generation, *batch); },
                                  Qt::QueuedConnection);
    };
    callbacks.progress = [this, generation](int done, int total) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, done, total] {
                if (generation == m_generation)
                    emit progress(done, total);
            },
            Qt::QueuedConnection);
    };
    callbacks.folderFailed = [this, generation](const QString &, const QString &message) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, message] {
                if (generation == m_generation)
                    m_folderErrors.append(message);
            },
            Qt::QueuedConnection);
    };
    Run *run = m_run.get();
    run->thread = std::thread([this, run, generation, folders = m_folders, options, callbacks] {
        scanSlipFolders(folders, options, run->cancel, callbacks);
        QMetaObject::invokeMethod(this, [this, generation] { finishRun(generation); }, Qt::QueuedConnection);
    });
}

bool SlipIndex::waitUntilLoaded(int timeoutMs)
{
    if (!m_loading)
        return true;
    QEventLoop loop;
    connect(this, &SlipIndex::loadingFinished, &loop, &QEventLoop::quit);
    if (timeoutMs >= 0)
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return !m_loading;
}

void SlipIndex::takeBatch(quint64 generation, std::vector<SlipRow> &rows)
{
    if (generation != m_generation)
        return;
    int firstNew = -1;
    for (SlipRow &row : rows)
        if (!m_settled.contains(row.summary.path))
            putRow(std::move(row), firstNew);
    if (firstNew >= 0)
        emit rowsAdded(firstNew, idCount() - 1);
}

void SlipIndex::finishRun(quint64 generation)
{
    if (generation != m_generation)
        return;
    if (m_run && m_run->thread.joinable())
        m_run->thread.join();
    m_run.reset();
    m_loading = false;
    emit loadingFinished();
}

void SlipIndex::putRow(SlipRow &&row, int &firstNew)
{
    const auto found = m_idOfPath.constFind(row.summary.path);
    if (found == m_idOfPath.cend()) {
        const int id = idCount();
        m_idOfPath.insert(row.summary.path, id);
        m_errorCount += row.summary.isReadable() ? 0 : 1;
        m_rows.push_back(std::move(row));
        m_present.push_back(true);
        ++m_presentCount;
        if (firstNew < 0)
            firstNew = id;
        return;
    }
    const int id = *found;
    SlipRow &old = m_rows[size_t(id)];
    if (m_present[size_t(id)]) {
        m_errorCount -= old.summary.isReadable() ? 0 : 1;
    } else {
        m_present[size_t(id)] = true;
        ++m_presentCount;
    }
    m_errorCount += row.summary.isReadable() ? 0 : 1;
    old = std::move(row);
    emit rowChanged(id);
}

void SlipIndex::removeId(int id)
{
    if (!m_present[size_t(id)])
        return;
    m_present[size_t(id)] = false;
    --m_presentCount;
    m_errorCount -= m_rows[size_t(id)].summary.isReadable() ? 0 : 1;
    emit rowRemoved(id);
}

QString SlipIndex::folderOf(const QString &path) const
{
    return path.left(path.lastIndexOf(u'/'));
}

void SlipIndex::refreshPath(const QString &path)
{
    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    const QString folder = folderOf(absolute);
    if (!m_folders.contains(folder) || !isSlipFileName(info.fileName()))
        return;
    if (m_loading)
        m_settled.insert(absolute);
    const int id = idOf(absolute);
    if (!info.exists() || info.isDir()) {
        if (id >= 0 && m_present[size_t(id)]) {
            removeId(id);
            m_dirtyFolders.insert(folder);
            m_saveTimer.start();
        }
        return;
    }
    if (id >= 0 && m_present[size_t(id)] && summary(id).stamp == fileStampOf(absolute))
        return;
    int firstNew = -1;
    putRow(makeSlipRow(readSlipSummary(absolute)), firstNew);
    if (firstNew >= 0)
        emit rowsAdded(firstNew, firstNew);
    m_dirtyFolders.insert(folder);
    m_saveTimer.start();
}

void SlipIndex::refreshFolder(const QString &folder)
{
    const QString absolute = QDir(folder).absolutePath();
    if (!m_folders.contains(absolute))
        return;
    std::vector<SlipFile> files;
    try {
        files = slipFilesIn(absolute);
    } catch (const Error &) {
        // A folder gone for a moment (a share reconnecting) keeps its rows.
        return;
    }
    QSet<QString> listed;
    for (const SlipFile &file : files) {
        listed.insert(file.path);
        const int id = idOf(file.path);
        if (id < 0 || !m_present[size_t(id)] || summary(id).stamp != file.stamp)
            refreshPath(file.path);
    }
    for (int id = 0; id < idCount(); ++id)
        if (m_present[size_t(id)] && !listed.contains(summary(id).path) && folderOf(summary(id).path) == absolute)
            refreshPath(summary(id).path);
}

void SlipIndex::setWatching(bool on)
{
    if (!on) {
        m_watcher.reset();
        return;
    }
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this, &SlipIndex::folderChanged);
    }
    for (const QString &folder : m_folders)
        if (!m_watcher->directories().contains(folder) && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
}

void SlipIndex::folderChanged(const QString &folder)
{
    m_changedFolders.insert(QDir(folder).absolutePath());
    m_watchTimer.start();
}

void SlipIndex::saveCaches()
{
    m_saveTimer.stop();
    if (m_cacheFolder.isEmpty() || m_dirtyFolders.isEmpty())
        return;
    // The worker saves what it read; the rows here are not whole until then.
    if (m_loading) {
        m_saveTimer.start();
        return;
    }
    for (const QString &folder : std::exchange(m_dirtyFolders, {})) {
        std::vector<const SlipRow *> rows;
        for (int id = 0; id < idCount(); ++id)
            if (m_present[size_t(id)] && folderOf(summary(id).path) == folder)
                rows.push_back(&row(id));
        slipcache::save(m_cacheFolder, folder, rows);
    }
}

} // namespace vendara
