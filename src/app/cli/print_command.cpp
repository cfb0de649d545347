#include "settings/settings.h"
#include "clicommand.h"
#include "generationoptions.h"
#include "renderoutput.h"

#include "common/error.h"
#include "print/cupsprintingservice.h"
#include "print/printerselection.h"
#include "print/printoutput.h"
#include "print/printroad.h"
#include "print/runtag.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"


namespace vendara::cli {
namespace {

// The position of name among the entries: exact first, then without regard
// to case; -1 when none.
int positionOf(const QStringList &entries, const QString &name)
{
    const int exact = int(entries.indexOf(name));
    if (exact >= 0)
        return exact;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// Chooses the printer, paper, source and orientation the options name on the
// printer object and applies them, as the printer dialog does.
void choosePrinterSetup(PrinterSelection &printer, const ArgReader &reader)
{
    printer.checkForChanges();
    if (const auto name = reader.value(QStringLiteral("--printer"))) {
        const int index = positionOf(printer.printerNames(), *name);
        if (index < 0)
            throw Error(QStringLiteral("プリンタ %1 が見つかりません").arg(*name));
        printer.setIndex(index);
    } else {
        printer.setIndex(-1);
    }
    if (const auto paper = reader.value(QStringLiteral("--paper"))) {
        const QStringList names = printer.paperSizeNames();
        // The driver's name as `printers` lists it, else its keyword (A4) or the standard name.
        QStringList keywords;
        QStringList mediaNames;
        for (const PaperInfo &info : printer.driverInfo().papers) {
            keywords << info.keyword;
            mediaNames << info.mediaName;
        }
        int index = positionOf(names, *paper);
        if (index < 0)
            index = positionOf(keywords, *paper);
        if (index < 0)
            index = positionOf(mediaNames, *paper);
        if (index < 0) {
            throw Error(QStringLiteral("用紙 %1 はこのプリンタにありません (%2)").arg(*paper, names.join(QStringLiteral(", "))));
        }
        printer.setPaperSizeIndex(index);
    }
    if (const auto source = reader.value(QStringLiteral("--source"))) {
        const QStringList names = printer.sourceNames();
        QStringList keywords;
        for (const PaperSource &info : printer.driverInfo().sources)
            keywords << info.keyword;
        int index = positionOf(names, *source);
        if (index < 0)
            index = positionOf(keywords, *source);
        if (index < 0) {
            throw Error(
                QStringLiteral("給紙方法 %1 はこのプリンタにありません (%2)").arg(*source, names.join(QStringLiteral(", "))));
        }
        printer.setSourceIndex(index);
    }
    if (reader.has(QStringLiteral("--landscape")))
        printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
}

} // namespace

// vendara-cli print SLIP.pvq --pdf OUT.pdf [printdata options] [render
// options]: the whole road of a print with a PDF for the printer. The slip is
// recalculated and written to the run's temporary slip file, the print data
// generated from it, rendered into page files and written as one PDF; every
// temporary file is removed at the end.
//
// vendara-cli print SLIP.pvq [--printer NAME] [--paper NAME] [--source NAME]
// [--landscape] [--correction X,Y] [printdata options]: the same road to a
// printer of the printing service (the default one without --printer), the
// pages in its geometry, one job for all copies; prints the job id.
int runPrint(CliContext &context, const QStringList &args)
{
    const ArgReader reader(args, QStringList{"--pdf", "--printer", "--source"} + kGenerationOptions + kRenderValueOptions,
                           kRenderFlagOptions);
    const QString slipPath = reader.requireInputFile(0, QStringLiteral("伝票ファイル"));
    const bool toPdf = reader.has(QStringLiteral("--pdf"));
    if (toPdf && (reader.has(QStringLiteral("--printer")) || reader.has(QStringLiteral("--source"))))
        throw Error(QStringLiteral("--pdf と --printer, --source は同時に指定できません"));
    if (!toPdf && reader.has(QStringLiteral("--png")))
        throw Error(QStringLiteral("--png は --pdf と一緒に指定してください"));

    SlipDocument slip;
    slip.setAcquisitionRatio(slipAcquisitionRatio(context.data));
    readSlip(slip, slipPath, UnreadableSlip::Raise);

    PrintJob job;
    job.generation = generationRequestFrom(context, reader, documentKindOfSlipDiv(slip.record().no.slipDiv));

    if (toPdf) {
        const RenderOutput output = renderOutputFrom(context, reader, reader.requireOutput(QStringLiteral("--pdf")));
        job.geometry = PrinterGeometry::forPaper(output.sheet.paper, output.sheet.orientation);
        job.correction = output.correction;
        PrintRoad road(context.data, makeRunTag(context.data.tmpDir()));
        const std::unique_ptr<PageRecorder> pages = road.render(slip, job);
        if (!pages)
            throw Error(QStringLiteral("中止しました"));
        writeRenderOutput(*pages, output);
        context.out << "pages\t" << pages->pageCount() << '\n';
        return 0;
    }

    CupsPrintingService service;
    PrinterSelection printer(service);
    choosePrinterSetup(printer, reader);
    // The corrections as the render options give them; the paper is the printer's.
    RenderOutput corrections;
    {
        QStringList renderArgs;
        if (const auto value = reader.value(QStringLiteral("--correction")))
            renderArgs << QStringLiteral("--correction") << *value;
        corrections = renderOutputFrom(context, ArgReader(renderArgs, kRenderValueOptions, kRenderFlagOptions), QString());
    }
    job.correction = corrections.correction;

    PrintRoad road(context.data, makeRunTag(context.data.tmpDir()));
    const std::unique_ptr<PageRecorder> pages = road.render(slip, job, printer);
    if (!pages)
        throw Error(QStringLiteral("中止しました"));
    const PrintOutputResult result = printPages(printer, *pages, false);
    context.out << "printer\t" << printer.printerNames().value(printer.index()) << '\n';
    context.out << "job\t" << result.jobId << '\n';
    context.out << "pages\t" << result.pages << '\n';
    return 0;
}

} // namespace vendara::cli
