// Print output over the in-memory printing service: one job for all pages,
// each page stretched over the whole sheet, the question, the abort request
// and the page files' end in every case.
#include "support/pdftools.h"
#include "support/testdata.h"

#include "common/error.h"
#include "support/fakeprintingservice.h"
#include "print/printoutput.h"
#include "print/printroad.h"
#include "print/printerselection.h"
#include "print/pagerecorder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;
using namespace vendara::test;

namespace {

class PrintOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        PrinterDriverInfo driver;
        driver.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize) |
                                 fieldBit(PrinterField::DefaultSource);
        // A4 whose printable area starts 4 mm from the left and 5 mm from the top.
        driver.papers = {PaperInfo{"A4", "iso_a4_210x297mm", "A4", {21000, 29700}, QMargins(400, 500, 400, 500), true},
                         PaperInfo{"B5", "jis_b5_182x257mm", "B5", {18200, 25700}, QMargins(), true}};
        driver.defaultPaper = 0;
        driver.sources = {{"Upper", "Upper Tray", true}, {"Lower", "Lower Tray", true}};
        driver.defaultSource = 0;
        driver.resolution = QSize(600, 600);
        driver.resolutionCount = 1;
        PrinterInfo info;
        info.name = "office";
        info.isDefault = true;
        service.addPrinter(info, driver);
    }

    // Pages rendered for the current printer, one per page of text.
    std::unique_ptr<PageRecorder> render(const QStringList &pageTexts)
    {
        QStringList lines{QStringLiteral("font,\"ＭＳ ゴシック\",40,0,0")};
        for (qsizetype i = 0; i < pageTexts.size(); ++i) {
            if (i > 0)
                lines << QStringLiteral("page");
            lines << QStringLiteral("text,%1,0,1000").arg(pageTexts[i]) << QStringLiteral("text,右,1500,2000");
        }
        const QString data = dir.filePath(QStringLiteral("data.txt"));
        writeSjisLines(data, lines);
        return renderPrintData(data, printer.geometry(), QPoint(), dir.path(), QStringLiteral("7"));
    }

    QStringList pageFilesLeft() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("7_PTmp*")}, QDir::Files);
    }

    QString savedJobPdf(int index = 0) const
    {
        const QString path = dir.filePath(QStringLiteral("job%1.pdf").arg(index));
        writeBytes(path, service.jobs().at(index).request.pdf);
        return path;
    }

    QTemporaryDir dir;
    FakePrintingService service;
    PrinterSelection printer{service};
    QStringList questions;
};

} // namespace

