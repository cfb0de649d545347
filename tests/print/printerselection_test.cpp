// The printer object over an in-memory printing service: the index rules,
// the settings copy, the geometry and every error with its exact message.
#include "support/fakeprintingservice.h"
#include "print/printerselection.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vendara;

namespace {

constexpr quint32 kAllFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize) |
                               fieldBit(PrinterField::DefaultSource) | fieldBit(PrinterField::Copies);

PaperInfo paper(const QString &media, const QString &name, QSize hundredthsMm, QMargins margins = {})
{
    return PaperInfo{media, media, name, hundredthsMm, margins, false};
}

PaperInfo a4(QMargins margins = {}) { return paper("iso_a4_210x297mm", "A4", {21000, 29700}, margins); }
PaperInfo b5() { return paper("jis_b5_182x257mm", "B5 (JIS)", {18200, 25700}); }
PaperInfo letter() { return paper("na_letter_8.5x11in", "Letter", {21590, 27940}); }

PrinterDriverInfo officeDriver()
{
    PrinterDriverInfo d;
    d.supportedFields = kAllFields;
    d.papers = {a4(QMargins(400, 500, 800, 600)), b5(), letter()};
    d.defaultPaper = 0;
    d.sources = {{"Upper", "Upper Tray", true}, {"Lower", "Lower Tray", true}};
    d.defaultSource = 0;
    d.resolutionCount = 2;
    d.resolution = QSize(600, 600);
    d.maxCopies = 99;
    return d;
}

PrinterInfo printerNamed(const QString &name, bool isDefault = false, bool hidden = false)
{
    PrinterInfo p;
    p.name = name;
    p.isDefault = isDefault;
    p.hidden = hidden;
    p.deviceUri = "file:/dev/null";
    return p;
}

// The message of the PrinterError the call raises, or a note that it raised none.
QString errorOf(const std::function<void()> &call, PrinterErrorKind *kind = nullptr)
{
    try {
        call();
    } catch (const PrinterError &e) {
        if (kind)
            *kind = e.kind();
        return e.message();
    }
    return QStringLiteral("(no error)");
}

} // namespace

TEST(PrinterSelectionTest, hiddenPrinters_areLeftOutOfEveryIndex)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("first", true), officeDriver());
    service.addPrinter(printerNamed("hidden", false, true), officeDriver());
    service.addPrinter(printerNamed("third"), officeDriver());
    PrinterSelection printer(service);

    EXPECT_EQ(printer.printerNames(), (QStringList{"first", "third"}));
    EXPECT_EQ(printer.index(), 0); // the default printer
    printer.setIndex(1);
    EXPECT_EQ(printer.currentPrinter().name, "third");
    EXPECT_EQ(printer.index(), 1);

    PrinterErrorKind kind{};
    EXPECT_EQ(errorOf([&] { printer.setIndex(2); }, &kind), "TNkPrinter.SetIndex: Index is out of Range");
    EXPECT_EQ(kind, PrinterErrorKind::RangeError);
    EXPECT_EQ(errorOf([&] { printer.setIndex(-2); }), "TNkPrinter.SetIndex: Index is out of Range");
    EXPECT_EQ(printer.index(), 1) << "a failed setter keeps the current printer";

    printer.setIndex(-1);
    EXPECT_EQ(printer.currentPrinter().name, "first");
}

TEST(PrinterSelectionTest, hiddenCurrentPrinter_hasNoIndex)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("visible"), officeDriver());
    service.addPrinter(printerNamed("hidden default", true, true), officeDriver());
    PrinterSelection printer(service);

    PrinterErrorKind kind{};
    EXPECT_EQ(errorOf([&] { printer.index(); }, &kind), "TNkPrinter.GetIndex: Printers.PrinterIndex is Illegal");
    EXPECT_EQ(kind, PrinterErrorKind::IllegalIndex);
    printer.setIndex(0);
    EXPECT_EQ(printer.index(), 0);
}

