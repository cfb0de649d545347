#pragma once

#include "slip/sliprecord.h"

#include <QString>

#include <ostream>

namespace vendara::test {

// Rate 5 %, rounding half away from zero; body 1,500,000 less 100,000,
// accessories 50,000 and 33,333, taxes and fees 39,500 / 37,800 / 30,680 / 0,
// one sales cost of 20,000, one other cost of 5,000, trade-in 200,000.
SlipRecord workedTotalsSlip();

// Every field of the record set to a value other than its default, rows with
// commas, quotes and blanks, instalment payment with two bonus months.
SlipRecord fullyFilledSlip();

} // namespace vendara::test

// Readable failure messages: texts as UTF-8, records as their slip-file text.
void PrintTo(const QString &text, std::ostream *os);
namespace vendara {
void PrintTo(const SlipRecord &slip, std::ostream *os);
void PrintTo(const ItemRow &row, std::ostream *os);
void PrintTo(const CostRow &row, std::ostream *os);
} // namespace vendara