TEST_F(PrintOutputTest, allPages_goOutAsOneJobStretchedOverTheWholeSheet)
{
    printer.setPaperSizeIndex(0);
    printer.setSourceIndex(1);
    printer.apply();
    auto pages = render({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    ASSERT_TRUE(pages);
    QList<QPair<int, int>> progress;
    PrintOutputCallbacks callbacks;
    callbacks.ask = [&](const QString &q) { questions << q; return true; };
    callbacks.progress = [&](int done, int total) { progress.append({done, total}); };

    const PrintOutputResult result = printPages(printer, *pages, true, callbacks);

    EXPECT_EQ(result.outcome, PrintOutcome::Submitted);
    EXPECT_EQ(result.pages, 3);
    EXPECT_EQ(questions, QStringList{"印刷しますか？"});
    EXPECT_EQ(progress.first(), qMakePair(0, 3));
    EXPECT_EQ(progress.last(), qMakePair(3, 3));
    ASSERT_EQ(service.jobs().size(), 1);
    const PrintJobRequest &job = service.jobs().first().request;
    EXPECT_EQ(result.jobId, service.jobs().first().id);
    EXPECT_EQ(job.printer, "office");
    EXPECT_TRUE(job.title.isEmpty());
    EXPECT_EQ(job.paper->mediaName, "iso_a4_210x297mm");
    EXPECT_EQ(job.source->keyword, "Lower");
    EXPECT_FALSE(job.landscape);
    EXPECT_TRUE(pageFilesLeft().isEmpty());

    if (!havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QString pdf = savedJobPdf();
    EXPECT_EQ(pdfPageCount(pdf), 3);
    EXPECT_EQ(pdfPageSize(pdf).toSize(), QSize(595, 842));
    // x = 0 is the sheet's edge, not the printable area's (4 mm further in),
    // and one unit is a tenth of a millimetre.
    const double pointsPerUnit = 72.0 / 254.0;
    QStringList seen;
    for (const PdfWord &w : pdfWords(pdf)) {
        seen << w.text;
        if (w.text == "右") {
            EXPECT_NEAR(w.box.left(), 1500 * pointsPerUnit, 1.0);
        } else {
            EXPECT_LT(w.box.left(), 1.0) << w.text.toStdString();
        }
    }
    EXPECT_EQ(seen, (QStringList{"甲", "右", "乙", "右", "丙", "右"}));
}

TEST_F(PrintOutputTest, landscape_makesLandscapeSizedPages)
{
    printer.setOrientation(QPageLayout::Landscape);
    printer.setPaperSizeIndex(1);
    printer.apply();
    auto pages = render({QStringLiteral("甲")});
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->pageSize(), QSize(2569, 1819));
    printPages(printer, *pages, false);
    ASSERT_EQ(service.jobs().size(), 1);
    EXPECT_TRUE(service.jobs().first().request.landscape);
    EXPECT_EQ(service.jobs().first().request.paper->mediaName, "jis_b5_182x257mm");
    if (!havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_EQ(pdfPageSize(savedJobPdf()).toSize(), QSize(729, 516));
}

TEST_F(PrintOutputTest, chosenTwoSidedAndColourMode_goWithTheJob)
{
    PrinterDriverInfo &driver = service.printer("office").driver;
    driver.supportedFields |= fieldBit(PrinterField::Duplex) | fieldBit(PrinterField::Color);
    driver.duplexModes = {JobOptionChoice{"sides", "one-sided", "片面", {}},
                          JobOptionChoice{"sides", "two-sided-long-edge", "両面 (長辺とじ)", {}}};
    driver.defaultDuplex = 0;
    driver.colorModes = {JobOptionChoice{"ColorModel", "RGB", "カラー", {}},
                         JobOptionChoice{"ColorModel", "Gray", "モノクロ", {}}};
    driver.defaultColorMode = 0;
    // Listed, but the driver does not let the resolution be chosen.
    driver.resolutions = {JobOptionChoice{"Resolution", "600dpi", "600 dpi", {600, 600}}};
    driver.defaultResolution = 0;
    printer.setChoiceIndex(JobOption::Duplex, 1);
    printer.setChoiceIndex(JobOption::ColorMode, 1);
    printer.apply();

    auto pages = render({QStringLiteral("甲"), QStringLiteral("乙")});
    ASSERT_TRUE(pages);
    printPages(printer, *pages, false);
    ASSERT_EQ(service.jobs().size(), 1);
    const PrintJobRequest &job = service.jobs().first().request;
    ASSERT_TRUE(job.duplex.has_value());
    EXPECT_EQ(job.duplex->option, "sides");
    EXPECT_EQ(job.duplex->keyword, "two-sided-long-edge");
    ASSERT_TRUE(job.colorMode.has_value());
    EXPECT_EQ(job.colorMode->option, "ColorModel");
    EXPECT_EQ(job.colorMode->keyword, "Gray");
    EXPECT_FALSE(job.resolution.has_value());
}

TEST_F(PrintOutputTest, noToThePrintQuestion_leavesEverythingAsItWas)
{
    auto pages = render({QStringLiteral("甲")});
    PrintOutputCallbacks callbacks;
    callbacks.ask = [&](const QString &q) { questions << q; return false; };
    const PrintOutputResult result = printPages(printer, *pages, true, callbacks);
    EXPECT_EQ(result.outcome, PrintOutcome::Declined);
    EXPECT_TRUE(service.jobs().isEmpty());
    EXPECT_EQ(pageFilesLeft().size(), 1) << "the preview that asked still shows them";
}

TEST_F(PrintOutputTest, abortRequest_yesDiscardsTheJobAndNoGoesOnWithTheSamePage)
{
    // An abort request pending before page 2; the first answer is No, the
    // request comes again before page 3 and is answered Yes.
    auto pages = render({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
    bool requested = false;
    int polls = 0;
    int clears = 0;
    PrintOutputCallbacks callbacks;
    callbacks.abortRequested = [&] {
        ++polls;
        if (polls == 2 || polls == 3)
            requested = true;
        return requested;
    };
    callbacks.clearAbortRequest = [&] { requested = false; ++clears; };
    callbacks.ask = [&](const QString &q) { questions << q; return questions.size() == 2; };

    const PrintOutputResult result = printPages(printer, *pages, false, callbacks);
    EXPECT_EQ(result.outcome, PrintOutcome::Aborted);
    EXPECT_EQ(questions, (QStringList{"中止しますか？", "中止しますか？"}));
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(clears, 2); // once at the start, once after No
    EXPECT_TRUE(service.jobs().isEmpty()) << "nothing of an aborted job is submitted";
    EXPECT_TRUE(pageFilesLeft().isEmpty());

    // No alone: every page goes out.
    auto again = render({QStringLiteral("甲"), QStringLiteral("乙")});
    questions.clear();
    polls = 0;
    callbacks.abortRequested = [&] { return ++polls == 1 || requested; };
    callbacks.ask = [&](const QString &q) { questions << q; return false; };
    const PrintOutputResult printed = printPages(printer, *again, false, callbacks);
    EXPECT_EQ(printed.outcome, PrintOutcome::Submitted);
    EXPECT_EQ(questions, QStringList{"中止しますか？"});
    ASSERT_EQ(service.jobs().size(), 1);
    if (havePdfTools()) {
        EXPECT_EQ(pdfPageCount(savedJobPdf()), 2);
    }
}

TEST_F(PrintOutputTest, failingService_endsTheRunWithItsMessageAndNoJob)
{
    auto pages = render({QStringLiteral("甲")});
    service.setSubmitFailure(QStringLiteral("office: the queue rejects jobs"));
    try {
        printPages(printer, *pages, false);
        FAIL() << "a rejected job was reported as printed";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), "office: the queue rejects jobs");
    }
    EXPECT_TRUE(service.jobs().isEmpty());
    EXPECT_TRUE(pageFilesLeft().isEmpty());
}
