#pragma once

#include "sliprow.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

// One reading of the slip folders into rows: what the index runs on its
// worker thread and the command line runs in its own. Slip files are only
// read, never written.
namespace vendara {

struct SlipFile
{
    QString path; // absolute
    QString fileName;
    FileStamp stamp;
};

// The slip files of a folder: its files named *.pvq in any case, not those
// of its subfolders nor hidden ones, in no particular order. Throws
// vendara::Error when the folder is missing or cannot be read.
std::vector<SlipFile> slipFilesIn(const QString &folder);

struct SlipScanOptions
{
    QString cacheFolder;  // where the folders' caches are kept; empty: none
    int firstBatch = 100; // rows in the first batch of files read, shown at once
    int batch = 500;      // rows in each later batch
};

struct SlipScanCallbacks
{
    // A batch of rows: first the files unchanged since their cache was
    // written, then the files read, newest first.
    std::function<void(std::vector<SlipRow> &&rows)> rows;
    std::function<void(int done, int total)> progress;
    // A folder that cannot be listed; the other folders are still read.
    std::function<void(const QString &folder, const QString &message)> folderFailed;
};

// Reads the folders (absolute paths) in order, each cache saved again when
// its folder's files changed. Stops between two files once cancel is set.
void scanSlipFolders(const QStringList &folders, const SlipScanOptions &options, const std::atomic<bool> &cancel,
                     const SlipScanCallbacks &callbacks);

} // namespace vendara
