#pragma once

#include <QStringList>

namespace vendara {

// The 47 prefectures in the usual north-to-south order, as the customer's
// prefecture field offers them.
const QStringList &prefectureNames();

} // namespace vendara
