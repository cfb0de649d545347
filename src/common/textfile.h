#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Shift-JIS text files: read with any line ends, written with CR LF.
namespace vendara::textfile {

// Splits at CR LF, LF or CR. A final line end adds no empty line.
QStringList splitLines(QStringView text);

// The lines of the file, or nothing when it cannot be read.
std::optional<QStringList> readLines(const QString &path);

// Lines joined with CR LF, each line ended; the empty list gives an empty text.
QString joinLines(const QStringList &lines);

// Encodes and saves atomically; throws vendara::Error on an unencodable
// character (nothing is written then) or a failed write.
void writeLines(const QString &path, const QStringList &lines);

} // namespace vendara::textfile
