// The print commands' work without windows: the job of the slip's kind from
// the current print settings, rendering on the current printer, and the PDF.

#include "support/shellfakes.h"

#include "app/slipbatch.h"
#include "app/slipprinting.h"
#include "print/pageoutput.h"
#include "print/printoutput.h"
#include "support/pdftools.h"
#include "support/fakeprintingservice.h"
#include "support/printfixture.h"
#include "print/pagerecorder.h"
#include "common/error.h"
#include "print/printerselection.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace vendara;
using namespace vendara::test;

namespace {

// A B5 landscape office printer with margins.
void addOfficePrinter(FakePrintingService &service)
{
    PrinterInfo info;
    info.name = QStringLiteral("office");
    info.isDefault = true;
    PrinterDriverInfo driver;
    driver.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize);
    driver.papers = {PaperInfo{QStringLiteral("jis_b5_182x257mm"), QStringLiteral("jis_b5_182x257mm"),
                               QStringLiteral("B5 (JIS)"), QSize(18200, 25700), QMargins(400, 400, 400, 400), false}};
    driver.defaultPaper = 0;
    driver.resolutionCount = 1;
    driver.resolution = QSize(300, 300);
    service.addPrinter(info, driver);
}

// A PDF text string: the byte order mark, then UTF-16 big-endian.
QByteArray pdfTextString(const QString &text)
{
    QByteArray bytes("\xFE\xFF");
    for (QChar c : text) {
        bytes += char(c.unicode() >> 8);
        bytes += char(c.unicode() & 0xFF);
    }
    return bytes;
}

// The batch settings of the session's window.
SlipBatchSettings batchSettingsOf(DocumentSession &session)
{
    return {session.printSettings(), session.settings().datePattern(), session.settings().slipAcquisitionRatio()};
}

// Page files of renderings left in the data's temporary folder.
QStringList pageFilesIn(const DataFolder &data)
{
    return QDir(data.tmpDir()).entryList({QStringLiteral("*.") + PageRecorder::pageFileExtension()}, QDir::Files);
}

} // namespace

class SlipPrintingTest : public QObject
{
    Q_OBJECT
private slots:
    void pdfWithoutPrinter_isA4WithTitleAndLeavesSlipModified();
    void render_takesTheCurrentPrintersSheetAndCorrections();
    void preview_looksForPrinterChangesAndRendersAgainOnTheNewPrinter();
    void defaultPdfPath_namesTheSlipInTheRememberedFolder();
    void batch_putsOutEachSlipAsItsKindOneAfterTheOtherInOneJob();
    void batchWithAnUnreadableOrStoppedSlip_keepsNothing();
};

void SlipPrintingTest::pdfWithoutPrinter_isA4WithTitleAndLeavesSlipModified()
{
    ShellFixture f;
    copyShippedData(f.data->root());
    QVERIFY(f.session->start(QString()));
    f.session->document().setText(SlipField::CustName, QStringLiteral("山田 太郎"));
    f.session->document().setText(SlipField::SlipCode, QStringLiteral("00000042"));
    QVERIFY(f.session->document().isModified());

    FakePrintingService service; // no printer installed
    PrinterSelection printer(service);
    SlipPrinting printing(*f.session, printer);
    const std::unique_ptr<PageRecorder> pages = printing.renderForPdf();
    QVERIFY(pages);
    QVERIFY(pages->pageCount() >= 1);
    const QString pdf = f.dir.filePath(QStringLiteral("out.pdf"));
    printing.writePdf(*pages, pdf);

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(printing.pdfTitle(), QStringLiteral("見積書 00000042"));
    QVERIFY(bytes.contains("/Title (" + pdfTextString(printing.pdfTitle())));
    // A4 portrait: 595 x 842 points.
    QVERIFY(bytes.contains("/MediaBox [0 0 595"));
    QVERIFY(f.session->document().isModified());
    QVERIFY(QFile::exists(f.session->tempSlipPath()));
}

