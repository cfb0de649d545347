#include "printcommands.h"

#include "app/documentsession.h"
#include "app/slipbatch.h"
#include "app/helppages.h"
#include "app/platformservices.h"

#include "common/error.h"
#include "common/questions.h"
#include "settings/settings.h"
#include "print/pageoutput.h"
#include "print/pagerecorder.h"
#include "print/printerselection.h"
#include "print/printoutput.h"
#include "print/widgets/pageimageprogresswindow.h"
#include "print/widgets/printdataprogresswindow.h"
#include "print/widgets/printersettingdialog.h"
#include "print/widgets/printpreviewwindow.h"
#include "print/widgets/printstatuswindow.h"

#include <QDir>
#include <QScopedValueRollback>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace vendara {

PrintCommands::PrintCommands(QWidget &window, DocumentSession &session, PrinterSelection &printer,
                             Questions &questions, MailSender &mail, HelpBrowser &help, const HelpPages &pages)
    : QObject(&window), m_window(window), m_session(session), m_printer(printer), m_questions(questions),
      m_mail(mail), m_help(help), m_pages(pages), m_printing(session, printer)
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::print()
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    switch (runPrinterDialog(true)) {
    case DialogResult::Print:
        runRoad(Pages::OnPrinter, false);
        break;
    case DialogResult::Preview:
        runRoad(Pages::OnPrinter, true);
        break;
    case DialogResult::Cancelled:
        break;
    }
}

void PrintCommands::preview()
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    runRoad(Pages::ForPreview, true); // no printer dialog looked for changes
}

void PrintCommands::printSetup()
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    runPrinterDialog(false);
}

PrintCommands::DialogResult PrintCommands::runPrinterDialog(bool printMode)
{
    CurrentPrintSettings &settings = m_session.printSettings();
    PrinterSettingDialog dialog(m_session.data(), m_printer, m_questions, &m_window);
    connect(&dialog, &PrinterSettingDialog::helpRequested, this, &PrintCommands::showHelp);
    dialog.setDocumentKind(documentKindName(m_printing.kind()));
    dialog.setCurrentSettings(settings);
    dialog.setMode(printMode ? PrinterSettingDialog::Mode::Print : PrinterSettingDialog::Mode::Setup);
    const int outcome = dialog.exec();
    if (dialog.hasPrinter()) {
        // The corrections in the boxes are kept whatever ended the dialog;
        // they apply from the next start unless OK takes them now.
        try {
            m_session.settings().setCorrections(dialog.correctionX(), dialog.correctionY());
        } catch (const Error &e) {
            m_questions.error(e.message());
        }
    }
    if (outcome == PrinterSettingDialog::Cancelled)
        return DialogResult::Cancelled;
    dialog.takeBackInto(settings);
    if (!printMode)
        return DialogResult::Cancelled; // print setup prints nothing
    return outcome == PrinterSettingDialog::Preview ? DialogResult::Preview : DialogResult::Print;
}

void PrintCommands::runRoad(Pages kind, bool preview)
{
    std::unique_ptr<PageRecorder> pages = renderWithProgress(kind);
    if (!pages)
        return;
    if (preview)
        showPreview(std::move(pages));
    else
        printWithProgress(*pages);
}

std::unique_ptr<PageRecorder> PrintCommands::renderWithProgress(Pages kind)
{
    PrintDataProgressWindow dataWindow(&m_window);
    PageImageProgressWindow pageWindow(&m_window);
    const RenderCallbacks callbacks = pageWindow.renderCallbacks([&dataWindow] { dataWindow.finish(); });
    try {
        std::unique_ptr<PageRecorder> pages;
        switch (kind) {
        case Pages::OnPrinter:
            pages = m_printing.render(callbacks, dataWindow.progressCallback());
            break;
        case Pages::ForPreview:
            pages = m_printing.renderForPreview(callbacks, dataWindow.progressCallback());
            break;
        case Pages::ForPdf:
            pages = m_printing.renderForPdf(callbacks, dataWindow.progressCallback());
            break;
        }
        dataWindow.finish();
        pageWindow.finish();
        if (!pages)
            pageWindow.reportCancelled(m_questions);
        return pages;
    } catch (const Error &e) {
        dataWindow.finish();
        pageWindow.finish();
        m_questions.error(e.message());
        return nullptr;
    }
}

void PrintCommands::showPreview(std::unique_ptr<PageRecorder> pages)
{
    QStringList status;
    try {
        status = m_printer.previewStatusTexts();
    } catch (const Error &e) {
        m_questions.error(e.message());
        return;
    }
    PrintPreviewWindow window(std::move(pages), status, m_questions, &m_window);
    window.setPrintHandler([this, &window](PageRecorder &recorded) { printWithProgress(recorded, &window); });
    // The pages on screen are the ones written.
    window.addCommand(kExportPdfCaption, [this, &window] {
        const QString path = choosePdfPath();
        if (!path.isEmpty() && writePdfTo(path, &window.pages()))
            m_printing.rememberPdfFolder(path);
    });
    window.addCommand(kSendByMailCaption, [this, &window] { mailPdf(&window.pages()); });
    window.exec();
    // The page files of a preview that did not print go with a window of
    // their own.
    PrintStatusWindow cleanup(&m_window);
    cleanup.deletePageFiles(window.pages());
}

