#pragma once

#include "clicommand.h"

#include "print/pageoutput.h"

#include <QPoint>
#include <QString>

#include <optional>

namespace vendara::cli {

// Where and how the render and print commands put the pages of a rendering.
struct RenderOutput
{
    SheetSetup sheet;
    QPoint correction; // page units
    QString pdfPath;
    std::optional<QString> pngDir;
};

// The render options every command shares; value options "--paper",
// "--correction", "--png" and the flag "--landscape". The corrections default
// to those of the settings file.
inline const QStringList kRenderValueOptions{"--paper", "--correction", "--png"};
inline const QStringList kRenderFlagOptions{"--landscape"};
RenderOutput renderOutputFrom(const CliContext &context, const ArgReader &reader, const QString &pdfPath);

// Writes the PDF (and the PNG pages when asked) of a rendering.
void writeRenderOutput(const PageSequence &pages, const RenderOutput &output);

// Renders the print-data file (without a printer: the chosen paper, all of it
// printable) into page files of the run tag and writes its pages; the page
// files are gone afterwards. Returns the number of pages.
int renderToOutput(const CliContext &context, const QString &printDataPath, const QString &runTag,
                    const RenderOutput &output);

} // namespace vendara::cli
