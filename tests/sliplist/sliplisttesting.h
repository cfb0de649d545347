#pragma once

#include "slip/slipdocument.h"
#include "slip/slipfile.h"
#include "support/slipsamples.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <functional>

namespace vendara::test {

// A slip written by the program's own writer into folder/name: the worked
// sample with what edit changes. Returns the path.
inline QString writeListSlip(const QString &folder, const QString &name,
                             const std::function<void(SlipRecord &)> &edit = {})
{
    SlipRecord slip = workedTotalsSlip();
    if (edit)
        edit(slip);
    SlipDocument document;
    document.loadRecord(slip);
    const QString path = QDir(folder).filePath(name);
    writeSlip(document, path);
    return path;
}

// Sets a file's modification time, so tests do not depend on the clock.
inline void setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(when, QFileDevice::FileModificationTime);
}

} // namespace vendara::test
