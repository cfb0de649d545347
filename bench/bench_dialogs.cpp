// Windows opened from the slip and the menu, timed from building the window
// to its first paint (offscreen): the options dialog over the shipped data
// (budget 50 ms) and the acquisition-tax calculator with a filled slip's
// items (budget 30 ms). Each is timed twice: opened again and again in one
// process, and opened for the first time in a new process whose slip entry
// frame is already on screen, as the user first opens it in a session.
//
//   bench_dialogs                      run the benchmarks
//   bench_dialogs --first-open=WINDOW  in this process, show a filled slip,
//                                      then open WINDOW (options or
//                                      acquisition) once; prints the ms
#include "controls/widgets/messageboxquestions.h"
#include "masters/widgets/acquisitiontaxdialog.h"
#include "settings/settings.h"
#include "settings/widgets/optionsdialog.h"
#include "slip/slipdocument.h"
#include "slip/widgets/sliplookups.h"
#include "slip/widgets/slipframe.h"
#include "support/shippeddata.h"
#include "support/slipsamples.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

// Benchmarks never ask: a question would be a fault they should show.
static vendara::MessageBoxQuestions boxQuestions;

using namespace vendara;

namespace {

// Notes the first paint event of a window.
class FirstPaintWatch : public QObject
{
public:
    explicit FirstPaintWatch(QWidget *window) { window->installEventFilter(this); }
    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_seen = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

// Shows the window and runs events until it has painted; false when it
// never does.
bool showAndPaint(QWidget *window, const FirstPaintWatch &watch)
{
    window->show();
    const QDeadlineTimer deadline(10000);
    while (!watch.seen() && !deadline.hasExpired())
        QCoreApplication::processEvents();
    return watch.seen();
}

// Builds the window with `open` and shows it until it has painted; the
// window is destroyed outside the timing.
template<typename Window, typename Open>
void timeToFirstPaint(benchmark::State &state, Open open)
{
    for (auto _ : state) {
        std::unique_ptr<Window> window = open();
        FirstPaintWatch watch(window.get());
        const bool painted = showAndPaint(window.get(), watch);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the window did not paint");
            return;
        }
    }
}

// A data root holding the shipped data and settings file, read as at start.
struct ShippedRoot
{
    QTemporaryDir dir;
    DataFolder data{dir.path() + QStringLiteral("/")};
    Settings settings{data};

    ShippedRoot()
    {
        test::copyShippedData(dir.path());
        QFile::copy(QStringLiteral(VENDARA_SHIPPED_DATA "/") + DataFolder::settingsFileName(), data.settingsPath());
        settings.load();
    }
};

std::unique_ptr<OptionsDialog> openOptions(Settings &settings)
{
    return std::make_unique<OptionsDialog>(settings, boxQuestions);
}

// The calculator as the slip's button opens it, over a filled slip's items.
std::unique_ptr<AcquisitionTaxDialog> openAcquisitionTax(const SlipDocument &document)
{
    QList<AcquisitionTaxItem> items;
    for (const SlipDocument::AcquisitionItem &item : document.acquisitionTaxItems())
        items.append({item.name, item.price});
    auto dialog = std::make_unique<AcquisitionTaxDialog>();
    dialog->setItems(items);
    dialog->setRate(3);
    return dialog;
}

void BM_OpenOptionsDialog(benchmark::State &state)
{
    ShippedRoot root;
    timeToFirstPaint<OptionsDialog>(state, [&] { return openOptions(root.settings); });
}
BENCHMARK(BM_OpenOptionsDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenAcquisitionTaxDialog(benchmark::State &state)
{
    SlipDocument document;
    document.loadRecord(test::fullyFilledSlip());
    if (document.acquisitionTaxItems().isEmpty()) {
        state.SkipWithError("the filled slip has no taxable items");
        return;
    }
    timeToFirstPaint<AcquisitionTaxDialog>(state, [&] { return openAcquisitionTax(document); });
}
BENCHMARK(BM_OpenAcquisitionTaxDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

struct NoLookups : SlipLookups
{
    std::optional<ListPick> pickFromList(QWidget *, MasterList) override { return {}; }
    std::optional<int> pickTaxAmount(QWidget *, int) override { return {}; }
    std::optional<qint64> computeAcquisitionTax(QWidget *, const QList<AcquisitionItem> &) override { return {}; }
    std::optional<QString> pickEquipment(QWidget *, const QString &) override { return {}; }
    std::optional<QStringList> pickMemoLines(QWidget *) override { return {}; }
    std::optional<PostalPick> searchPostalCode(QWidget *, const QString &) override { return {}; }
};

// The child's part of the first-open benchmarks: a filled slip on screen,
// then the window opened once. Prints the milliseconds to its first paint.
int firstOpen(int argc, char **argv, const QString &which)
{
    QApplication app(argc, argv);
    ShippedRoot root;
    SlipDocument document;
    NoLookups lookups;
    SlipFrame frame(document, lookups, boxQuestions);
    frame.resize(1280, 1024);
    document.loadRecord(test::fullyFilledSlip());
    FirstPaintWatch framePainted(&frame);
    if (!showAndPaint(&frame, framePainted))
        return 1;

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QDialog> dialog;
    if (which == QStringLiteral("options"))
        dialog = openOptions(root.settings);
    else if (which == QStringLiteral("acquisition"))
        dialog = openAcquisitionTax(document);
    else
        return 2;
    FirstPaintWatch watch(dialog.get());
    if (!showAndPaint(dialog.get(), watch))
        return 1;
    std::printf("%f\n", double(clock.nsecsElapsed()) / 1e6);
    return 0;
}

void BM_FirstOpenInSession(benchmark::State &state, const char *which)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-open=") + QLatin1String(which)});
        child.waitForFinished(60000);
        bool ok = false;
        const double ms = child.readAllStandardOutput().trimmed().toDouble(&ok);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !ok) {
            state.SkipWithError("the child did not open the window");
            return;
        }
        state.SetIterationTime(ms / 1000);
    }
}
BENCHMARK_CAPTURE(BM_FirstOpenInSession, options, "options")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(BM_FirstOpenInSession, acquisition, "acquisition")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const char *option = "--first-open=";
    if (argc == 2 && std::strncmp(argv[1], option, std::strlen(option)) == 0)
        return firstOpen(argc, argv, QString::fromLatin1(argv[1] + std::strlen(option)));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
