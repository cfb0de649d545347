#pragma once

#include "sliprecord.h"

// The completion checks of the nine slip sections. A check never blocks
// anything; it only tells, as the section's status, what is still missing.
namespace vendara {

inline const QString kStatusComplete = QStringLiteral("設定完了");
inline const QString kStatusConfirmed = QStringLiteral("確認済み");
inline const QString kStatusTotalsUpdated = QStringLiteral("合計が更新されました");

// The status text the check of section n (1..9) gives for the slip.
// Throws std::out_of_range for any other n.
QString sectionStatus(const SlipRecord &slip, int n);

// Blue for a text that tells completion ("完了" or "済み"), red otherwise.
int statusColour(const QString &text);

} // namespace vendara
