// Turning a page in the print preview of the shipped estimate (four copies,
// A4 at 600 dpi): loading the page file, playing it onto the sheet and
// painting the area, at fit width and whole page (budget 30 ms a page).
#include "shippedestimate.h"

#include "common/datafolder.h"
#include "controls/widgets/messageboxquestions.h"
#include "print/pagerecorder.h"
#include "print/printfonts.h"
#include "print/printroad.h"
#include "print/widgets/previewsheetview.h"
#include "print/widgets/printpreviewwindow.h"
#include "slip/slipdocument.h"
#include "support/slipsamples.h"

#include <QApplication>
#include <QScrollArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// Benchmarks never ask: a question would be a fault they should show.
static vendara::MessageBoxQuestions boxQuestions;

using namespace vendara;

namespace {

std::unique_ptr<PageRecorder> shippedEstimate(const DataFolder &data)
{
    SlipDocument slip;
    slip.loadRecord(test::workedTotalsSlip());
    const PrintJob job = bench::shippedEstimateJob();
    PrintRoad road(data, QStringLiteral("1"));
    return road.render(slip, job);
}

// One flip: the next page (wrapping to the first) shown and painted.
void flipPages(benchmark::State &state, bool wholePage)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    PrintPreviewWindow window(shippedEstimate(data), {QStringLiteral("printer"), QStringLiteral("600/600dpi"),
                                                      QStringLiteral("A4")},
                              boxQuestions);
    window.setWindowState(Qt::WindowNoState);
    window.resize(int(state.range(0)), int(state.range(1)));
    window.show();
    QApplication::processEvents();
    if (wholePage)
        window.zoomOut();
    QApplication::processEvents();
    for (auto _ : state) {
        window.showPage(window.currentPage() % window.pageCount() + 1);
        window.pageArea()->viewport()->repaint();
        window.sheetView()->repaint();
    }
    state.counters["sheet_px"] = double(window.sheetView()->sheetRect().width());
}

void BM_PreviewFlipFitWidth(benchmark::State &state)
{
    flipPages(state, false);
}
BENCHMARK(BM_PreviewFlipFitWidth)->Args({1280, 960})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_PreviewFlipWholePage(benchmark::State &state)
{
    flipPages(state, true);
}
BENCHMARK(BM_PreviewFlipWholePage)->Args({1280, 960})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