TEST(PrinterSelectionTest, noVisiblePrinter_makesEveryOperationSayNoPrinter)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("hidden", true, true), officeDriver());
    PrinterSelection printer(service);
    int notified = 0;
    printer.setChangeListener([&] { ++notified; });

    const QList<std::function<void()>> calls = {
        [&] { printer.printerNames(); },      [&] { printer.index(); },
        [&] { printer.setIndex(-1); },        [&] { printer.paperSizeNames(); },
        [&] { printer.sourceIndex(); },          [&] { printer.orientation(); },
        [&] { printer.infoFlags(); },         [&] { printer.geometry(); },
        [&] { printer.apply(); },             [&] { printer.refresh(); },
    };
    for (const auto &call : calls) {
        PrinterErrorKind kind{};
        EXPECT_EQ(errorOf(call, &kind), "TNkPrinter.CheckNoPrinter: No Printer");
        EXPECT_EQ(kind, PrinterErrorKind::NoPrinter);
    }

    // A printer installed while the program runs is noticed at the next check.
    EXPECT_FALSE(printer.checkForChanges());
    service.addPrinter(printerNamed("new"), officeDriver());
    EXPECT_TRUE(printer.checkForChanges());
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(printer.printerNames(), QStringList{"new"});
    EXPECT_EQ(printer.paperSizeNames(), (QStringList{"A4", "B5 (JIS)", "Letter"}));
}

TEST(PrinterSelectionTest, paperCodes_areStableAndATwiceListedPaperIndexesItsFirst)
{
    FakePrintingService service;
    PrinterDriverInfo driver = officeDriver();
    driver.papers = {a4(), letter(), paper("iso_a4_210x297mm", "A4 borderless", {21000, 29700}), b5(),
                     paper("jpn_hagaki_100x148mm", "Postcard", {10000, 14800}),
                     paper("om_small-photo_100x150mm", "Photo", {10000, 15000})};
    driver.sources = {{"Upper", "Upper Tray", true}, {"Manual", "Manual Feed", true}, {"Upper", "Upper again", true}};
    service.addPrinter(printerNamed("p"), driver);
    PrinterSelection printer(service);

    const QList<int> codes = printer.paperSizeNumbers();
    EXPECT_EQ(codes.mid(0, 5), (QList<int>{9, 1, 9, 13, 43}));
    EXPECT_GE(codes[5], 256);

    printer.setPaperSizeIndex(2);
    EXPECT_EQ(printer.paperSizeNumber(), 9);
    EXPECT_EQ(printer.paperSizeIndex(), 0) << "papers: the first position";
    printer.setSourceIndex(0);
    EXPECT_EQ(printer.sourceNumbers(), (QList<int>{1, 4, 1}));
    EXPECT_EQ(printer.sourceIndex(), 2) << "sources: the last position";
}

TEST(PrinterSelectionTest, outOfRangeIndicesAndUnlistedCodes_raiseTheirOwnErrors)
{
    FakePrintingService service;
    PrinterDriverInfo driver = officeDriver();
    driver.papers = {a4(), b5(), letter(), paper("iso_a5_148x210mm", "A5", {14800, 21000}),
                     paper("iso_a3_297x420mm", "A3", {29700, 42000})};
    service.addPrinter(printerNamed("p"), driver);
    PrinterSelection printer(service);

    PrinterErrorKind kind{};
    EXPECT_EQ(errorOf([&] { printer.setPaperSizeIndex(5); }, &kind), "TNkPrinter:SetPaperSizeIndex: No such PaperSize Index");
    EXPECT_EQ(kind, PrinterErrorKind::PaperSizeError);
    EXPECT_EQ(errorOf([&] { printer.setPaperSizeIndex(-1); }), "TNkPrinter:SetPaperSizeIndex: No such PaperSize Index");
    EXPECT_EQ(errorOf([&] { printer.setSourceIndex(2); }, &kind), "TNkPrinter:SetBinIndex: No such Bin Index");
    EXPECT_EQ(kind, PrinterErrorKind::SourceError);
    EXPECT_FALSE(printer.changed()) << "no error changes the settings copy";
    printer.setPaperSizeIndex(4);
    EXPECT_EQ(printer.paperSizeNumber(), 8);

    // Codes the lists do not hold.
    printer.setPaperSizeNumber(12);
    printer.setSourceNumber(7);
    EXPECT_EQ(errorOf([&] { printer.paperSizeIndex(); }), "TNkPrinter.GetPaperSizeIndex: Cannot Get Paper Index");
    EXPECT_EQ(errorOf([&] { printer.sourceIndex(); }), "TNkPrinter.GetBinIndex: Cannot Get Bin Index");
}

