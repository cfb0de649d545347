#include "app/settings.h"
#include "clicommand.h"
#include "generationoptions.h"
#include "renderoutput.h"

#include "common/error.h"
#include "print/printroad.h"
#include "print/runtag.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"


namespace vendara::cli {

// vendara-cli print SLIP.pvq --pdf OUT.pdf [printdata options] [render
// options]: the whole road of a print with a PDF for the printer. The slip is
// recalculated and written to the run's temporary slip file, the print data
// generated from it, rendered into page files and written as one PDF; every
// temporary file is removed at the end.
int runPrint(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, QStringList{"--pdf"} + kGenerationOptions + kRenderValueOptions, kRenderFlagOptions);
    const QString slipPath = reader.requireInputFile(0, QStringLiteral("伝票ファイル"));
    const RenderOutput output = renderOutputFrom(context, reader, reader.requireOutput(QStringLiteral("--pdf")));

    SlipDocument slip;
    slip.setAcquisitionRatio(Settings(context.data.settingsPath()).load(true).acquisitionRatio);
    ReadSlip(slip, slipPath, UnreadableSlip::Raise);

    PrintJob job;
    job.generation = generationRequestFrom(context, reader, documentKindOfSlipDiv(slip.record().no.slipDiv));
    job.geometry = PrinterGeometry::forPaper(output.sheet.paper, output.sheet.orientation);
    job.correction = output.correction;

    PrintRoad road(context.data, makeRunTag(context.data.tmpDir()));
    const std::unique_ptr<TPrnPlotY> pages = road.render(slip, job);
    if (!pages)
        throw Error(QStringLiteral("中止しました"));
    const QStringList files = pageFilesOf(*pages);
    writeRenderOutput(files, output);
    context.out << "pages\t" << files.size() << '\n';
    return 0;
}

} // namespace vendara::cli
