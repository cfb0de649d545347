// The progress windows of printing, driven by real generations, renderings
// and print runs under the offscreen platform: the page counter, "中止" and
// the close box during a rendering, the generator's bar, the abort question
// while printing and the deletion of the page files.
#include "print/widgets/pageimageprogresswindow.h"
#include "print/widgets/printdataprogresswindow.h"
#include "print/widgets/printstatuswindow.h"

#include "common/datafolder.h"
#include "support/fakeprintingservice.h"
#include "print/pagerecorder.h"
#include "print/pagerenderer.h"
#include "print/printerselection.h"
#include "print/printoutput.h"
#include "print/printroad.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"
#include "support/fakequestions.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace vendara;
using namespace vendara::testing;

namespace {

const PrinterGeometry kA4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);

// Print data of `pages` pages, each with a few lines of text and a frame.
QStringList printData(int pages)
{
    QStringList lines{QStringLiteral("font,\"ＭＳ ゴシック\",40,0,0")};
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            lines << QStringLiteral("page");
        for (int row = 0; row < 8; ++row)
            lines << QStringLiteral("text,頁%1行%2,200,%3").arg(n).arg(row).arg(300 + row * 100);
        lines << QStringLiteral("lbox,100,100,2000,2800");
    }
    return lines;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files);
}

// A main window to own the progress windows.
std::unique_ptr<QWidget> mainWindow()
{
    auto window = std::make_unique<QWidget>();
    window->resize(800, 600);
    window->show();
    return window;
}

} // namespace

class ProgressWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void pageTextHasAtLeastThreeDigits();
    void abortDuringRenderingStopsItAndDeletesEveryPage();
    void closeBoxSetsTheAbortFlag();
    void generatorProgressReachesTheBar();
    void abortQuestionAnsweredNoContinuesYesAborts_data();
    void abortQuestionAnsweredNoContinuesYesAborts();
    void deletingPageFilesShowsItsOwnPhase();
};

void ProgressWindowsTest::pageTextHasAtLeastThreeDigits()
{
    QCOMPARE(PageImageProgressWindow::pageText(1), QStringLiteral("001ページ"));
    QCOMPARE(PageImageProgressWindow::pageText(42), QStringLiteral("042ページ"));
    QCOMPARE(PageImageProgressWindow::pageText(999), QStringLiteral("999ページ"));
    QCOMPARE(PageImageProgressWindow::pageText(1000), QStringLiteral("1000ページ"));
    QCOMPARE(PageImageProgressWindow::pageText(12345), QStringLiteral("12345ページ"));

    PageImageProgressWindow window;
    window.setPage(7);
    QCOMPARE(window.pageLabel()->text(), QStringLiteral("007ページ"));
    QCOMPARE(window.windowTitle(), QStringLiteral("状況"));
    QVERIFY(window.abortButton()->isDefault());
    QVERIFY(window.windowFlags() & Qt::Tool);
}

void ProgressWindowsTest::abortDuringRenderingStopsItAndDeletesEveryPage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto owner = mainWindow();
    PageRecorder plot(kA4, dir.path(), QStringLiteral("77"));
    PageImageProgressWindow window(owner.get());

    int startsShown = 0;
    RenderCallbacks callbacks = window.renderCallbacks([&] { ++startsShown; });
    int lastPageStarted = 0;
    QStringList filesBeforeClick;
    bool shownWhenClicked = false;
    int checksAfterClick = 0;
    bool clicked = false;
    RenderCallbacks watched;
    watched.pageStarted = [&](int page) {
        callbacks.pageStarted(page);
        lastPageStarted = page;
        if (page == 3) {
            // The click arrives as pending input while page 3 is drawn.
            QTimer::singleShot(0, &window, [&] {
                filesBeforeClick = filesIn(dir.path());
                shownWhenClicked = window.isVisible();
                QTest::mouseClick(window.abortButton(), Qt::LeftButton);
                clicked = true;
            });
        }
    };
    watched.cancelRequested = [&] {
        const bool stop = callbacks.cancelRequested();
        if (clicked)
            ++checksAfterClick;
        return stop;
    };

    PageRenderer renderer(plot, watched);
    QCOMPARE(renderer.renderLines(printData(20)), RenderResult::Cancelled);

    QVERIFY(clicked);
    QVERIFY(shownWhenClicked);
    QCOMPARE(startsShown, 1);
    // Input is let through a few times a frame, not after every line: the
    // click was taken on page 3 or soon after, with the pages before it on
    // disk ...
    QVERIFY(lastPageStarted >= 3 && lastPageStarted < 20);
    QCOMPARE(filesBeforeClick.size(), lastPageStarted - 1);
    // ... the check that took it stopped the rendering on that page ...
    QCOMPARE(checksAfterClick, 1);
    QCOMPARE(window.page(), lastPageStarted);
    QCOMPARE(window.pageLabel()->text(), PageImageProgressWindow::pageText(lastPageStarted));
    QVERIFY(window.isAborted());
    QVERIFY(!window.isVisible());
    // ... and every page file is gone.
    QCOMPARE(filesIn(dir.path()), QStringList());

    FakeQuestions questions;
    window.reportCancelled(questions);
    QCOMPARE(questions.notices, QStringList{QStringLiteral("中止しました")});
}