TEST(PrinterSelectionTest, unsupportedOrUnlistedFields_raiseTheirOwnMessages)
{
    FakePrintingService service;
    PrinterDriverInfo noSources = officeDriver();
    noSources.supportedFields = fieldBit(PrinterField::PaperSize); // neither sources nor orientation
    noSources.sources.clear();
    noSources.defaultSource = -1;
    service.addPrinter(printerNamed("no sources"), noSources);
    PrinterDriverInfo unlisted = officeDriver(); // supports the fields, lists nothing
    unlisted.papers.clear();
    unlisted.defaultPaper = -1;
    unlisted.sources.clear();
    unlisted.defaultSource = -1;
    service.addPrinter(printerNamed("unlisted"), unlisted);
    PrinterSelection printer(service);

    const QList<QPair<std::function<void()>, QString>> noSourcesCases = {
        {[&] { printer.sourceNames(); }, "TNkPrinter.GetBinNames: Bin is not Supported"},
        {[&] { printer.sourceNumber(); }, "TNkPrinter.GetBinNumber: Bin is not Supported"},
        {[&] { printer.setSourceNumber(1); }, "TNkPrinter.SetBinNumber: Bin is not Supported"},
        {[&] { printer.sourceIndex(); }, "TNkPrinter.GetBinIndex: Bin is not Supported"},
        {[&] { printer.setSourceIndex(0); }, "TNkPrinter.SetBinIndex: Bin is not Supported"},
        {[&] { printer.orientation(); }, "TNkPrinter.GetOrientation: Orientation is not Supported"},
        {[&] { printer.setOrientation(QPageLayout::Landscape); }, "TNkPrinter.SetOrientation: Orientation is not Supported"},
    };
    printer.setIndex(0);
    for (const auto &[call, message] : noSourcesCases)
        EXPECT_EQ(errorOf(call), message);
    EXPECT_EQ(printer.infoFlags(), PrinterSelection::PaperSizesInfo | PrinterSelection::ResolutionsInfo |
                                       PrinterSelection::CopiesInfo);

    const QList<QPair<std::function<void()>, QString>> unlistedCases = {
        {[&] { printer.paperSizeNames(); }, "TNkPrinter.GetPaperSizeNames: No Papersize Info Available"},
        {[&] { printer.paperSizeIndex(); }, "TNkPrinter.GetPaperSizeIndex: No Papersize Info Available"},
        {[&] { printer.setPaperSizeIndex(0); }, "TNkPrinter.SetPaperSizeIndex: No Papersize Info Available"},
        {[&] { printer.sourceNames(); }, "TNkPrinter.GetBinNames: No Bin Info Available"},
        {[&] { printer.sourceIndex(); }, "TNkPrinter.GetBinIndex: No Bin Info Available"},
        {[&] { printer.setSourceIndex(0); }, "TNkPrinter.SetBinIndex: No Bin Info Available"},
    };
    printer.setIndex(1);
    for (const auto &[call, message] : unlistedCases) {
        PrinterErrorKind kind{};
        EXPECT_EQ(errorOf(call, &kind), message);
        EXPECT_EQ(kind, PrinterErrorKind::NoInfo);
    }
    EXPECT_EQ(printer.infoFlags(), PrinterSelection::ResolutionsInfo | PrinterSelection::CopiesInfo);
}

