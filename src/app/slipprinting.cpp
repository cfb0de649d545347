#include "slipprinting.h"

#include "documentsession.h"

#include "print/pageoutput.h"
#include "print/pagerecorder.h"
#include "print/printerselection.h"

#include <QDir>
#include <future>
#include <QFileInfo>

namespace vendara {

SlipPrinting::SlipPrinting(DocumentSession &session, PrinterSelection &printer)
    : m_session(session), m_printer(printer), m_road(session.data(), session.runTag())
{
}

DocumentKind SlipPrinting::kind() const
{
    return documentKindOfSlipDiv(m_session.document().record().no.slipDiv);
}

PrintJob SlipPrinting::job() const
{
    const CurrentPrintSettings &settings = m_session.printSettings();
    PrintJob job;
    job.generation = printDataRequestFor(settings, kind(), m_session.settings().datePattern());
    job.correction = QPoint(PageRecorder::correctionUnits(settings.correctionX),
                            PageRecorder::correctionUnits(settings.correctionY));
    return job;
}

std::unique_ptr<PageRecorder> SlipPrinting::render(const RenderCallbacks &callbacks,
                                                   const PrintDataGenerator::ProgressCallback &progress)
{
    return m_road.render(m_session.document(), job(), m_printer, callbacks, progress);
}

std::unique_ptr<PageRecorder> SlipPrinting::renderForPreview(const RenderCallbacks &callbacks,
                                                             const PrintDataGenerator::ProgressCallback &progress)
{
    if (!m_printer.hasPrinters()) {
        // Nothing to render on unless a printer has come since.
        m_printer.checkForChanges();
        return render(callbacks, progress);
    }
    PrintingService &service = m_printer.service();
    std::future<QList<PrinterInfo>> printers = std::async(std::launch::async, [&service] { return service.printers(); });
    std::unique_ptr<PageRecorder> pages = render(callbacks, progress);
    if (m_printer.checkForChanges(printers.get()) && pages)
        pages = render(callbacks, progress);
    return pages;
}

std::unique_ptr<PageRecorder> SlipPrinting::renderForPdf(const RenderCallbacks &callbacks,
                                                         const PrintDataGenerator::ProgressCallback &progress)
{
    m_printer.checkForChanges();
    if (m_printer.hasPrinters())
        return m_road.render(m_session.document(), job(), m_printer, callbacks, progress);
    PrintJob a4 = job();
    a4.geometry = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    return m_road.render(m_session.document(), a4, callbacks, progress);
}

void SlipPrinting::writePdf(const PageRecorder &pages, const QString &path) const
{
    // The sheet as it lies: a landscape sheet is a wide page.
    const QSizeF sheet = pages.geometry().sheetMillimetres();
    const SheetSetup setup{QPageSize(sheet, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                           QPageLayout::Portrait};
    writePagesToPdf(pages, setup, path, pdfTitle());
}

QString SlipPrinting::pdfTitle() const
{
    return documentKindName(kind()) + u' ' + m_session.document().record().no.slipCode;
}

QString SlipPrinting::defaultPdfPath() const
{
    QString folder = m_session.settings().pdfFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = m_session.dialogFolder();
    const QString name = QFileInfo(defaultSlipFileName(m_session.document().record())).completeBaseName();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void SlipPrinting::rememberPdfFolder(const QString &pdfPath) const
{
    m_session.settings().setPdfFolder(QFileInfo(pdfPath).absolutePath());
}

} // namespace vendara
