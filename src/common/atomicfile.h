#pragma once

#include <QByteArray>
#include <QString>

namespace vendara {

// Writes bytes to path through a file beside it that is flushed and then
// renamed over the target, so a failed write leaves the old file whole.
// A target that exists but is read-only is refused like an unwritable folder.
// Temporary files that saves of killed processes left beside the target are
// removed.
// Throws vendara::Error "<path> に書き込めません" on any failure.
void saveFileAtomically(const QString &path, const QByteArray &bytes);

// The message of a failed write, shared by every writer.
QString cannotWriteMessage(const QString &path);

} // namespace vendara
