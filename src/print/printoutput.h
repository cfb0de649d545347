#pragma once

#include "printerselection.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

namespace vendara {

class PageRecorder;
class PageSequence;

// What the status window of printing gives the output: the abort request
// ("中止" pressed since it was last cleared) and the progress bar.
struct PrintOutputCallbacks
{
    // Yes/No questions, "印刷しますか？" and "中止しますか？"; true is Yes.
    std::function<bool(const QString &question)> ask;
    std::function<bool()> abortRequested;          // polled once per page
    std::function<void()> clearAbortRequest;
    std::function<void(int done, int total)> progress; // also the moment to process input
};

enum class PrintOutcome {
    Submitted, // one job holds every page
    Declined,  // "印刷しますか？" was answered No: nothing happened
    Aborted,   // "中止しますか？" was answered Yes: nothing was submitted
};

struct PrintOutputResult
{
    PrintOutcome outcome = PrintOutcome::Declined;
    int jobId = 0;
    int pages = 0;
};

// One PDF page per page at the sheet's size, each page stretched over the
// whole sheet, so that x = 0 is the sheet's edge whatever the printable
// area. A page that cannot be had repeats the page before it. pageDone(i) runs
// before page i is drawn (1-based) and returns false to stop; then the
// result is empty.
QByteArray composeJobPdf(const PageSequence &pages, QSizeF sheetMillimetres,
                         const std::function<bool(int page)> &beforePage = {});

// Prints the pages of a rendering on the current printer as one job with an
// empty title, on the paper, source, orientation, two-sided printing, colour
// mode and resolution in effect. With askFirst
// it asks "印刷しますか？" first; No leaves everything as it was (the page
// files stay, for the preview that asked). Before each page a pending abort
// request asks "中止しますか？": Yes discards the whole job, No clears the
// request and goes on with the same page. A rendering without pages is an
// error, not an empty job. The job is submitted only when
// every page is in it. Failures of the printing service throw vendara::Error
// with its message. Except after No to the first question, the page files
// are deleted in every case, printed, aborted or failed.
PrintOutputResult printPages(PrinterSelection &printer, PageRecorder &pages, bool askFirst,
                             const PrintOutputCallbacks &callbacks = {});
// The same for pages of any source, without the first question; the pages
// stay where they are.
PrintOutputResult printPages(PrinterSelection &printer, const PageSequence &pages,
                             const PrintOutputCallbacks &callbacks = {});

} // namespace vendara
