#pragma once

#include "slipsummary.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The rows of the slip list written out for other programs: the list's
// columns, then the customer's postal code, address and phone and the
// error of a file that was not read. Dates are written as yyyy/mm/dd (in
// JSON yyyy-mm-dd), amounts as plain integers.
namespace vendara {

enum class SlipExportFormat {
    Csv,  // UTF-8 with a byte-order mark, CR LF, fields quoted where needed (spreadsheets)
    Tsv,  // UTF-8, LF, tabs and line breaks inside a value become spaces
    Json, // UTF-8, an array of objects
};

// "csv", "tsv", "json" in any case; nothing for another name.
std::optional<SlipExportFormat> slipExportFormatNamed(const QString &name);

QByteArray exportSlips(const std::vector<const SlipSummary *> &rows, SlipExportFormat format);

// Writes the export to path atomically; throws vendara::Error
// ("<path> に書き込めません").
void writeSlipExport(const QString &path, const std::vector<const SlipSummary *> &rows, SlipExportFormat format);

} // namespace vendara
