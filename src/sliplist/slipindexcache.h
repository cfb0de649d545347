#pragma once

#include "sliprow.h"

#include <QString>

#include <vector>

// The rows of one folder kept between runs, so that opening the list again
// reads only the files that changed. A cache is only a copy: one that is
// missing, damaged, of another version or of another folder reads as empty,
// and one that cannot be written is left as it was.
namespace vendara::slipcache {

// The folder where the caches are kept: "vendara/slips" in the user's cache
// folder ($XDG_CACHE_HOME, ~/.cache), shared by the program and the CLI.
QString defaultFolder();

// The cache file of a slip folder within cacheFolder.
QString fileFor(const QString &cacheFolder, const QString &slipFolder);

// The rows kept for slipFolder (absolute), in the order they were saved;
// empty when there is no usable cache.
std::vector<SlipRow> load(const QString &cacheFolder, const QString &slipFolder);

// Replaces the cache of slipFolder atomically with rows (all of that
// folder). Returns false when it could not be written; never throws.
bool save(const QString &cacheFolder, const QString &slipFolder, const std::vector<const SlipRow *> &rows);

} // namespace vendara::slipcache
