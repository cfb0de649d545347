// The print commands' work without windows: the job of the slip's kind from
// the current print settings, rendering on the current printer, and the PDF.

#include "support/shellfakes.h"

#include "app/slipprinting.h"
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

} // namespace

class SlipPrintingTest : public QObject
{
    Q_OBJECT
private slots:
    void pdfWithoutPrinter_isA4WithTitleAndLeavesSlipModified();
    void render_takesTheCurrentPrintersSheetAndCorrections();
    void preview_looksForPrinterChangesAndRendersAgainOnTheNewPrinter();
    void defaultPdfPath_namesTheSlipInTheRememberedFolder();
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

QTEST_MAIN(SlipPrintingTest)
#include "slipprinting_test.moc"
