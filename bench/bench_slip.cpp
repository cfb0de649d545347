// Slip computations and slip files: the totals and plan of a fully filled
// slip (budget 50 µs) and a write + read round trip (budget 2 ms).
#include "support/slipsamples.h"
#include "slip/slipcalc.h"
#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include "common/cp932codec.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vendara;

void BM_RecalcTotalsAndPlan(benchmark::State &state)
{
    const SlipRecord filled = test::fullyFilledSlip();
    const SlipComputation computation = SlipComputation::of(filled.tax, 90);
    SlipRecord slip = filled;
    for (auto _ : state) {
        slip.car.price = filled.car.price + double(state.iterations() % 2); // a real change each time
        benchmark::DoNotOptimize(recalcTotals(slip, computation));
    }
}
BENCHMARK(BM_RecalcTotalsAndPlan)->Unit(benchmark::kMicrosecond);

// The whole round trip through a file. Each save is flushed to disk before
// it replaces the old file, so on a disk-backed folder the flush dominates;
// the second run uses /dev/shm (memory) to show the program's own share.
void BM_WriteAndReadSlip(benchmark::State &state)
{
    const bool inMemory = state.range(0) == 1;
    if (inMemory && !QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        state.SkipWithError("no /dev/shm");
        return;
    }
    QTemporaryDir dir(inMemory ? QStringLiteral("/dev/shm/bench_slip-XXXXXX") : QString());
    const QString path = dir.filePath(QStringLiteral("bench.pvq"));
    SlipDocument document;
    document.loadRecord(test::fullyFilledSlip());
    SlipDocument back;
    for (auto _ : state) {
        writeSlip(document, path);
        readSlip(back, path);
        benchmark::DoNotOptimize(back.record().price.last);
    }
    state.SetLabel(inMemory ? "memory folder" : "disk folder");
}
BENCHMARK(BM_WriteAndReadSlip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the file system: the slip's keys into the profile of the
// existing file, its Shift-JIS text, and back into a record.
void BM_SlipTextRoundTrip(benchmark::State &state)
{
    SlipRecord slip = test::fullyFilledSlip();
    recalcTotals(slip, SlipComputation::of(slip.tax, 90));
    IniProfile existing;
    writeSlipProfile(slip, existing);
    const QString existingText = existing.toText();
    for (auto _ : state) {
        IniProfile ini = IniProfile::fromText(existingText);
        writeSlipProfile(slip, ini);
        const QByteArray bytes = cp932::encode(ini.toText());
        const SlipRecord back = readSlipProfile(IniProfile::fromText(cp932::decode(bytes)), QDate(2026, 12, 7));
        benchmark::DoNotOptimize(back.price.last);
    }
}
BENCHMARK(BM_SlipTextRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
