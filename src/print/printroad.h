#pragma once

#include "pagerenderer.h"
#include "printergeometry.h"
#include "pagerecorder.h"
#include "printdatagenerator.h"

#include "common/datafolder.h"
#include "printsettings/defaultprintsettings.h"

#include <QPoint>
#include <QString>

#include <memory>

namespace vendara {

class SlipDocument;
class PrinterSelection;

// The generator's inputs for one document kind from the current print
// settings; the slip path is filled in by the road.
PrintDataRequest printDataRequestFor(const CurrentPrintSettings &settings, DocumentKind kind,
                                     const QString &defaultDatePattern);

// Renders a print-data file into page files of the run tag, held by the
// returned recorder (deleted with it); nullptr when the rendering was
// cancelled. A missing print-data file is an error.
std::unique_ptr<PageRecorder> renderPrintData(const QString &printDataPath, const PrinterGeometry &geometry,
                                           QPoint correction, const QString &tmpDir, const QString &runTag,
                                           const RenderCallbacks &callbacks = {});

// What one print asks of the road besides the slip.
struct PrintJob
{
    PrintDataRequest generation;
    PrinterGeometry geometry;
    QPoint correction; // page units (millimetres x 10, truncated)
};

// The road of a print request up to the page files, without windows: the
// slip on screen is recalculated and written to the run's temporary slip
// file (its modified flag untouched), the print data is generated from it
// and rendered. The print-data file is removed once rendered, also when
// rendering fails; the temporary slip file lives as long as the road, as it
// lives as long as the main window. One road serves one process.
class PrintRoad
{
public:
    PrintRoad(const DataFolder &data, const QString &runTag);
    ~PrintRoad();
    PrintRoad(const PrintRoad &) = delete;
    PrintRoad &operator=(const PrintRoad &) = delete;

    // The page recorder holding the page files, deleted with it; nullptr when
    // the rendering was cancelled (its page files are gone then).
    std::unique_ptr<PageRecorder> render(SlipDocument &slip, const PrintJob &job, const RenderCallbacks &callbacks = {},
                                      const PrintDataGenerator::ProgressCallback &progress = {});
    // The same on the current printer: the pages take its geometry (each
    // page as large as its sheet, its resolution and printable offset), in
    // place of job.geometry. Without a printer nothing is written and the
    // printer's "No Printer" error is raised.
    std::unique_ptr<PageRecorder> render(SlipDocument &slip, PrintJob job, PrinterSelection &printer,
                                      const RenderCallbacks &callbacks = {},
                                      const PrintDataGenerator::ProgressCallback &progress = {});

    const QString &runTag() const { return m_runTag; }
    QString temporarySlipPath() const;

private:
    DataFolder m_data;
    QString m_runTag;
};

} // namespace vendara
