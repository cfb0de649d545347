// The print commands of the main window as a dealer uses them, against the
// private CUPS server of the printing tests (root only, as those tests):
//
//   BM_PreviewShown        印刷プレビュー triggered, to the first paint of the
//                          page in the preview window (budget 50 ms)
//   BM_PrintToCupsJob      印刷 pressed in the printer dialog, to the job
//                          handed to CUPS (budget 60 ms)
//
// The slip is the worked sample with the shipped data's formats and
// letterhead; the queue is a stopped one, so that no filter runs beside the
// measurement (its jobs are cancelled after each run).
#include "support/fakequestions.h"
#include "support/printfixture.h"
#include "support/shellfakes.h"
#include "support/shippeddata.h"
#include "support/slipsamples.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/printcommands.h"
#include "print/cupsprintingservice.h"
#include "print/printerselection.h"
#include "print/printfonts.h"
#include "print/widgets/previewsheetview.h"
#include "print/widgets/printersettingdialog.h"
#include "print/widgets/printpreviewwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <memory>
#include <optional>

using namespace vendara;
using namespace vendara::test;

namespace {

const QString kScript = QStringLiteral(VENDARA_CUPS_TEST_DIR "/start-cupsd.sh");
const QString kQueue = QStringLiteral("vendara-stopped");

// The private cupsd, started once for the whole program.
class PrivateCups
{
public:
    bool start()
    {
        if (::geteuid() != 0)
            return false;
        m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vendara-benchcups-XXXXXX"));
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return false;
        const QString port = QString::number(probe.serverPort());
        probe.close();
        QProcess script;
        script.start(QStringLiteral("bash"), {kScript, QStringLiteral("start"), m_dir->path(), port});
        if (!script.waitForFinished(60000) || script.exitCode() != 0)
            return false;
        for (const QString &line : QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype eq = line.indexOf(u'=');
            if (line.startsWith(QLatin1String("CUPS_")))
                qputenv(line.left(eq).toUtf8().constData(), line.mid(eq + 1).toUtf8());
        }
        return true;
    }
    ~PrivateCups()
    {
        if (m_dir)
            QProcess::execute(QStringLiteral("bash"), {kScript, QStringLiteral("stop"), m_dir->path()});
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

PrivateCups *cups = nullptr;

// The real service, with the moment each job was handed over.
class TimedService : public PrintingService
{
public:
    QList<PrinterInfo> printers() override { return m_real.printers(); }
    PrinterDriverInfo driverInfo(const QString &printer) override { return m_real.driverInfo(printer); }
    int submitJob(const PrintJobRequest &job) override
    {
        const int id = m_real.submitJob(job);
        if (clock)
            submittedAfterMs = double(clock->nsecsElapsed()) / 1e6;
        jobs.append(id);
        return id;
    }
    void cancelJob(const QString &printer, int jobId) override { m_real.cancelJob(printer, jobId); }

    const QElapsedTimer *clock = nullptr;
    double submittedAfterMs = -1;
    QList<int> jobs;

private:
    CupsPrintingService m_real;
};

// A main window on the worked sample slip with the shipped data.
struct Desk
{
    ShellFixture shell;
    FakeBrowser browser;
    FakeMail mail;
    HelpPages pages{QStringLiteral("/help")};
    TimedService service;
    PrinterSelection printer{service};
    std::unique_ptr<MainWindow> window;

    Desk()
    {
        copyShippedData(shell.data->root());
        shell.session->start(QString());
        shell.session->document().loadRecord(test::workedTotalsSlip());
        window = std::make_unique<MainWindow>(*shell.session, shell.questions, browser, pages, *shell.recent);
        window->setPrintCommands(
            new PrintCommands(*window, *shell.session, printer, shell.questions, mail, browser, pages));
        printer.setIndex(int(printer.printerNames().indexOf(kQueue)));
        printer.apply();
        window->show();
        QApplication::processEvents();
    }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QString::fromLatin1(name)); }
    void cancelJobs()
    {
        for (int id : std::as_const(service.jobs))
            service.cancelJob(kQueue, id);
        service.jobs.clear();
    }
};

// Paints the first page of a preview, notes the time and closes the window.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &clock) : m_clock(clock) {}
    std::optional<double> afterMs;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *sheet = qobject_cast<PreviewSheetView *>(watched);
        if (!sheet || event->type() != QEvent::Paint || afterMs || m_painting || !sheet->hasPage())
            return false;
        m_painting = true;
        QApplication::sendEvent(sheet, event);
        m_painting = false;
        afterMs = double(m_clock.nsecsElapsed()) / 1e6;
        if (auto *window = qobject_cast<PrintPreviewWindow *>(sheet->window()))
            QMetaObject::invokeMethod(window, &QDialog::reject, Qt::QueuedConnection);
        return true;
    }

private:
    const QElapsedTimer &m_clock;
    bool m_painting = false;
};

void BM_PreviewShown(benchmark::State &state)
{
    if (!cups) {
        state.SkipWithError("needs root and cupsd (the private server of the printing tests)");
        return;
    }
    Desk desk;
    for (auto _ : state) {
        QElapsedTimer clock;
        FirstPaint paint(clock);
        qApp->installEventFilter(&paint);
        clock.start();
        desk.action("previewAction")->trigger();
        qApp->removeEventFilter(&paint);
        if (!paint.afterMs || !desk.shell.questions.errors.isEmpty()) {
            state.SkipWithError("the preview did not show");
            return;
        }
        state.SetIterationTime(*paint.afterMs / 1000.0);
    }
}
BENCHMARK(BM_PreviewShown)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_PrintToCupsJob(benchmark::State &state)
{
    if (!cups) {
        state.SkipWithError("needs root and cupsd (the private server of the printing tests)");
        return;
    }
    Desk desk;
    for (auto _ : state) {
        QElapsedTimer clock;
        desk.service.clock = &clock;
        desk.service.submittedAfterMs = -1;
        whenModal<PrinterSettingDialog>([&clock](PrinterSettingDialog *dialog) {
            QAbstractButton *print = buttonWithText(dialog, QStringLiteral("印刷"));
            clock.start();
            print->click();
        });
        desk.action("printAction")->trigger();
        desk.cancelJobs();
        if (desk.service.submittedAfterMs < 0 || !desk.shell.questions.errors.isEmpty()) {
            state.SkipWithError("no job reached CUPS");
            return;
        }
        state.SetIterationTime(desk.service.submittedAfterMs / 1000.0);
    }
}
BENCHMARK(BM_PrintToCupsJob)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    PrivateCups server;
    if (server.start())
        cups = &server;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