void ProgressWindowsTest::closeBoxSetsTheAbortFlag()
{
    const auto owner = mainWindow();
    PageImageProgressWindow window(owner.get());
    const RenderCallbacks callbacks = window.renderCallbacks();
    callbacks.pageStarted(1);
    QVERIFY(window.isVisible());
    QVERIFY(!callbacks.cancelRequested());
    callbacks.pageStarted(2);
    QCOMPARE(window.pageLabel()->text(), QStringLiteral("002ページ"));

    // The window system's close request, as from the close box.
    QVERIFY(window.windowHandle());
    window.windowHandle()->close();
    QVERIFY(window.isAborted());
    QVERIFY(!window.isVisible());
    QVERIFY(callbacks.cancelRequested());
    // A late page break does not bring the window back.
    callbacks.pageStarted(3);
    QVERIFY(!window.isVisible());

    // A window that finished normally is not aborted by being hidden.
    PageImageProgressWindow finished(owner.get());
    finished.start();
    finished.finish();
    QVERIFY(!finished.isVisible());
    QVERIFY(!finished.isAborted());
}

void ProgressWindowsTest::generatorProgressReachesTheBar()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString shipped = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");
    const auto owner = mainWindow();

    SlipDocument slip;
    readSlip(slip, QStringLiteral(VENDARA_TEST_FIXTURES "/slip/worked_totals.pvq"), UnreadableSlip::Raise);
    PrintJob job;
    job.generation.formatPath = shipped + QStringLiteral("Fmt/見積書_A4.fmt");
    job.generation.setPath = shipped + QStringLiteral("Etc/デフォルト.Dat");
    job.generation.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QString(), QString()};
    job.generation.copies = {true, true, false, false};
    job.generation.defaultDatePattern = QStringLiteral("GGEE/MM/DD");
    job.geometry = kA4;

    PrintDataProgressWindow dataWindow(owner.get());
    PageImageProgressWindow pageWindow(owner.get());
    QCOMPARE(dataWindow.windowTitle(), QStringLiteral("処理中..."));
    QVERIFY(!(dataWindow.windowFlags() & Qt::WindowCloseButtonHint));

    struct Report
    {
        int value, maximum, barValue, barMaximum;
        bool shown;
    };
    QList<Report> reports;
    const PrintDataGenerator::ProgressCallback bar = dataWindow.progressCallback();
    auto progress = [&](int value, int maximum) {
        bar(value, maximum);
        reports.append({value, maximum, dataWindow.progressBar()->value(), dataWindow.progressBar()->maximum(),
                        dataWindow.isVisible()});
    };
    bool dataShownAtFirstPage = true;
    const RenderCallbacks callbacks = pageWindow.renderCallbacks([&] {
        dataWindow.finish();
        dataShownAtFirstPage = dataWindow.isVisible();
    });

    PrintRoad road(DataFolder(dir.path()), QStringLiteral("5"));
    std::unique_ptr<PageRecorder> pages = road.render(slip, job, callbacks, progress);
    QVERIFY(pages);

    QVERIFY(reports.size() > 2);
    QCOMPARE(reports.first().value, 0);
    const int maximum = reports.first().maximum;
    QVERIFY(maximum > 0);
    QCOMPARE(maximum % 4, 0);
    for (const Report &r : reports) {
        QVERIFY(r.shown);
        QCOMPARE(r.barMaximum, maximum);
        QCOMPARE(r.barValue, r.value);
    }
    QCOMPARE(reports.last().barValue, maximum);
    // The page window took over from the data window ...
    QVERIFY(!dataShownAtFirstPage);
    QVERIFY(pageWindow.isVisible());
    // ... and counted every page that was drawn.
    QVERIFY(pages->pageCount() >= 2);
    QCOMPARE(pageWindow.page(), pages->pageCount());
    pageWindow.finish();
    QVERIFY(!pageWindow.isAborted());
}

void ProgressWindowsTest::abortQuestionAnsweredNoContinuesYesAborts_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("No goes on") << false;
    QTest::newRow("Yes aborts") << true;
}

