#pragma once

#include <QString>
#include <QStringList>

// The three comma-separated line forms of the program's files. They differ on
// purpose: each reads what its own writers have always written.
namespace vendara::commatext {

// General comma text (print-data lines, format section names, master and
// table files). A field holding a blank, a control character, a comma or a
// double quote is quoted with inner quotes doubled; the empty field is bare.
QString join(const QStringList &fields);

// Leading blanks are skipped; a field is a quoted string or a run of
// characters other than blank, control character and comma; an unquoted blank
// separates like a comma; a comma at the very end adds one empty field.
QStringList split(QStringView line);

// A line read into a grid row: an empty field becomes a single space.
QStringList splitToGridCells(QStringView line);

// Slip item and cost rows: split at a comma or TAB outside double quotes; a
// quoted field gives the text up to its closing quote with doubled quotes
// made single. Exactly cellCount cells come back: missing ones empty, extra
// fields dropped, and cells holding only blanks emptied.
QStringList splitRowLine(QStringView line, int cellCount);

// Format Script values: split at every comma and tab, even inside quotes; a
// field that opens and closes a double quote is replaced by the text between
// them (doubled quotes single, anything after the closing quote dropped).
// A trailing comma adds no empty field; an empty value gives no field.
QStringList splitScriptFields(QStringView value);

} // namespace vendara::commatext
