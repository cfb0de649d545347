#pragma once

#include "common/datafolder.h"
#include "common/iniprofile.h"
#include "printsettings/defaultprintsettings.h"

#include <QString>
#include <QStringList>

namespace vendara {

// Format files Dat/Fmt/<name>.fmt: the layout of one printed document.

// The section of document settings, recognised by this exact spelling
// during print-data generation (listing finds it in any case).
inline const QString kFormatGlobalSection = QStringLiteral("Global");
inline const QString kFormatTitleSection = QStringLiteral("SLIPTITLE");
inline const QString kFormatLogoSection = QStringLiteral("LOGOIMAGE");
inline const QString kFormatScriptSection = QStringLiteral("SCRIPT");
inline const QString kFormatListType = QStringLiteral("LINE");
// More columns than any sheet can hold; a larger Column is refused rather
// than generated for minutes into gigabytes.
inline constexpr int kMaxFormatColumns = 1000;

// Reads a format file as INI text (quotes " or ' dropped, 0x integers).
// A missing file reads as an empty one.
IniProfile loadFormatFile(const QString &path);

// Base names of the ordinary Dat/Fmt/*.fmt files whose [Global] FormatType
// equals kind and FormatName equals the base name, both exactly; sorted by
// name, since the file system gives no order.
QStringList listFormats(const DataFolder &data, const QString &kindName);

struct FormatFont
{
    QString face = QStringLiteral("ＭＳ ゴシック");
    int size = 10;
    int color = 0;
    int style = 0;
    bool operator==(const FormatFont &) const = default;
};

struct FormatBrush
{
    int style = 16777215; // outside 1..7: solid
    int color = 16777215;
    bool operator==(const FormatBrush &) const = default;
};

// The document settings of a Global section; missing keys give defaults.
struct FormatGlobal
{
    QString formatType;
    QString formatName;
    FormatFont font;
    FormatBrush brush;
    int pageHeight = 0; // accepted, no effect
    int repeat = 0;     // accepted, no effect

    static FormatGlobal read(const IniProfile &format, const QString &section = kFormatGlobalSection);
};

enum class FormatSectionKind {
    DocumentSettings, // exactly "Global"
    Title,            // one part, SLIPTITLE
    CompanyBlock,     // one part, LOGOIMAGE
    Script,           // one part, SCRIPT
    Item,             // slip section, slip key
    List,             // slip section, key prefix, Type LINE
    None,             // any other name
};

// A section name split like comma text; three or more parts count as two.
QStringList formatSectionParts(const QString &sectionName);
FormatSectionKind formatSectionKind(const IniProfile &format, const QString &sectionName);

// Key X(n): X itself when the section has one column, X followed by n otherwise.
QString formatColumnKey(const QString &key, int column, int columnCount);

} // namespace vendara