void SlipPrintingTest::render_takesTheCurrentPrintersSheetAndCorrections()
{
    ShellFixture f;
    copyShippedData(f.data->root());
    QVERIFY(f.session->start(QString()));
    f.session->printSettings().correctionX = 1.5f;
    f.session->printSettings().correctionY = -2.0f;

    FakePrintingService service;
    addOfficePrinter(service);
    PrinterSelection printer(service);
    SlipPrinting printing(*f.session, printer);
    QCOMPARE(printing.job().correction, QPoint(15, -20));
    const std::unique_ptr<PageRecorder> pages = printing.render();
    QVERIFY(pages);
    // B5 at 300 dpi: 182 mm is 2149 dots, the page 1819 tenths of a millimetre.
    QCOMPARE(pages->geometry().resolution, QSize(300, 300));
    QCOMPARE(pages->pageSize().width(), 1819);
    QCOMPARE(pages->correction(), QPoint(15, -20));
}

void SlipPrintingTest::preview_looksForPrinterChangesAndRendersAgainOnTheNewPrinter()
{
    ShellFixture f;
    copyShippedData(f.data->root());
    QVERIFY(f.session->start(QString()));
    FakePrintingService service;
    addOfficePrinter(service);
    PrinterSelection printer(service);
    SlipPrinting printing(*f.session, printer);
    int pagesStarted = 0;
    RenderCallbacks callbacks;
    callbacks.pageStarted = [&](int) { ++pagesStarted; };

    // Nothing changed: one enumeration beside the rendering, one rendering.
    QVERIFY(printer.hasPrinters());
    const int enumerations = service.enumerations();
    std::unique_ptr<PageRecorder> pages = printing.renderForPreview(callbacks);
    QVERIFY(pages);
    QCOMPARE(service.enumerations(), enumerations + 1);
    const int pagesOfOneRendering = pagesStarted;
    QVERIFY(pagesOfOneRendering >= 1);
    QCOMPARE(pages->pageSize().width(), 1819); // B5

    // The office printer gone and an A4 one come meanwhile: the pages are
    // made again on the printer now in effect.
    service.removePrinter(QStringLiteral("office"));
    PrinterInfo a4;
    a4.name = QStringLiteral("a4");
    a4.isDefault = true;
    service.addPrinter(a4, a4Driver());
    pagesStarted = 0;
    pages = printing.renderForPreview(callbacks);
    QVERIFY(pages);
    QCOMPARE(pagesStarted, 2 * pagesOfOneRendering);
    QCOMPARE(pages->pageSize().width(), 2099); // A4 at 300 dpi: 2480 dots

    // Every printer gone: the preview ends with the error of having none.
    service.removePrinter(QStringLiteral("a4"));
    bool failed = false;
    try {
        printing.renderForPreview(callbacks);
    } catch (const Error &) {
        failed = true;
    }
    QVERIFY(failed);
}

void SlipPrintingTest::defaultPdfPath_namesTheSlipInTheRememberedFolder()
{
    ShellFixture f;
    QVERIFY(f.session->start(QString()));
    f.session->document().setText(SlipField::SlipCode, QStringLiteral("00000012"));
    FakePrintingService service;
    PrinterSelection printer(service);
    SlipPrinting printing(*f.session, printer);
    const QString stem = QFileInfo(defaultSlipFileName(f.session->document().record())).completeBaseName();
    QVERIFY(stem.startsWith(QStringLiteral("00000012-")));

    const QString folder = f.dir.filePath(QStringLiteral("mail"));
    QDir().mkpath(folder);
    printing.rememberPdfFolder(folder + QStringLiteral("/x.pdf"));
    QCOMPARE(printing.defaultPdfPath(), QDir(folder).filePath(stem + QStringLiteral(".pdf")));
    // A remembered folder that is gone gives way to the slip dialogs' folder.
    QDir(folder).removeRecursively();
    QCOMPARE(QFileInfo(printing.defaultPdfPath()).path(), QDir(f.session->dialogFolder()).path());
}