void ProgressWindowsTest::abortQuestionAnsweredNoContinuesYesAborts()
{
    QFETCH(bool, answer);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    FakePrintingService service;
    PrinterDriverInfo driver;
    driver.supportedFields = fieldBit(PrinterField::PaperSize);
    driver.papers = {PaperInfo{"A4", "iso_a4_210x297mm", "A4", {21000, 29700}, QMargins(400, 500, 400, 500), true}};
    driver.defaultPaper = 0;
    driver.resolution = QSize(600, 600);
    driver.resolutionCount = 1;
    PrinterInfo info;
    info.name = QStringLiteral("office");
    info.isDefault = true;
    service.addPrinter(info, driver);
    PrinterSelection printer(service);

    PageRecorder pages(printer.geometry(), dir.path(), QStringLiteral("9"));
    QCOMPARE(PageRenderer(pages).renderLines(printData(3)), RenderResult::Finished);
    QCOMPARE(pages.pageCount(), 3);

    const auto owner = mainWindow();
    PrintStatusWindow status(owner.get());
    QCOMPARE(status.windowTitle(), QStringLiteral("状況"));
    FakeQuestions questions;
    questions.answer(answer);

    QString captionWhilePrinting = QStringLiteral("?");
    QString messageWhilePrinting;
    bool shownWhilePrinting = false;
    // "中止" is pressed as soon as the window is up, before page 1.
    QTimer::singleShot(0, &status, [&] {
        captionWhilePrinting = status.windowTitle();
        messageWhilePrinting = status.messageLabel()->text();
        shownWhilePrinting = status.isVisible();
        QTest::mouseClick(status.abortButton(), Qt::LeftButton);
    });
    const PrintOutputResult result = printPages(printer, pages, false, status.printCallbacks(questions));

    QVERIFY(shownWhilePrinting);
    // The job title, which is empty, shown as a blank: an empty caption
    // would show the application's name instead.
    QVERIFY(!captionWhilePrinting.isEmpty() && captionWhilePrinting.trimmed().isEmpty());
    QCOMPARE(messageWhilePrinting, QStringLiteral("印刷中です..."));
    QCOMPARE(questions.asked, QStringList{QStringLiteral("中止しますか？")});
    if (answer) {
        QCOMPARE(result.outcome, PrintOutcome::Aborted);
        QVERIFY(service.jobs().isEmpty());
    } else {
        QCOMPARE(result.outcome, PrintOutcome::Submitted);
        QCOMPARE(result.pages, 3);
        QCOMPARE(service.jobs().size(), 1);
        QVERIFY(!status.isAbortRequested());
        QCOMPARE(status.progressBar()->maximum(), 3);
        QCOMPARE(status.progressBar()->value(), 3);
    }
    status.finish();
    QVERIFY(!status.isVisible());
    QCOMPARE(status.windowTitle(), QStringLiteral("状況"));
    QCOMPARE(filesIn(dir.path()), QStringList());
}

void ProgressWindowsTest::deletingPageFilesShowsItsOwnPhase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PageRecorder pages(kA4, dir.path(), QStringLiteral("3"));
    QCOMPARE(PageRenderer(pages).renderLines(printData(4)), RenderResult::Finished);
    QCOMPARE(filesIn(dir.path()).size(), 4);

    const auto owner = mainWindow();
    PrintStatusWindow status(owner.get());
    QString caption, message;
    bool abortEnabled = true;
    bool shown = false;
    QList<int> barValues;
    QList<int> filesLeft;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &status, [&] {
        if (barValues.isEmpty()) {
            caption = status.windowTitle();
            message = status.messageLabel()->text();
            abortEnabled = status.abortButton()->isEnabled();
            shown = status.isVisible();
            // A press on the disabled button is no abort request.
            QTest::mouseClick(status.abortButton(), Qt::LeftButton);
        }
        barValues.append(status.progressBar()->value());
        filesLeft.append(int(filesIn(dir.path()).size()));
    });
    ticker.start(0);
    status.deletePageFiles(pages);
    ticker.stop();

    QVERIFY(shown);
    QCOMPARE(caption, QStringLiteral("テンポラリファイルの削除"));
    QCOMPARE(message, QStringLiteral("終了しています..."));
    QVERIFY(!abortEnabled);
    QVERIFY(!status.isAbortRequested());
    QCOMPARE(status.progressBar()->maximum(), 4);
    // The bar follows the files as they go, one by one.
    QVERIFY(!barValues.isEmpty());
    for (qsizetype i = 0; i < barValues.size(); ++i)
        QCOMPARE(filesLeft[i], 4 - barValues[i]);
    QCOMPARE(barValues.last(), 4);

    QCOMPARE(filesIn(dir.path()), QStringList());
    QCOMPARE(pages.pageCount(), 0);
    QVERIFY(!status.isVisible());
    QVERIFY(status.abortButton()->isEnabled());

    // Nothing to delete: nothing shown.
    status.deletePageFiles(pages);
    QVERIFY(!status.isVisible());
}

QTEST_MAIN(ProgressWindowsTest)
#include "progresswindows_test.moc"
