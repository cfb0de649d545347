#pragma once

#include <QString>
#include <QStringList>

namespace vendara {

// Names typed by the user that become one file name inside a master folder
// (a maker's car-name file, a tax category's table, a postal-code
// dictionary). Beyond vendara::isSafeFileName such a name must not hold a
// control character (it is also one line of a list file), must be writable
// in Shift-JIS (the list file is), and must not be one of the folder's own
// list files, which it would overwrite or delete.
bool isStorableName(const QString &name, const QStringList &reservedNames = {});

// Throws vendara::Error with a message that says why the name is refused.
void requireStorableName(const QString &name, const QStringList &reservedNames = {});

} // namespace vendara