TEST(PrinterSelectionTest, changes_stayInTheCopyUntilApplied)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("office", true), officeDriver());
    service.addPrinter(printerNamed("other"), officeDriver());
    PrinterSelection printer(service);

    const PrinterGeometry before = printer.geometry();
    printer.setPaperSizeIndex(0); // the paper it has already
    printer.setOrientation(QPageLayout::Portrait);
    EXPECT_FALSE(printer.changed());

    printer.setPaperSizeIndex(1);
    printer.setSourceIndex(1);
    printer.setOrientation(QPageLayout::Landscape);
    EXPECT_TRUE(printer.changed());
    EXPECT_EQ(printer.geometry().physicalSize, before.physicalSize) << "rendering sees only applied settings";
    EXPECT_EQ(printer.outputSetup().source->keyword, "Upper");

    const int queries = service.driverQueries();
    printer.apply();
    EXPECT_FALSE(printer.changed());
    const PrinterOutputSetup setup = printer.outputSetup();
    EXPECT_GT(service.driverQueries(), queries) << "apply drops the caches";
    EXPECT_EQ(setup.paper->mediaName, "jis_b5_182x257mm");
    EXPECT_EQ(setup.source->keyword, "Lower");
    EXPECT_TRUE(setup.landscape);
    EXPECT_EQ(printer.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.paperSizeIndex(), 1);

    // Refresh throws away what was not applied.
    printer.setPaperSizeIndex(2);
    printer.refresh();
    EXPECT_FALSE(printer.changed());
    EXPECT_EQ(printer.paperSizeIndex(), 1);

    // Another printer starts with its driver's defaults, and so does this one again.
    printer.setIndex(1);
    EXPECT_EQ(printer.paperSizeIndex(), 0);
    printer.setIndex(0);
    EXPECT_EQ(printer.paperSizeIndex(), 0);
    EXPECT_EQ(printer.orientation(), QPageLayout::Portrait);
}

TEST(PrinterSelectionTest, sheetGeometry_isInDotsAndTenthsOfAMillimetre)
{
    FakePrintingService service;
    PrinterDriverInfo driver = officeDriver();
    driver.supportedFields |= fieldBit(PrinterField::Scale);
    driver.scale = 50;
    service.addPrinter(printerNamed("scaling"), driver);
    service.addPrinter(printerNamed("office", true), officeDriver());
    PrinterSelection printer(service);

    // A4 at 600 dpi with borders of 4, 5, 8 and 6 mm (left, top, right, bottom).
    EXPECT_EQ(printer.resolution(), QSize(600, 600));
    EXPECT_EQ(printer.physicalSize(), QSize(4960, 7015));
    EXPECT_EQ(printer.pageSize(), QSize(2099, 2969));
    EXPECT_EQ(printer.printableOffset(), QPoint(94, 118));
    EXPECT_EQ(printer.printableSize(), QSize(4677, 6755));
    EXPECT_EQ(printer.scale(), 100);

    printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
    EXPECT_EQ(printer.physicalSize(), QSize(7015, 4960));
    // Turned a quarter counter-clockwise: the bottom border is now on the left.
    EXPECT_EQ(printer.printableOffset(), QPoint(141, 94));
    EXPECT_EQ(printer.outputSetup().sheetMillimetres, QSizeF(297, 210));

    printer.setIndex(0); // a driver with a scale of 50 %
    EXPECT_EQ(printer.scale(), 50);
    EXPECT_EQ(printer.pageSize(), QSize(1049, 1484));
}

