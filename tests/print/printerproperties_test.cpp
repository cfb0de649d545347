// Two-sided printing, colour mode and resolution through the printer object
// over an in-memory printing service, and the printer properties: read from
// the settings copy, handed back only where the printer lets them be chosen.
#include "support/fakeprintingservice.h"
#include "print/printerproperties.h"
#include "print/printerselection.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vendara;

namespace {

JobOptionChoice choice(const QString &option, const QString &keyword, const QString &name, QSize dpi = {})
{
    return JobOptionChoice{option, keyword, name, dpi};
}

// A PPD-like queue: A4 and B5, two trays, orientation, Duplex and
// Resolution from its PPD, colour as the IPP attribute.
PrinterDriverInfo laserDriver()
{
    PrinterDriverInfo d;
    d.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize) |
                        fieldBit(PrinterField::DefaultSource) | fieldBit(PrinterField::Duplex) |
                        fieldBit(PrinterField::Color) | fieldBit(PrinterField::PrintQuality);
    d.papers = {PaperInfo{"A4", "iso_a4_210x297mm", "A4", {21000, 29700}, QMargins(), true},
                PaperInfo{"B5", "jis_b5_182x257mm", "B5 (JIS)", {18200, 25700}, QMargins(), true}};
    d.defaultPaper = 0;
    d.sources = {{"Upper", "上段", true}, {"Lower", "下段", true}};
    d.defaultSource = 0;
    d.duplexModes = {choice("Duplex", "None", "片面"), choice("Duplex", "DuplexNoTumble", "両面 (長辺とじ)"),
                     choice("Duplex", "DuplexTumble", "両面 (短辺とじ)")};
    d.defaultDuplex = 0;
    d.colorModes = {choice("print-color-mode", "color", "カラー"), choice("print-color-mode", "monochrome", "モノクロ")};
    d.defaultColorMode = 0;
    d.resolutions = {choice("Resolution", "300dpi", "300 dpi", {300, 300}),
                     choice("Resolution", "600dpi", "600 dpi", {600, 600}),
                     choice("Resolution", "1200x600dpi", "1200 × 600 dpi", {1200, 600})};
    d.defaultResolution = 1;
    d.resolutionCount = 3;
    d.resolution = QSize(600, 600);
    return d;
}

// A label printer: one paper, nothing to choose but the paper.
PrinterDriverInfo labelDriver()
{
    PrinterDriverInfo d;
    d.supportedFields = fieldBit(PrinterField::PaperSize);
    d.papers = {PaperInfo{"w62", "roll_w62_62x100mm", "62 mm", {6200, 10000}, QMargins(), true}};
    d.defaultPaper = 0;
    d.resolution = QSize(300, 300);
    d.resolutionCount = 1;
    return d;
}

PrinterInfo printerNamed(const QString &name, bool isDefault = false)
{
    PrinterInfo p;
    p.name = name;
    p.isDefault = isDefault;
    return p;
}

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

class JobOptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        service.addPrinter(printerNamed("laser", true), laserDriver());
        service.addPrinter(printerNamed("label"), labelDriver());
    }

    FakePrintingService service;
    PrinterSelection printer{service};
};

} // namespace

TEST(JobOptionNamesTest, wellKnownValues_areNamedInJapaneseOthersKeepTheDriversName)
{
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "one-sided"), "片面");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "None", "Off"), "片面");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "two-sided-long-edge"), "両面 (長辺とじ)");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "DuplexNoTumble", "Long Edge"), "両面 (長辺とじ)");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "duplextumble"), "両面 (短辺とじ)");
    EXPECT_EQ(jobOptionDisplayName(JobOption::ColorMode, "monochrome"), "モノクロ");
    EXPECT_EQ(jobOptionDisplayName(JobOption::ColorMode, "Gray", "Grayscale"), "モノクロ");
    EXPECT_EQ(jobOptionDisplayName(JobOption::ColorMode, "CMYK"), "カラー");
    EXPECT_EQ(jobOptionDisplayName(JobOption::ColorMode, "auto"), "自動");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Resolution, "600dpi", "600 DPI"), "600 dpi");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Resolution, "1200x600dpi"), "1200 × 600 dpi");
    // Not known here: the driver's name, else the keyword itself.
    EXPECT_EQ(jobOptionDisplayName(JobOption::ColorMode, "Sepia", "セピア"), "セピア");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Duplex, "Booklet"), "Booklet");
    EXPECT_EQ(jobOptionDisplayName(JobOption::Resolution, "Fine", "高画質"), "高画質");
    // The same words mean nothing for another option.
    EXPECT_EQ(jobOptionDisplayName(JobOption::Resolution, "monochrome"), "monochrome");
}

