#include "slipfolderscan.h"

#include "slipindexcache.h"

#include "common/error.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace vendara {

std::vector<SlipFile> slipFilesIn(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        throw Error(QStringLiteral("フォルダが見つかりません: %1").arg(folder));
    if (!info.isReadable() || !info.isExecutable())
        throw Error(QStringLiteral("フォルダを読み込めません: %1").arg(folder));
    std::vector<SlipFile> files;
    // Name filters match without regard to case unless told otherwise.
    QDirIterator it(folder, {QStringLiteral("*.pvq")}, QDir::Files | QDir::System);
    while (it.hasNext()) {
        SlipFile file;
        file.path = it.next();
        file.fileName = it.fileName();
        file.stamp = fileStampOf(file.path);
        if (file.stamp.size >= 0) // not gone meanwhile
            files.push_back(std::move(file));
    }
    return files;
}

namespace {

class FolderScan
{
public:
    FolderScan(const SlipScanOptions &options, const std::atomic<bool> &cancel, const SlipScanCallbacks &callbacks,
               int total)
        : m_options(options), m_cancel(cancel), m_callbacks(callbacks), m_total(total)
    {
    }

    // Returns false once cancelled.
    bool run(const QString &folder, const std::vector<SlipFile> &files)
    {
        std::vector<SlipRow> cached;
        if (!m_options.cacheFolder.isEmpty())
            cached = slipcache::load(m_options.cacheFolder, folder);
        QHash<QString, const SlipRow *> cachedByName;
        cachedByName.reserve(qsizetype(cached.size()));
        for (const SlipRow &row : cached)
            cachedByName.insert(row.summary.fileName, &row);

        std::vector<SlipRow> kept;
        kept.reserve(size_t(files.size()));
        std::vector<const SlipFile *> toRead;
        for (const SlipFile &file : files) {
            const SlipRow *row = cachedByName.value(file.fileName);
            if (row && row->summary.stamp == file.stamp)
                kept.push_back(*row);
            else
                toRead.push_back(&file);
        }
        const bool changed = !toRead.empty() || kept.size() != cached.size();
        std::vector<SlipRow> all;
        all.reserve(size_t(files.size()));
        for (size_t at = 0; at < kept.size(); at += 4096) {
            const auto end = kept.begin() + qsizetype(std::min(kept.size(), at + 4096));
            std::vector<SlipRow> batch(kept.begin() + qsizetype(at), end);
            all.insert(all.end(), batch.begin(), batch.end());
            deliver(std::move(batch));
        }

        // The newest first: they are the ones a user looks for.
        std::sort(toRead.begin(), toRead.end(), [](const SlipFile *a, const SlipFile *b) {
            return a->stamp.modifiedMs > b->stamp.modifiedMs;
        });
        std::vector<SlipRow> batch;
        for (const SlipFile *file : toRead) {
            if (m_cancel)
                return false;
            batch.push_back(makeSlipRow(readSlipSummary(file->path)));
            const int limit = m_firstBatchSent ? m_options.batch : m_options.firstBatch;
            if (int(batch.size()) >= limit) {
                m_firstBatchSent = true;
                all.insert(all.end(), batch.begin(), batch.end());
                deliver(std::move(batch));
                batch.clear();
            }
        }
        if (!batch.empty()) {
            all.insert(all.end(), batch.begin(), batch.end());
            deliver(std::move(batch));
        }
        if (changed && !m_options.cacheFolder.isEmpty() && !m_cancel) {
            std::vector<const SlipRow *> rows;
            rows.reserve(all.size());
            for (const SlipRow &row : all)
                rows.push_back(&row);
            slipcache::save(m_options.cacheFolder, folder, rows);
        }
        return !m_cancel;
    }

private:
    void deliver(std::vector<SlipRow> &&rows)
    {
        m_done += int(rows.size());
        if (m_callbacks.rows)
            m_callbacks.rows(std::move(rows));
        if (m_callbacks.progress)
            m_callbacks.progress(m_done, m_total);
    }

    const SlipScanOptions &m_options;
    const std::atomic<bool> &m_cancel;
    const SlipScanCallbacks &m_callbacks;
    const int m_total;
    int m_done = 0;
    bool m_firstBatchSent = false;
};

} // namespace

void scanSlipFolders(const QStringList &folders, const SlipScanOptions &options, const std::atomic<bool> &cancel,
                     const SlipScanCallbacks &callbacks)
{
    std::vector<std::pair<QString, std::vector<SlipFile>>> listed;
    int total = 0;
    for (const QString &folder : folders) {
        try {
            listed.emplace_back(folder, slipFilesIn(folder));
            total += int(listed.back().second.size());
        } catch (const Error &e) {
            if (callbacks.folderFailed)
                callbacks.folderFailed(folder, e.message());
        }
    }
    if (callbacks.progress)
        callbacks.progress(0, total);
    FolderScan scan(options, cancel, callbacks, total);
    for (const auto &[folder, files] : listed)
        if (!scan.run(folder, files))
            return;
}

} // namespace vendara
