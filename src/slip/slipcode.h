#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace vendara {

// The slip number field holds eight digits. Its spin and arrow keys step the
// number and wrap: 99999999 + 1 is 00000000 and 00000000 - 1 is 99999999.
// A field with unfilled positions (blanks) is no number and has no step.
std::optional<QString> steppedSlipCode(QStringView code, int steps);

} // namespace vendara
