#pragma once

#include <QStringList>

namespace vendara {

// Sorts names ascending in Japanese collation, ignoring letter case; blank
// names (empty or only blanks) come first. Names equal under these rules
// keep their order.
void sortJapaneseIgnoringCase(QStringList &names);

} // namespace vendara