void PrintCommands::printWithProgress(PageRecorder &pages, QWidget *over)
{
    PrintStatusWindow status(over ? over : &m_window);
    try {
        printPages(m_printer, pages, false, status.printCallbacks(m_questions));
        status.finish();
    } catch (const Error &e) {
        status.finish();
        m_questions.error(e.message());
    }
}

void PrintCommands::printSlips(const QStringList &paths, QWidget *over)
{
    if (m_busy || paths.isEmpty())
        return;
    const QScopedValueRollback busy(m_busy, true);
    m_printer.checkForChanges();
    const PrinterGeometry geometry = m_printer.geometry(); // no printer: its error
    if (!m_questions.confirm(QStringLiteral("%1 件の伝票を %2 に印刷しますか？")
                                 .arg(paths.size())
                                 .arg(m_printer.printerNames().value(m_printer.index()))))
        return;
    const std::unique_ptr<SlipBatch> batch = renderSlipsWithProgress(paths, geometry, over);
    if (!batch)
        return;
    PrintStatusWindow status(over);
    try {
        printPages(m_printer, batch->pages(), status.printCallbacks(m_questions));
        status.finish();
    } catch (const Error &e) {
        status.finish();
        m_questions.error(e.message());
    }
}

void PrintCommands::exportSlipsToPdf(const QStringList &paths, QWidget *over)
{
    if (m_busy || paths.isEmpty())
        return;
    const QScopedValueRollback busy(m_busy, true);
    const QString folder = QFileInfo(m_printing.defaultPdfPath()).absolutePath();
    QString path = m_questions.chooseFileToSave(QStringLiteral("PDFに出力"),
                                                QDir(folder).filePath(QStringLiteral("伝票一覧.pdf")),
                                                QStringLiteral("PDF ファイル (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    // As one slip's PDF: the current printer's sheet, A4 without a printer.
    m_printer.checkForChanges();
    const PrinterGeometry geometry = m_printer.hasPrinters()
        ? m_printer.geometry()
        : PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    const std::unique_ptr<SlipBatch> batch = renderSlipsWithProgress(paths, geometry, over);
    if (!batch)
        return;
    try {
        if (batch->writePdf(path, QStringLiteral("伝票 %1 件").arg(paths.size())))
            m_printing.rememberPdfFolder(path);
    } catch (const Error &e) {
        m_questions.error(e.message());
    }
}

std::unique_ptr<SlipBatch> PrintCommands::renderSlipsWithProgress(const QStringList &paths,
                                                                  const PrinterGeometry &geometry, QWidget *over)
{
    PageImageProgressWindow pageWindow(over ? over : &m_window);
    Settings &settings = m_session.settings();
    auto batch = std::make_unique<SlipBatch>(
        m_session.data(), SlipBatchSettings{m_session.printSettings(), settings.datePattern(),
                                            settings.slipAcquisitionRatio()});
    try {
        const bool done = batch->render(paths, geometry, pageWindow.renderCallbacks());
        pageWindow.finish();
        if (!done) {
            pageWindow.reportCancelled(m_questions);
            return nullptr;
        }
        return batch;
    } catch (const Error &e) {
        pageWindow.finish();
        m_questions.error(e.message());
        return nullptr;
    }
}

QString PrintCommands::choosePdfPath()
{
    const QString chosen = m_questions.chooseFileToSave(QStringLiteral("PDFに出力"),
                                                        m_printing.defaultPdfPath(),
                                                        QStringLiteral("PDF ファイル (*.pdf)"));
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + QStringLiteral(".pdf");
}

bool PrintCommands::writePdfTo(const QString &path, PageRecorder *rendered)
{
    std::unique_ptr<PageRecorder> pages;
    if (!rendered) {
        pages = renderWithProgress(Pages::ForPdf);
        if (!pages)
            return false;
        rendered = pages.get();
    }
    try {
        m_printing.writePdf(*rendered, path);
        return true;
    } catch (const Error &e) {
        m_questions.error(e.message());
        return false;
    }
}

void PrintCommands::exportPdf()
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    const QString path = choosePdfPath();
    if (!path.isEmpty() && writePdfTo(path))
        m_printing.rememberPdfFolder(path);
}

void PrintCommands::sendByMail()
{
    if (m_busy)
        return;
    const QScopedValueRollback busy(m_busy, true);
    mailPdf(nullptr);
}

void PrintCommands::mailPdf(PageRecorder *rendered)
{
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                               .filePath(QStringLiteral("vendara-mail"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QFileInfo(m_printing.defaultPdfPath()).fileName());
    if (!writePdfTo(path, rendered))
        return;
    if (m_mail.composeWithAttachment(path))
        return;
    m_questions.error(QStringLiteral("メールソフトが設定されていません。\nPDF は次のフォルダにあります:\n%1")
                                     .arg(QDir::toNativeSeparators(folder)));
    m_help.openUrl(QUrl::fromLocalFile(folder));
}

void PrintCommands::showHelp(int topic)
{
    m_help.openUrl(m_pages.topic(topic));
}

} // namespace vendara