TEST(PrinterSelectionTest, listChanges_dropTheCopyAndAGonePrinterGivesWayToTheDefault)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("a", true), officeDriver());
    service.addPrinter(printerNamed("b"), officeDriver());
    PrinterSelection printer(service);
    int notified = 0;
    printer.setChangeListener([&] { ++notified; });

    printer.setIndex(1);
    EXPECT_FALSE(printer.checkForChanges());

    service.printer("a").info.deviceUri = "socket://10.0.0.9"; // a port changed
    EXPECT_TRUE(printer.checkForChanges());
    EXPECT_EQ(notified, 1);

    printer.setPaperSizeIndex(2);
    service.addPrinter(printerNamed("c"), officeDriver());
    EXPECT_TRUE(printer.checkForChanges());
    EXPECT_EQ(notified, 2);
    EXPECT_FALSE(printer.changed()) << "the settings copy went with the old list";
    EXPECT_EQ(printer.currentPrinter().name, "b");

    service.removePrinter("b");
    EXPECT_TRUE(printer.checkForChanges());
    EXPECT_EQ(printer.currentPrinter().name, "a");
    EXPECT_EQ(printer.printerNames(), (QStringList{"a", "c"}));
}

TEST(PrinterSelectionTest, previewStatusBar_namesPrinterResolutionAndPaper)
{
    FakePrintingService service;
    PrinterDriverInfo driver = officeDriver();
    driver.resolution = QSize(600, 300);
    service.addPrinter(printerNamed("office", true), driver);
    PrinterDriverInfo noPapers = officeDriver();
    noPapers.papers.clear();
    service.addPrinter(printerNamed("bare"), noPapers);
    PrinterSelection printer(service);

    printer.setPaperSizeIndex(1);
    printer.apply();
    EXPECT_EQ(printer.previewStatusTexts(), (QStringList{"office", "600/300dpi", "B5 (JIS)"}));
    printer.setIndex(1);
    EXPECT_EQ(errorOf([&] { printer.previewStatusTexts(); }), "TNkPrinter.GetPaperSizeIndex: No Papersize Info Available");
}

TEST(PrinterStatusTest, stateAndReasons_readAsReadyStoppedOrNeedsChecking)
{
    PrinterInfo p = printerNamed("p");
    EXPECT_EQ(printerStatusText(p), "準備完了");
    p.state = PrinterState::Printing;
    p.stateReasons = {"cups-waiting-for-job-completed-report"};
    EXPECT_EQ(printerStatusText(p), "準備完了");
    p.state = PrinterState::Stopped;
    p.stateReasons = {"paused"};
    EXPECT_EQ(printerStatusText(p), "停止中");
    p.stateReasons = {"paused", "media-empty-error"};
    EXPECT_EQ(printerStatusText(p), "要調査");
    p.state = PrinterState::Idle;
    p.stateReasons.clear();
    p.acceptingJobs = false;
    EXPECT_EQ(printerStatusText(p), "要調査");
}

TEST(PrinterSelectionTest, cancel_restoresTheChoiceOnlyWhereThePrinterLetsItBeChosen)
{
    FakePrintingService service;
    service.addPrinter(printerNamed("office", true), officeDriver());
    PrinterDriverInfo fixed = officeDriver();
    fixed.supportedFields = fieldBit(PrinterField::PaperSize);
    service.addPrinter(printerNamed("fixed"), fixed);
    PrinterSelection printer(service);

    printer.setPaperSizeIndex(2);
    printer.apply();
    const PrinterChoice opened = printer.choice();
    EXPECT_EQ(opened.paperIndex, 2);
    EXPECT_EQ(opened.sourceIndex, 0);
    EXPECT_EQ(opened.orientation, QPageLayout::Portrait);

    // The dialog's changes are applied at once ...
    printer.setIndex(1);
    EXPECT_FALSE(printer.choice().sourceIndex.has_value());
    EXPECT_FALSE(printer.choice().orientation.has_value());
    printer.setIndex(0);
    printer.setSourceIndex(1);
    printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
    // ... and Cancel takes them back.
    printer.restore(opened);
    EXPECT_EQ(printer.index(), 0);
    EXPECT_FALSE(printer.changed());
    const PrinterOutputSetup setup = printer.outputSetup();
    EXPECT_EQ(setup.paper->displayName, "Letter");
    EXPECT_EQ(setup.source->keyword, "Upper");
    EXPECT_FALSE(setup.landscape);
}
