// Rendering of a long print-data file: page files one page at a time (the
// whole 200 pages under 3 s) with memory flat in the page count, and the PDF
// written from those page files.
#include "shippedestimate.h"

#include "common/datafolder.h"
#include "common/textfile.h"
#include "print/pagerenderer.h"
#include "print/pageoutput.h"
#include "print/printergeometry.h"
#include "print/printfonts.h"
#include "print/printroad.h"
#include "print/pagerecorder.h"
#include "slip/slipdocument.h"
#include "support/slipsamples.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vendara;

namespace {

// One page like a filled-in estimate: ruled table, labels, right-aligned
// amounts, a hatched total row and the dealer's logo picture.
QStringList estimatePage(int page, const QString &logoPath)
{
    QStringList lines{
        QStringLiteral("font,\"ＭＳ 明朝\",80,1,0"),
        QStringLiteral("ctext,御見積書,1050,150"),
        QStringLiteral("font,\"ＭＳ ゴシック\",35,0,0"),
        QStringLiteral("text,\"山田 太郎 様\",150,350"),
        QStringLiteral("rtext,\"No. %1\",1950,350").arg(page, 8, 10, QLatin1Char('0')),
        QStringLiteral("pen,3,0,0"),
        QStringLiteral("lbox,150,500,1950,2600"),
        QStringLiteral("pen,0,0,0"),
        QStringLiteral("brush,6,8421504"),
        QStringLiteral("fill,150,2400,1950,2600"),
    };
    for (int row = 0; row < 20; ++row) {
        const int y = 500 + row * 95;
        lines.append(QStringLiteral("line,150,%1,1950,%1").arg(y + 95));
        lines.append(QStringLiteral("text,付属品%1 フロアマット,180,%2").arg(row).arg(y + 30));
        lines.append(QStringLiteral("rtext,\"%1\",1900,%2").arg(QLocale(QLocale::English).toString(1234 * (row + page + 1))).arg(y + 30));
    }
    lines.append(QStringLiteral("pict,1100,2650,1400,2750,\"%1\"").arg(logoPath));
    return lines;
}

// The print-data file of the given number of pages, with its logo picture
// (400 x 150 pixels, as a dealer's scanned logo), in dir.
QString writePrintData(const QString &dir, int pages)
{
    const QString logo = dir + QStringLiteral("/logo.jpg");
    QImage image(400, 150, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
    image.save(logo, "JPEG");
    QStringList lines;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            lines.append(QStringLiteral("page"));
        lines += estimatePage(p + 1, logo);
    }
    const QString path = dir + QStringLiteral("/PrTmpDat");
    textfile::writeLines(path, lines);
    return path;
}

// The peak resident set since the last reset, in MiB (Linux).
void resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

double peakMemoryMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Renders a print-data file of state.range(0) pages, with or without the PDF.
void renderPages(benchmark::State &state, bool writePdf)
{
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    const QString path = writePrintData(dir.path(), pages);
    const PrinterGeometry a4 = PrinterGeometry::forPaper(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    double peak = 0;
    for (auto _ : state) {
        resetPeakMemory();
        PageRecorder plot(a4, data.tmpDir(), QStringLiteral("1"));
        PageRenderer renderer(plot);
        renderer.render(path);
        if (writePdf)
            writePagesToPdf(plot, SheetSetup{}, dir.path() + QStringLiteral("/out.pdf"));
        benchmark::DoNotOptimize(plot.pageCount());
        peak = std::max(peak, peakMemoryMiB());
    }
    state.counters["peak_MiB"] = peak;
}

void BM_RenderPages(benchmark::State &state)
{
    renderPages(state, false);
}
BENCHMARK(BM_RenderPages)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_RenderPagesToPdf(benchmark::State &state)
{
    renderPages(state, true);
}
BENCHMARK(BM_RenderPagesToPdf)->Arg(4)->Arg(200)->Unit(benchmark::kMillisecond);

// The whole road in one process for four copies of the shipped estimate:
// temporary slip, generation, rendering and the PDF (budget 40 ms).
void BM_PrintShippedEstimateFourCopies(benchmark::State &state)
{
    QTemporaryDir dir;
    const DataFolder data(dir.path());
    SlipDocument slip;
    slip.loadRecord(test::workedTotalsSlip());
    const PrintJob job = bench::shippedEstimateJob();
    PrintRoad road(data, QStringLiteral("1"));
    for (auto _ : state) {
        const auto pages = road.render(slip, job);
        writePagesToPdf(*pages, SheetSetup{}, dir.path() + QStringLiteral("/out.pdf"));
    }
}
BENCHMARK(BM_PrintShippedEstimateFourCopies)->Unit(benchmark::kMillisecond);

// The same print as a user starts it: one vendara-cli process from start to
// exit, fonts, settings and all (budget 45 ms of CPU). The time is the CPU
// time of the child process alone.
void BM_PrintProcessFourCopies(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    const QByteArray cli = VENDARA_CLI;
    const QByteArray slip = VENDARA_TEST_FIXTURES "/slip/worked_totals.pvq";
    const QByteArray out = pdf.toLocal8Bit();
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            execl(cli.constData(), cli.constData(), "print", slip.constData(), "--pdf", out.constData(), "--copies",
                  "1,2,3,4", static_cast<char *>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("vendara-cli print failed");
            break;
        }
        const double seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_PrintProcessFourCopies)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