TEST(JobOptionNamesTest, resolutionKeyword_givesItsDotsPerInchOrAnInvalidSize)
{
    EXPECT_EQ(resolutionOfKeyword("600dpi"), QSize(600, 600));
    EXPECT_EQ(resolutionOfKeyword("1200x600dpi"), QSize(1200, 600));
    EXPECT_EQ(resolutionOfKeyword(" 300DPI "), QSize(300, 300));
    EXPECT_FALSE(resolutionOfKeyword("600dpcm").isValid());
    EXPECT_FALSE(resolutionOfKeyword("Fine").isValid());
    EXPECT_FALSE(resolutionOfKeyword("0dpi").isValid());
}

TEST_F(JobOptionsTest, choiceNotYetApplied_leavesTheDriversDefaultsInEffect)
{
    EXPECT_EQ(printer.choiceNames(JobOption::Duplex),
              (QStringList{"片面", "両面 (長辺とじ)", "両面 (短辺とじ)"}));
    EXPECT_EQ(printer.choiceNames(JobOption::ColorMode), (QStringList{"カラー", "モノクロ"}));
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 0);
    EXPECT_EQ(printer.choiceIndex(JobOption::ColorMode), 0);
    EXPECT_EQ(printer.choiceIndex(JobOption::Resolution), 1);

    printer.setChoiceIndex(JobOption::Duplex, 1);
    printer.setChoiceIndex(JobOption::ColorMode, 1);
    printer.setChoiceIndex(JobOption::Resolution, 2);
    EXPECT_TRUE(printer.changed());
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 1);
    // Not yet in effect: the job would go out with the defaults.
    PrinterOutputSetup setup = printer.outputSetup();
    EXPECT_EQ(setup.duplex->keyword, "None");
    EXPECT_EQ(setup.colorMode->keyword, "color");
    EXPECT_EQ(setup.geometry.resolution, QSize(600, 600));

    printer.apply();
    EXPECT_FALSE(printer.changed());
    setup = printer.outputSetup();
    ASSERT_TRUE(setup.duplex && setup.colorMode && setup.resolution);
    EXPECT_EQ(*setup.duplex, laserDriver().duplexModes[1]);
    EXPECT_EQ(setup.duplex->option, "Duplex");
    EXPECT_EQ(*setup.colorMode, laserDriver().colorModes[1]);
    EXPECT_EQ(setup.resolution->keyword, "1200x600dpi");
    // The geometry is that of the chosen resolution; the sheet stays the same.
    EXPECT_EQ(setup.geometry.resolution, QSize(1200, 600));
    EXPECT_EQ(setup.geometry.physicalSize, QSize(9921, 7015));
    EXPECT_EQ(printer.previewStatusTexts().value(1), "1200/600dpi");
    EXPECT_EQ(printer.pageSize(), QSize(2099, 2969));

    // The same choice again changes nothing.
    printer.setChoiceIndex(JobOption::Duplex, 1);
    EXPECT_FALSE(printer.changed());
}

TEST_F(JobOptionsTest, landscape_turnsTheChosenResolutionWithTheSheet)
{
    printer.setChoiceIndex(JobOption::Resolution, 2);
    printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
    EXPECT_EQ(printer.resolution(), QSize(600, 1200));
}

