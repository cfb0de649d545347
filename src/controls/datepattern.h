#pragma once

#include <QDate>
#include <QString>

namespace vendara {

// Default print date patterns: Japanese era form and western form.
inline const QString kEraDatePattern = QStringLiteral("GGEE/MM/DD");
inline const QString kWesternDatePattern = QStringLiteral("YYYY/MM/DD");

// Formats `date` with a print date pattern. Tokens (case-insensitive; a run
// of one letter is one token):
//   yyyy (3+ y) four-digit year     yy (1-2 y) last two digits of the year
//   m / mm      month, plain / two digits
//   mmm / mmmm  short / long Japanese month name ("5月")
//   d / dd      day, plain / two digits
//   ddd / dddd  short / long Japanese weekday name ("金" / "金曜日"; 4+ d)
//   g / gg      first character / whole of the era name (2+ g)
//   e / ee      year within the era, plain / at least two digits (2+ e)
//   /           the date separator '/'
// Text in double or single quotes is copied without the quotes; any other
// character is copied. Era tokens follow the platform's Japanese calendar.
// An invalid date gives an empty string.
QString formatDatePattern(const QString &pattern, const QDate &date);

// The text of a print item of type DATE whose slip value is one date
// "yyyy/mm/dd": empty when the value is empty, not a date or the zero date
// 1899/12/30; otherwise the date formatted with `pattern`.
QString formatDateValue(const QString &pattern, const QString &slipValue);

// The same for one field of a multi-column DATE item: an empty field gives
// an empty string; a field that is not a date throws vendara::Error
// "'<field>' は日付ではありません".
QString formatDateField(const QString &pattern, const QString &field);

} // namespace vendara
