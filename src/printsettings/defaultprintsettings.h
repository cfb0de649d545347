#pragma once

#include "common/datafolder.h"
#include "common/fileversion.h"

#include <QString>

#include <array>
#include <optional>

namespace vendara {

// The two documents a slip prints as; the index selects titles and format.
enum class DocumentKind { Estimate = 0, Order = 1 };

inline constexpr int kCopyCount = 4;
using CopyTitles = std::array<QString, kCopyCount>;
using CopySwitches = std::array<bool, kCopyCount>;

// "見積書" or "注文書": the name format files give as their FormatType.
QString documentKindName(DocumentKind kind);
std::optional<DocumentKind> documentKindFromName(const QString &name);
// The slip's No.SlipDiv: 1 is an order form, anything else an estimate.
DocumentKind documentKindOfSlipDiv(int slipDiv);

// Dat/Fmt/<name>.fmt, built even for an empty name (it then names no file).
// A name holding "/" or NUL is refused with vendara::Error.
QString formatFilePath(const DataFolder &data, const QString &name);

// The default print settings file Dat/Mst/DefPrDat.
struct DefaultPrintSettings
{
    std::array<CopyTitles, 2> titles; // per document kind: [Mit] / [Tyu] 1..4
    CopySwitches copies{};            // [Fuk] 0..3
    std::array<QString, 2> formatNames; // [Def] FomatM / FomatT
    QString setName;                    // [Def] Logo

    // What a missing file gives.
    static DefaultPrintSettings defaults();
    static QString filePath(const DataFolder &data);
    // Missing keys (or a missing or unreadable file) read as the defaults.
    // version receives what the file held, for a later save.
    static DefaultPrintSettings load(const DataFolder &data, FileVersion *version = nullptr);
    // Writes all fifteen keys in the fixed order; other lines of the file
    // stay. A file that no longer holds what `read` describes is not replaced
    // unless overwrite is Force (FileChangedError, nothing written).
    void save(const DataFolder &data, const FileVersion &read, Overwrite overwrite = Overwrite::IfUnchanged) const;

    bool operator==(const DefaultPrintSettings &) const = default;
};

// The working print choices of a main window (or one CLI run).
struct CurrentPrintSettings
{
    std::array<CopyTitles, 2> titles;
    CopySwitches copies{};
    std::array<QString, 2> formatPaths; // full paths per document kind
    QString setPath;                     // full path of the company block set file
    float correctionX = 0;               // millimetres
    float correctionY = 0;

    // At start-up: the default print settings plus the corrections of the
    // settings file ([Print] Fix_X / Fix_Y), which the caller reads.
    static CurrentPrintSettings from(const DataFolder &data, const DefaultPrintSettings &defaults,
                                     float correctionX, float correctionY);
    // When the default print settings change: everything but the corrections
    // is refilled from them.
    void refill(const DataFolder &data, const DefaultPrintSettings &defaults);

    const CopyTitles &titlesOf(DocumentKind kind) const { return titles[size_t(kind)]; }
    const QString &formatPathOf(DocumentKind kind) const { return formatPaths[size_t(kind)]; }
};

} // namespace vendara