TEST_F(JobOptionsTest, unsupportedUnlistedOrOutOfRangeChoices_raiseTheirOwnMessages)
{
    // Supports two-sided printing but lists no values for it.
    PrinterDriverInfo silent = labelDriver();
    silent.supportedFields |= fieldBit(PrinterField::Duplex);
    service.addPrinter(printerNamed("silent"), silent);

    PrinterErrorKind kind{};
    EXPECT_EQ(errorOf([&] { printer.setChoiceIndex(JobOption::Duplex, 3); }, &kind),
              "TNkPrinter:SetDuplexIndex: No such Duplex Index");
    EXPECT_EQ(kind, PrinterErrorKind::ChoiceError);
    EXPECT_EQ(errorOf([&] { printer.setChoiceIndex(JobOption::ColorMode, -1); }),
              "TNkPrinter:SetColorModeIndex: No such ColorMode Index");
    EXPECT_FALSE(printer.changed());

    printer.setIndex(1);
    EXPECT_EQ(errorOf([&] { printer.choiceNames(JobOption::Duplex); }, &kind),
              "TNkPrinter.GetDuplexNames: Duplex is not Supported");
    EXPECT_EQ(kind, PrinterErrorKind::NotSupported);
    EXPECT_EQ(errorOf([&] { printer.choiceIndex(JobOption::ColorMode); }),
              "TNkPrinter.GetColorModeIndex: ColorMode is not Supported");
    EXPECT_EQ(errorOf([&] { printer.setChoiceIndex(JobOption::Resolution, 0); }),
              "TNkPrinter.SetResolutionIndex: Resolution is not Supported");

    printer.setIndex(2);
    EXPECT_EQ(errorOf([&] { printer.choiceNames(JobOption::Duplex); }, &kind),
              "TNkPrinter.GetDuplexNames: No Duplex Info Available");
    EXPECT_EQ(kind, PrinterErrorKind::NoInfo);
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), -1);
    EXPECT_FALSE(printer.outputSetup().duplex.has_value());
}

TEST_F(JobOptionsTest, printerWithoutTheFields_sendsNoneOfThem)
{
    // Listed values without the field: the driver does not let them be chosen.
    PrinterDriverInfo listedOnly = laserDriver();
    listedOnly.supportedFields &= ~(fieldBit(PrinterField::Duplex) | fieldBit(PrinterField::Color));
    service.printer("laser").driver = listedOnly;
    const PrinterOutputSetup setup = printer.outputSetup();
    EXPECT_FALSE(setup.duplex.has_value());
    EXPECT_FALSE(setup.colorMode.has_value());
    EXPECT_EQ(setup.resolution->keyword, "600dpi");
}

TEST_F(JobOptionsTest, cancel_putsTheOptionsBackAndAnotherPrinterHasItsDefaults)
{
    printer.setChoiceIndex(JobOption::Duplex, 2);
    printer.apply();
    const PrinterChoice opened = printer.choice();
    EXPECT_EQ(opened.duplexIndex, 2);
    EXPECT_EQ(opened.colorModeIndex, 0);
    EXPECT_EQ(opened.resolutionIndex, 1);

    printer.setChoiceIndex(JobOption::Duplex, 0);
    printer.setChoiceIndex(JobOption::ColorMode, 1);
    printer.apply();
    printer.setIndex(1);
    EXPECT_FALSE(printer.choice().duplexIndex.has_value());
    printer.restore(opened);
    EXPECT_EQ(printer.index(), 0);
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 2);
    EXPECT_EQ(printer.choiceIndex(JobOption::ColorMode), 0);
    EXPECT_EQ(printer.outputSetup().duplex->keyword, "DuplexTumble");
}

