#pragma once

#include <QString>

namespace vendara {

// The run tag of a process: the decimal text of the millisecond tick count,
// prefixing every temporary file of the process. A tag whose files are still
// in tmpDir (another process started in the same millisecond) is passed over.
QString makeRunTag(const QString &tmpDir);

} // namespace vendara
