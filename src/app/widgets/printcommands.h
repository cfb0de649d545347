#pragma once

#include "app/slipprinting.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QWidget;

namespace vendara {

class Questions;
class DocumentSession;
class HelpBrowser;
class HelpPages;
class MailSender;
class PageRecorder;
class PrinterSelection;
class SlipBatch;
struct PrinterGeometry;

// The print commands of the main window: 印刷, 印刷プレビュー, プリンタ設定,
// PDF output and sending the PDF by mail. Each runs printing with its
// windows (printer dialog, progress, preview) over the window and reports
// errors in a message box; the slip's modified flag is never touched.
class PrintCommands : public QObject
{
    Q_OBJECT
public:
    PrintCommands(QWidget &window, DocumentSession &session, PrinterSelection &printer, Questions &questions,
                  MailSender &mail, HelpBrowser &help, const HelpPages &pages);
    ~PrintCommands() override;

    void print();
    void preview();
    void printSetup();
    void exportPdf();
    // Writes the PDF to a temporary folder and opens the mail program with it.
    void sendByMail();
    // The slip files as one print job on the current printer (after asking),
    // or as one PDF; each slip as its own kind prints, with the progress
    // window and its stop. The windows open over `over`.
    void printSlips(const QStringList &paths, QWidget *over);
    void exportSlipsToPdf(const QStringList &paths, QWidget *over);

    static inline const QString kExportPdfCaption = QStringLiteral("PDFに出力(&D)...");
    static inline const QString kSendByMailCaption = QStringLiteral("メールで送る(&M)...");

private:
    enum class DialogResult { Print, Preview, Cancelled };
    DialogResult runPrinterDialog(bool printMode);
    // Which of SlipPrinting's renderings: on the printer the dialog checked,
    // for the preview action (which checks on its own), for a PDF.
    enum class Pages { OnPrinter, ForPreview, ForPdf };
    void runRoad(Pages kind, bool preview);
    std::unique_ptr<PageRecorder> renderWithProgress(Pages kind);
    void showPreview(std::unique_ptr<PageRecorder> pages);
    void printWithProgress(PageRecorder &pages, QWidget *over = nullptr);
    // The pages of the slips on the sheet of geometry; nullptr when stopped
    // (said) or failed (shown).
    std::unique_ptr<SlipBatch> renderSlipsWithProgress(const QStringList &paths, const PrinterGeometry &geometry,
                                                       QWidget *over);
    QString choosePdfPath();
    // The PDF of the pages given (else of a new rendering) to the mail program.
    void mailPdf(PageRecorder *rendered);
    // Writes the PDF of the pages given, else of a new rendering; false when
    // cancelled or failed (the user was told).
    bool writePdfTo(const QString &path, PageRecorder *rendered = nullptr);
    void showHelp(int topic);

    QWidget &m_window;
    DocumentSession &m_session;
    PrinterSelection &m_printer;
    Questions &m_questions;
    MailSender &m_mail;
    HelpBrowser &m_help;
    const HelpPages &m_pages;
    SlipPrinting m_printing;
    // Rendering and printing let input through so that "中止" works; a
    // second command meanwhile is ignored.
    bool m_busy = false;
};

} // namespace vendara
