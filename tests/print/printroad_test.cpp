#include "print/printroad.h"

#include "support/fakeprintingservice.h"
#include "print/printerselection.h"

#include "common/error.h"
#include "common/iniprofile.h"
#include "slip/slipdocument.h"
#include "support/slipsamples.h"

#include "support/testdata.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vendara;

namespace {

const QString kShipped = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");

class PrintRoadTest : public ::testing::Test
{
protected:
    PrintRoadTest() : data(dir.path())
    {
        slip.loadRecord(test::workedTotalsSlip());
        job.generation.formatPath = kShipped + QStringLiteral("Fmt/見積書_A4.fmt");
        job.generation.setPath = kShipped + QStringLiteral("Etc/デフォルト.Dat");
        job.generation.titles = {QStringLiteral("見積書"), QStringLiteral("見積書(控)"), QStringLiteral("見積書(社内)"), QString()};
        job.generation.defaultDatePattern = QStringLiteral("GGEE/MM/DD");
        job.geometry = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    }

    QStringList tmpFiles() const { return QDir(data.tmpDir()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
    DataFolder data;
    SlipDocument slip;
    PrintJob job;
};

} // namespace

TEST_F(PrintRoadTest, switchedOnCopies_renderOnePageEachAndLeaveNoFiles)
{
    job.generation.copies = {true, false, true, false};
    slip.setModified(true);
    {
        PrintRoad road(data, QStringLiteral("42"));
        {
            const auto pages = road.render(slip, job);
            ASSERT_TRUE(pages);
            EXPECT_EQ(pages->pageCount(), 2);
            // The print data is gone once rendered; the temporary slip stays.
            EXPECT_TRUE(QFile::exists(road.temporarySlipPath()));
            EXPECT_FALSE(QFile::exists(printDataPath(data, QStringLiteral("42"))));
        }
        EXPECT_EQ(tmpFiles(), QStringList{"42PrTmpDat2"}); // page files went with the recorder
    }
    EXPECT_TRUE(tmpFiles().isEmpty());
    EXPECT_TRUE(slip.isModified()); // the temporary copy does not count as a save
}

TEST_F(PrintRoadTest, temporarySlip_holdsRecalculatedTotals)
{
    SlipRecord stale = test::workedTotalsSlip();
    stale.price.last = 1; // what was stored, not what the inputs give
    slip.loadRecord(stale);
    PrintRoad road(data, QStringLiteral("7"));
    job.generation.copies = {true, false, false, false};
    road.render(slip, job);
    EXPECT_EQ(IniProfile::load(road.temporarySlipPath()).readInt("Price", "Last", 0), 1491480);
}

TEST_F(PrintRoadTest, cancelledRendering_leavesNoPageFiles)
{
    job.generation.copies = {true, true, true, true};
    PrintRoad road(data, QStringLiteral("9"));
    int asked = 0;
    RenderCallbacks callbacks;
    callbacks.cancelRequested = [&] { return ++asked > 50; };
    EXPECT_EQ(road.render(slip, job, callbacks), nullptr);
    EXPECT_EQ(tmpFiles(), QStringList{"9PrTmpDat2"});
}

TEST_F(PrintRoadTest, generationError_stopsBeforeRenderingAndRemovesPrintData)
{
    const QString format = dir.filePath("bad.fmt");
    test::writeSjisLines(format, {"[Car,Price]", "Type=CURRENCY", "Digit=%d"});
    job.generation.formatPath = format;
    job.generation.copies = {true, false, false, false};
    PrintRoad road(data, QStringLiteral("3"));
    EXPECT_THROW(road.render(slip, job), Error);
    EXPECT_EQ(tmpFiles(), QStringList{"3PrTmpDat2"});
}

TEST(PrintDataRequest, currentSettings_giveTheKindsTitlesAndFormat)
{
    CurrentPrintSettings current;
    current.titles[1] = {QStringLiteral("注文書"), QStringLiteral("注文書(控)"), QString(), QString()};
    current.formatPaths = {QStringLiteral("/d/Dat/Fmt/m.fmt"), QStringLiteral("/d/Dat/Fmt/t.fmt")};
    current.copies = {true, false, false, true};
    current.setPath = QStringLiteral("/d/Dat/Etc/x.Dat");
    const PrintDataRequest r = printDataRequestFor(current, DocumentKind::Order, QStringLiteral("YYYY/MM/DD"));
    EXPECT_EQ(r.formatPath, QStringLiteral("/d/Dat/Fmt/t.fmt"));
    EXPECT_EQ(r.titles[1], QStringLiteral("注文書(控)"));
    EXPECT_EQ(r.copies, current.copies);
    EXPECT_EQ(r.setPath, current.setPath);
    EXPECT_EQ(r.defaultDatePattern, QStringLiteral("YYYY/MM/DD"));
    EXPECT_TRUE(r.slipPath.isEmpty());
}

TEST_F(PrintRoadTest, letterInAListedPrice_stopsThePrintNamingTheSection)
{
    SlipRecord record = test::workedTotalsSlip();
    record.car.lineB[1].name = QStringLiteral("バイザー");
    record.car.lineB[1].price = QStringLiteral("abc"); // counts 0 in the totals
    slip.loadRecord(record);
    job.generation.copies = {true, false, false, false};
    PrintRoad road(data, QStringLiteral("5"));
    try {
        road.render(slip, job);
        FAIL() << "printed";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("[Car,LineB]")));
    }
    EXPECT_EQ(tmpFiles(), QStringList{"5PrTmpDat2"});
}

TEST_F(PrintRoadTest, onAPrinter_pagesTakeItsSheetAndWithoutOneNothingIsWritten)
{
    FakePrintingService service;
    PrinterSelection printer(service);
    PrintRoad road(data, QStringLiteral("43"));
    try {
        road.render(slip, job, printer);
        FAIL() << "rendered without a printer";
    } catch (const Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("TNkPrinter.CheckNoPrinter: No Printer"));
    }
    EXPECT_TRUE(tmpFiles().isEmpty());

    PrinterDriverInfo driver;
    driver.supportedFields = fieldBit(PrinterField::PaperSize) | fieldBit(PrinterField::Orientation);
    driver.papers = {PaperInfo{"B5", "jis_b5_182x257mm", "B5", {18200, 25700}, QMargins(300, 300, 300, 300), true}};
    driver.defaultPaper = 0;
    driver.resolution = QSize(300, 300);
    PrinterInfo info;
    info.name = QStringLiteral("b5");
    service.addPrinter(info, driver);
    printer.checkForChanges();
    printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
    const auto pages = road.render(slip, job, printer);
    ASSERT_TRUE(pages);
    // B5 landscape at 300 dpi: 3035 x 2149 dots, 2569 x 1819 tenths of a millimetre.
    EXPECT_EQ(pages->geometry().physicalSize, QSize(3035, 2149));
    EXPECT_EQ(pages->geometry().printableOffset, QPoint(35, 35));
    EXPECT_EQ(pages->pageSize(), QSize(2569, 1819));
}
