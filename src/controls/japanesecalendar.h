#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace vendara {

// A date's era in the platform's Japanese calendar (ICU): its era name as
// the Japanese locale abbreviates it ("平成") and the year within that era.
struct JapaneseEraYear
{
    QString eraName;
    int eraYear = 0;
};

// Nothing for an invalid date or when the calendar cannot be had.
std::optional<JapaneseEraYear> japaneseEraYear(const QDate &date);

} // namespace vendara
