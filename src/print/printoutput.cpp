#include "printoutput.h"

#include "pageoutput.h"
#include "pagerecorder.h"

#include "common/error.h"

#include <QPageLayout>
#include <QPageSize>

namespace vendara {

QByteArray composeJobPdf(const PageSequence &pages, QSizeF sheetMillimetres,
                         const std::function<bool(int page)> &beforePage)
{
    if (sheetMillimetres.isEmpty())
        throw Error(QStringLiteral("用紙の大きさがわかりません"));
    // The page is the sheet as it lies; a landscape sheet is a wide page.
    const QPageSize sheet(sheetMillimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    const QPageLayout layout(sheet, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    return pdfOfPages(pages, layout, QStringLiteral("印刷データを作れません"), beforePage);
}

PrintOutputResult printPages(PrinterSelection &printer, PageRecorder &pages, bool askFirst,
                             const PrintOutputCallbacks &callbacks)
{
    if (askFirst && callbacks.ask && !callbacks.ask(QStringLiteral("印刷しますか？")))
        return {};

    struct DeletePages
    {
        PageRecorder &pages;
        ~DeletePages() { pages.deletePageFiles(); }
    } deletePages{pages};
    return printPages(printer, PageSequence(pages), callbacks);
}

PrintOutputResult printPages(PrinterSelection &printer, const PageSequence &pages,
                             const PrintOutputCallbacks &callbacks)
{
    PrintOutputResult result;
    const int count = pages.count();
    if (count == 0)
        throw Error(QStringLiteral("印刷するページがありません"));
    if (callbacks.clearAbortRequest)
        callbacks.clearAbortRequest();
    if (callbacks.progress)
        callbacks.progress(0, count);

    const PrinterOutputSetup setup = printer.outputSetup();
    auto beforePage = [&](int page) {
        if (page > 1 && callbacks.progress)
            callbacks.progress(page - 1, count);
        if (callbacks.abortRequested && callbacks.abortRequested()) {
            if (callbacks.ask && callbacks.ask(QStringLiteral("中止しますか？")))
                return false;
            if (callbacks.clearAbortRequest)
                callbacks.clearAbortRequest();
        }
        return true;
    };
    const QByteArray pdf = composeJobPdf(pages, setup.sheetMillimetres, beforePage);
    if (pdf.isEmpty()) {
        result.outcome = PrintOutcome::Aborted;
        return result;
    }

    PrintJobRequest job;
    job.printer = setup.printer;
    job.pdf = pdf;
    job.paper = setup.paper;
    job.source = setup.source;
    job.landscape = setup.landscape;
    job.duplex = setup.duplex;
    job.colorMode = setup.colorMode;
    job.resolution = setup.resolution;
    result.jobId = printer.service().submitJob(job);
    result.outcome = PrintOutcome::Submitted;
    result.pages = count;
    if (callbacks.progress)
        callbacks.progress(count, count);
    return result;
}

} // namespace vendara
