#pragma once

#include "print/pagerenderer.h"
#include "print/printdatagenerator.h"
#include "print/printroad.h"

#include <QString>

#include <memory>

namespace vendara {

class DocumentSession;
class PageRecorder;
class PrinterSelection;

// What the main window's print commands do with the slip, without windows:
// the job from the current print settings of the slip's kind, rendering on
// the current printer, and the PDF a dealer sends by e-mail.
class SlipPrinting
{
public:
    SlipPrinting(DocumentSession &session, PrinterSelection &printer);

    DocumentKind kind() const;
    PrintJob job() const;

    // The pages in the current printer's geometry; nullptr when cancelled.
    // The caller has looked for printer changes (the printer dialog does).
    // The slip's modified flag stays as it was. Throws vendara::Error.
    std::unique_ptr<PageRecorder> render(const RenderCallbacks &callbacks = {},
                                         const PrintDataGenerator::ProgressCallback &progress = {});

    // The pages of a preview, which has no printer dialog to look for printer
    // changes first. The print server's answer is waited for on a worker
    // thread while the slip renders on the current printer; when the list of
    // printers has changed, the pages are rendered again on the printer then
    // in effect. Returns nullptr when cancelled. Throws vendara::Error, the
    // printer check's errors included.
    std::unique_ptr<PageRecorder> renderForPreview(const RenderCallbacks &callbacks = {},
                                                   const PrintDataGenerator::ProgressCallback &progress = {});

    // The pages of a PDF: on the current printer's sheet as printing would
    // make them, or on A4 when no printer is installed.
    std::unique_ptr<PageRecorder> renderForPdf(const RenderCallbacks &callbacks = {},
                                               const PrintDataGenerator::ProgressCallback &progress = {});
    // Writes the pages as a PDF whose title is pdfTitle().
    void writePdf(const PageRecorder &pages, const QString &path) const;
    // "見積書 00000012".
    QString pdfTitle() const;
    // The slip's default file name with ".pdf", in the folder of the last
    // PDF (else the slip dialogs' folder).
    QString defaultPdfPath() const;
    // Remembers the folder of a PDF written by the user.
    void rememberPdfFolder(const QString &pdfPath) const;

private:
    DocumentSession &m_session;
    PrinterSelection &m_printer;
    PrintRoad m_road;
};

} // namespace vendara