void SlipPrintingTest::batch_putsOutEachSlipAsItsKindOneAfterTheOtherInOneJob()
{
    ShellFixture f;
    copyShippedData(f.data->root());
    QVERIFY(f.session->start(QString()));
    const QString estimate = f.writeSlipFile(QStringLiteral("e.pvq"), QStringLiteral("山田"));
    const QString order = f.writeSlipFile(QStringLiteral("o.pvq"), QStringLiteral("鈴木"), QStringLiteral("00000008"));
    {
        SlipDocument slip;
        readSlip(slip, order);
        slip.setChoice(SlipField::SlipDiv, 1);
        writeSlip(slip, order);
    }
    FakePrintingService service;
    addOfficePrinter(service);
    PrinterSelection printer(service);

    SlipBatch batch(*f.data, batchSettingsOf(*f.session));
    QList<int> started;
    QVERIFY(batch.render({estimate, order}, printer.geometry(), {}, [&](int slip, int count) {
        QCOMPARE(count, 2);
        started << slip;
    }));
    QCOMPARE(started, (QList<int>{0, 1}));
    QVERIFY(batch.pageCount() >= 2);

    const PrintOutputResult result = printPages(printer, batch.pages());
    QCOMPARE(result.outcome, PrintOutcome::Submitted);
    QCOMPARE(service.jobs().size(), 1);
    const QString jobPdf = f.dir.filePath(QStringLiteral("job.pdf"));
    {
        QFile file(jobPdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(service.jobs().first().request.pdf);
    }
    QCOMPARE(pdfPageCount(jobPdf), batch.pageCount());

    // The estimate's pages come first, under its own title; the order's after.
    const QString pdf = f.dir.filePath(QStringLiteral("batch.pdf"));
    QVERIFY(batch.writePdf(pdf, QStringLiteral("伝票 2 件")));
    QCOMPARE(pdfPageCount(pdf), batch.pageCount());
    int firstOrderPage = 0;
    int lastEstimatePage = 0;
    for (const PdfWord &word : pdfWords(pdf)) {
        if (word.text.contains(QStringLiteral("山田")))
            lastEstimatePage = std::max(lastEstimatePage, word.page);
        if (word.text.contains(QStringLiteral("鈴木")) && (!firstOrderPage || word.page < firstOrderPage))
            firstOrderPage = word.page;
    }
    QVERIFY(lastEstimatePage >= 1);
    QVERIFY2(firstOrderPage > lastEstimatePage, qPrintable(QStringLiteral("%1 %2").arg(lastEstimatePage).arg(firstOrderPage)));

    // Stopping the PDF writes nothing.
    const QString stopped = f.dir.filePath(QStringLiteral("stopped.pdf"));
    QVERIFY(!batch.writePdf(stopped, QString(), [](int page) { return page < 2; }));
    QVERIFY(!QFile::exists(stopped));
}

void SlipPrintingTest::batchWithAnUnreadableOrStoppedSlip_keepsNothing()
{
    ShellFixture f;
    copyShippedData(f.data->root());
    QVERIFY(f.session->start(QString()));
    const QString good = f.writeSlipFile(QStringLiteral("e.pvq"), QStringLiteral("山田"));
    const QString bad = f.slips(QStringLiteral("bad.pvq"));
    {
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\0\0binary", 8));
    }
    const PrinterGeometry a4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    SlipBatch batch(*f.data, batchSettingsOf(*f.session));
    try {
        batch.render({good, bad}, a4);
        QFAIL("an unreadable slip was put out");
    } catch (const Error &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("bad.pvq: ")), qPrintable(e.message()));
    }
    QCOMPARE(batch.pageCount(), 0);
    QVERIFY(pageFilesIn(*f.data).isEmpty());

    RenderCallbacks stop;
    int lines = 0;
    stop.cancelRequested = [&lines] { return ++lines > 5; };
    QVERIFY(!batch.render({good, good}, a4, stop));
    QCOMPARE(batch.pageCount(), 0);
    QVERIFY(pageFilesIn(*f.data).isEmpty());
}

QTEST_MAIN(SlipPrintingTest)
#include "slipprinting_test.moc"
