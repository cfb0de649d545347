// The printer properties dialog ("プロパティ(&P)..." of the printer dialog),
// from construction to first shown and painted (budget 200 ms):
//   - over a queue with a large driver's choices (48 papers, 6 sources,
//     three two-sided modes, three colour modes, four resolutions) whose
//     facts the printer object already holds;
//   - the same after a choice has been applied, so the dialog reads the
//     driver again (the printer dialog applies every change at once);
//   - with CUPS_SERVER set, over the first queue of that server, the driver
//     read again each time (start one with tests/print/cups/start-cupsd.sh).
#include "controls/widgets/messageboxquestions.h"
#include "print/cupsprintingservice.h"
#include "support/fakeprintingservice.h"
#include "print/printerselection.h"
#include "print/widgets/printerpropertiesdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <memory>

// Benchmarks never ask: a question would be a fault they should show.
static vendara::MessageBoxQuestions boxQuestions;

using namespace vendara;

namespace {

PrinterDriverInfo largeDriver()
{
    PrinterDriverInfo d;
    d.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize) |
                        fieldBit(PrinterField::DefaultSource) | fieldBit(PrinterField::Duplex) |
                        fieldBit(PrinterField::Color) | fieldBit(PrinterField::PrintQuality);
    for (int i = 0; i < 48; ++i) {
        const int w = 10000 + 300 * i;
        const int h = 14800 + 400 * i;
        const QString keyword = QStringLiteral("Custom%1").arg(i);
        d.papers.append(PaperInfo{keyword, QStringLiteral("custom_%1_%2x%3mm").arg(i).arg(w / 100).arg(h / 100),
                                  QStringLiteral("用紙 %1 (%2 x %3 mm)").arg(i).arg(w / 100).arg(h / 100), QSize(w, h),
                                  QMargins(423, 423, 423, 423), true});
    }
    d.defaultPaper = 20;
    for (const char *slot : {"Auto", "Tray1", "Tray2", "Tray3", "Manual", "Envelope"})
        d.sources.append(PaperSource{QString::fromLatin1(slot), QStringLiteral("給紙 %1").arg(QLatin1String(slot)), true});
    d.defaultSource = 0;
    for (const char *keyword : {"None", "DuplexNoTumble", "DuplexTumble"}) {
        d.duplexModes.append(JobOptionChoice{QStringLiteral("Duplex"), QString::fromLatin1(keyword),
                                             jobOptionDisplayName(JobOption::Duplex, QString::fromLatin1(keyword)), {}});
    }
    d.defaultDuplex = 0;
    for (const char *keyword : {"auto", "color", "monochrome"}) {
        d.colorModes.append(JobOptionChoice{QStringLiteral("print-color-mode"), QString::fromLatin1(keyword),
                                            jobOptionDisplayName(JobOption::ColorMode, QString::fromLatin1(keyword)), {}});
    }
    d.defaultColorMode = 0;
    for (int dpi : {150, 300, 600, 1200}) {
        const QString keyword = QStringLiteral("%1dpi").arg(dpi);
        d.resolutions.append(JobOptionChoice{QStringLiteral("Resolution"), keyword,
                                             jobOptionDisplayName(JobOption::Resolution, keyword), QSize(dpi, dpi)});
    }
    d.defaultResolution = 2;
    d.resolutionCount = 4;
    d.resolution = QSize(600, 600);
    d.maxCopies = 999;
    return d;
}

// Notes the dialog's first paint.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// One opening: built over the printer, shown, processed until painted.
bool openProperties(PrinterSelection &printer)
{
    PrinterPropertiesDialog dialog(printer, boxQuestions);
    if (!dialog.isReady())
        return false;
    PaintWatch watch;
    dialog.installEventFilter(&watch);
    dialog.show();
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000)
        QApplication::processEvents();
    dialog.hide();
    return watch.painted;
}

void runOpenings(benchmark::State &state, PrinterSelection &printer, bool readDriverAgain)
{
    for (auto _ : state) {
        if (readDriverAgain) {
            state.PauseTiming();
            // A change applied in the printer dialog: the printer object
            // drops what it knew of the driver.
            printer.setOrientation(printer.orientation() == QPageLayout::Portrait ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
            printer.apply();
            state.ResumeTiming();
        }
        if (!openProperties(printer)) {
            state.SkipWithError("the dialog was not shown");
            return;
        }
    }
}

struct FakeQueue
{
    FakePrintingService service;
    std::unique_ptr<PrinterSelection> printer;

    FakeQueue()
    {
        PrinterInfo info;
        info.name = QStringLiteral("事務所のレーザー");
        info.isDefault = true;
        service.addPrinter(info, largeDriver());
        printer = std::make_unique<PrinterSelection>(service);
        printer->infoFlags(); // the printer dialog has read the driver
    }
};

void BM_PropertiesDialogShown(benchmark::State &state)
{
    FakeQueue queue;
    runOpenings(state, *queue.printer, false);
}
BENCHMARK(BM_PropertiesDialogShown)->Unit(benchmark::kMillisecond);

void BM_PropertiesDialogShownAfterApply(benchmark::State &state)
{
    FakeQueue queue;
    runOpenings(state, *queue.printer, true);
}
BENCHMARK(BM_PropertiesDialogShownAfterApply)->Unit(benchmark::kMillisecond);

void BM_PropertiesDialogShownOverCups(benchmark::State &state)
{
    CupsPrintingService service;
    PrinterSelection printer(service);
    try {
        if (!printer.hasPrinters()) {
            state.SkipWithError("the CUPS server has no printers");
            return;
        }
        state.SetLabel(printer.printerNames().value(printer.index()).toStdString());
    } catch (const Error &e) {
        state.SkipWithError(e.message().toStdString().c_str());
        return;
    }
    runOpenings(state, printer, true);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        benchmark::RegisterBenchmark("BM_PropertiesDialogShownOverCups", BM_PropertiesDialogShownOverCups)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
