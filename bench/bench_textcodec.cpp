// Decoding and encoding Shift-JIS text of the size of a large master file.
#include "common/cp932codec.h"
#include "common/iniprofile.h"

#include <benchmark/benchmark.h>

namespace {

QString sampleText(int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田%1\",0,0,0,0,0,0\r\n").arg(i);
    return text;
}

void BM_DecodeCp932(benchmark::State &state)
{
    const QByteArray bytes = vendara::cp932::encode(sampleText(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(vendara::cp932::decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeCp932)->Arg(1000)->Arg(124000)->Unit(benchmark::kMillisecond);

void BM_EncodeCp932(benchmark::State &state)
{
    const QString text = sampleText(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(vendara::cp932::encode(text));
}
BENCHMARK(BM_EncodeCp932)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_IniParse(benchmark::State &state)
{
    QString text;
    for (int s = 0; s < 11; ++s) {
        text += QStringLiteral("[Section%1]\r\n").arg(s);
        for (int k = 0; k < 25; ++k)
            text += QStringLiteral("Key%1=値%2\r\n").arg(k).arg(k * s);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(vendara::IniProfile::fromText(text));
}
BENCHMARK(BM_IniParse)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
