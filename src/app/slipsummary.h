#pragma once

#include "slip/sliprecord.h"

#include <QString>

namespace vendara {

// A read-only HTML summary of a slip for the centre of the main window:
// the header, each section's status, the customer, the vehicles, the
// totals table and the payment. Dates in era form when eraDates is set.
QString slipSummaryHtml(const SlipRecord &slip, bool eraDates);

} // namespace vendara