TEST_F(JobOptionsTest, properties_showTheSettingsCopyOfTheCurrentPrinter)
{
    printer.setOrientation(QPageLayout::Landscape);
    printer.setPaperSizeIndex(1);
    printer.apply();
    printer.setChoiceIndex(JobOption::ColorMode, 1); // chosen, not yet applied

    const PrinterProperties p = PrinterProperties::of(printer);
    EXPECT_EQ(p.printer, "laser");
    EXPECT_EQ(p.paper, (PropertyChoice{{"A4", "B5 (JIS)"}, 1, true}));
    EXPECT_EQ(p.source, (PropertyChoice{{"上段", "下段"}, 0, true}));
    EXPECT_TRUE(p.orientationEnabled);
    EXPECT_EQ(p.orientation, QPageLayout::Landscape);
    EXPECT_EQ(p.duplex, (PropertyChoice{{"片面", "両面 (長辺とじ)", "両面 (短辺とじ)"}, 0, true}));
    EXPECT_EQ(p.colorMode, (PropertyChoice{{"カラー", "モノクロ"}, 1, true}));
    EXPECT_EQ(p.resolution, (PropertyChoice{{"300 dpi", "600 dpi", "1200 × 600 dpi"}, 1, true}));
}

TEST_F(JobOptionsTest, printerWithoutChoices_hasDisabledPropertiesThatTouchNothing)
{
    printer.setIndex(1);
    const PrinterProperties p = PrinterProperties::of(printer);
    EXPECT_EQ(p.paper, (PropertyChoice{{"62 mm"}, 0, true}));
    EXPECT_EQ(p.source, PropertyChoice{});
    EXPECT_FALSE(p.orientationEnabled);
    EXPECT_EQ(p.duplex, PropertyChoice{});
    EXPECT_EQ(p.colorMode, PropertyChoice{});
    EXPECT_EQ(p.resolution, PropertyChoice{});

    // Values set on the disabled settings are never handed to the printer
    // (which would refuse them as not supported).
    PrinterProperties changed = p;
    changed.source.current = 1;
    changed.duplex.current = 1;
    changed.orientation = QPageLayout::Landscape;
    EXPECT_NO_THROW(changed.applyTo(printer));
    EXPECT_FALSE(printer.outputSetup().landscape);
}

TEST_F(JobOptionsTest, chosenProperties_areAppliedAndReadBack)
{
    PrinterProperties p = PrinterProperties::of(printer);
    p.paper.current = 1;
    p.source.current = 1;
    p.orientation = QPageLayout::Landscape;
    p.duplex.current = 1;
    p.colorMode.current = 1;
    p.resolution.current = 0;
    p.applyTo(printer);

    EXPECT_FALSE(printer.changed());
    const PrinterOutputSetup setup = printer.outputSetup();
    EXPECT_EQ(setup.paper->keyword, "B5");
    EXPECT_EQ(setup.source->keyword, "Lower");
    EXPECT_TRUE(setup.landscape);
    EXPECT_EQ(setup.duplex->keyword, "DuplexNoTumble");
    EXPECT_EQ(setup.colorMode->keyword, "monochrome");
    EXPECT_EQ(setup.resolution->keyword, "300dpi");
    EXPECT_EQ(PrinterProperties::of(printer), p);
}

TEST_F(JobOptionsTest, propertiesWithAValueOutsideTheList_leaveItAsItIs)
{
    // The driver names no default paper: the settings hold none of the list.
    PrinterDriverInfo odd = laserDriver();
    odd.defaultPaper = -1;
    service.printer("laser").driver = odd;

    PrinterProperties p = PrinterProperties::of(printer);
    EXPECT_EQ(p.paper.current, -1);
    p.duplex.current = 2;
    p.applyTo(printer);
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 2);
    PrinterErrorKind kind{};
    errorOf([&] { printer.paperSizeIndex(); }, &kind);
    EXPECT_EQ(kind, PrinterErrorKind::PaperSizeError) << "the paper was left as the driver has it";
}

TEST_F(JobOptionsTest, propertiesOfOnePrinter_areNotGivenToAnother)
{
    PrinterProperties p = PrinterProperties::of(printer);
    p.duplex.current = 1;
    printer.setIndex(1);
    try {
        p.applyTo(printer);
        FAIL() << "applied to another printer";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains("laser")) << e.message().toStdString();
    }
    printer.setIndex(0);
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 0);
}
