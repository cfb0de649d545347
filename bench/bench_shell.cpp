// The application shell: a cold start of the whole program with a slip file
// until its window is up and answering (budget 400 ms), and Open of a fully
// filled slip in a running window (budget 20 ms).
#include "support/slipsamples.h"
#include "app/documentsession.h"
#include "app/platform/localinstanceregistry.h"
#include "app/platformservices.h"
#include "app/recentfiles.h"
#include "common/questions.h"
#include "slip/slipfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

using namespace vendara;

// The process counts as started when its window answers on the file's
// socket: the socket is served by the event loop, which runs only after the
// window has been shown.
void BM_ColdStartWithSlip(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString runtime = dir.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString slip = dir.filePath(QStringLiteral("full.pvq"));
    SlipDocument document;
    document.loadRecord(test::fullyFilledSlip());
    writeSlip(document, slip);
    const QString canonical = QFileInfo(slip).canonicalFilePath();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    LocalInstanceRegistry probe(runtime);

    for (auto _ : state) {
        QElapsedTimer timer;
        QProcess process;
        process.setProcessEnvironment(env);
        timer.start();
        process.start(QStringLiteral(VENDARA_GUI), {slip});
        bool up = false;
        while (!up && timer.elapsed() < 10000 && process.state() != QProcess::NotRunning) {
            up = probe.isShownElsewhere(canonical);
            if (!up)
                QThread::usleep(500);
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        process.kill();
        process.waitForFinished();
        if (!up) {
            state.SkipWithError("the program did not come up");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ColdStartWithSlip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

class NoQuestions : public Questions
{
public:
    bool confirm(const QString &, bool = false) override { return false; }
    Answer confirmOrCancel(const QString &, bool) override { return Answer::Cancel; }
    void error(const QString &) override {}
    void warn(const QString &) override {}
    void inform(const QString &) override {}
    void acknowledge(const QString &) override {}
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFileToOpen(const QString &, const QString &, const QString & = QString()) override { return {}; }
    QString chooseFileToSave(const QString &, const QString &, const QString &,
                             Overwrite = Overwrite::DialogAsks) override
    {
        return {};
    }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
};

class NoOtherProcesses : public InstanceRegistry
{
public:
    bool activate(const QString &) override { return false; }
    bool isShownElsewhere(const QString &) override { return false; }
    bool claim(const QString &) override { return true; }
};

class NoLauncher : public ProcessLauncher
{
public:
    bool startProgram(const QStringList &) override { return false; }
};

// Open of a fully filled slip: the file check, the read, the recent-files
// list. Two files take turns, since opening the file a window shows only
// brings it forward.
void BM_OpenFullSlip(benchmark::State &state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("root/Dat"));
    const QString a = dir.filePath(QStringLiteral("a.pvq"));
    const QString b = dir.filePath(QStringLiteral("b.pvq"));
    SlipDocument document;
    document.loadRecord(test::fullyFilledSlip());
    writeSlip(document, a);
    writeSlip(document, b);

    NoQuestions questions;
    NoOtherProcesses instances;
    NoLauncher launcher;
    RecentFiles recent(dir.filePath(QStringLiteral("recent-files")));
    DocumentSession session(DataFolder(dir.filePath(QStringLiteral("root"))), questions, instances, launcher, recent);
    session.start(QString());
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        if (session.openFile(flip ? a : b) != DocumentSession::OpenResult::Opened) {
            state.SkipWithError("open failed");
            return;
        }
    }
}
BENCHMARK(BM_OpenFullSlip)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
