#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: the Qt application, a scratch folder that
// lives as long as the process, and the input as bytes or as decoded text.
namespace vendara::fuzz {

// A QGuiApplication on the offscreen platform, made on the first call.
void ensureGuiApplication();

// An empty folder of this process, with a trailing separator. Files a run
// leaves in it are removed by the next call to clearScratch().
QString scratchDir();
void clearScratch();

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input as the program reads its files: Shift-JIS bytes.
QString textOf(const uint8_t *data, size_t size);

// Writes bytes to path (creating the folders); false when it fails.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace vendara::fuzz
