// The printing layer against a real CUPS server: a private cupsd started by
// start-cupsd.sh with a cups-pdf queue, a file: queue whose PPD has input
// slots and uneven margins, a stopped queue and one that rejects jobs. Runs
// as root only (cupsd, and cups-pdf reads its configuration from /etc/cups);
// otherwise every test is skipped with the reason.
#include "support/pdftools.h"
#include "support/testdata.h"

#include "common/error.h"
#include "print/cupsprintingservice.h"
#include "print/pagerecorder.h"
#include "print/printerproperties.h"
#include "print/printerselection.h"
#include "print/printoutput.h"
#include "print/printroad.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>

using namespace vendara;
using namespace vendara::test;

namespace {

const QString kScript = QStringLiteral(VENDARA_CUPS_TEST_DIR "/start-cupsd.sh");
const QString kSlip = QStringLiteral(VENDARA_TEST_FIXTURES "/slip/worked_plan.pvq");
const QString kEstimateFormat = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/Fmt/見積書_A4.fmt");

// A port nobody listens on now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// The one server of this test program, started before the first test and
// stopped after the last.
class CupsServer : public ::testing::Environment
{
public:
    static CupsServer *instance;

    void SetUp() override
    {
        if (::geteuid() != 0) {
            skip("the CUPS tests run as root only (they start their own cupsd)");
            return;
        }
        if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"}).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {"/usr/sbin", "/usr/bin"}).isEmpty() ||
            !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
            skip("cupsd, lpadmin or cups-pdf is not installed (packages cups, cups-client, printer-driver-cups-pdf)");
            return;
        }
        // A short folder: the socket path must stay under about 107 bytes.
        dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vendara-cups-XXXXXX"));
        QProcess script;
        script.start(QStringLiteral("bash"), {kScript, QStringLiteral("start"), dir->path(), QString::number(freePort())});
        const bool finished = script.waitForFinished(60000);
        const QString out = QString::fromUtf8(script.readAllStandardOutput());
        if (!finished || script.exitCode() != 0) {
            skipReason = "the private cupsd did not start: " + script.readAllStandardError().toStdString();
            failedToStart = true;
            return;
        }
        for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype eq = line.indexOf(u'=');
            if (line.startsWith(QLatin1String("CUPS_")))
                qputenv(line.left(eq).toUtf8().constData(), line.mid(eq + 1).toUtf8());
        }
        running = true;
    }

    void TearDown() override
    {
        if (dir)
            QProcess::execute(QStringLiteral("bash"), {kScript, QStringLiteral("stop"), dir->path()});
        dir.reset();
    }

    // The line ctest takes for "skipped" (see tests/print/CMakeLists.txt).
    void skip(const std::string &reason)
    {
        skipReason = reason;
        std::printf("CUPS tests skipped: %s\n", reason.c_str());
    }

    QString outDir() const { return dir->path() + QStringLiteral("/out"); }

    std::unique_ptr<QTemporaryDir> dir;
    bool running = false;
    bool failedToStart = false;
    std::string skipReason;
};

CupsServer *CupsServer::instance = nullptr;
// Registered before main runs; gtest owns it.
[[maybe_unused]] const auto *const kServer = ::testing::AddGlobalTestEnvironment(CupsServer::instance = new CupsServer);

// The state of a job, after waiting until it has ended (or `wait` ran out).
ipp_jstate_t jobState(const QString &printer, int jobId, int waitMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        ipp_jstate_t state = IPP_JSTATE_PENDING;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id == jobId)
                state = jobs[i].state;
        }
        cupsFreeJobs(count, jobs);
        if (state >= IPP_JSTATE_CANCELED || timer.elapsed() > waitMs)
            return state;
        QThread::msleep(100);
    }
}

class CupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CupsServer &server = *CupsServer::instance;
        if (server.failedToStart)
            FAIL() << server.skipReason;
        if (!server.running)
            GTEST_SKIP() << server.skipReason;
        ASSERT_TRUE(data.isValid());
        QDir().mkpath(data.path() + QStringLiteral("/Dat/Tmp"));
    }

    CliResult print(const QStringList &options)
    {
        return runCli(QStringList{"--data-dir", data.path(), "print", kSlip, "--format", kEstimateFormat} + options);
    }

    static int jobIdOf(const CliResult &r)
    {
        static const QRegularExpression job(QStringLiteral("job\\t(\\d+)"));
        const auto m = job.match(r.out);
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }

    QStringList tmpFiles() const { return QDir(data.path() + QStringLiteral("/Dat/Tmp")).entryList(QDir::Files); }

    QTemporaryDir data;
    CupsPrintingService service;
};

} // namespace

TEST_F(CupsTest, printerFactsAndTheDriversPrintableAreaComeThroughThePrinterObject)
{
    PrinterSelection printer(service);
    EXPECT_EQ(printer.printerNames(),
              (QStringList{"vendara-pdf", "vendara-rejecting", "vendara-slots", "vendara-stopped"}));
    EXPECT_EQ(printer.index(), 2) << "the default printer is current";
    const PrinterInfo info = printer.currentPrinter();
    EXPECT_EQ(info.driver, "Vendara Test Printer");
    EXPECT_EQ(info.deviceUri, "file:" + CupsServer::instance->outDir() + "/slots.ps");
    EXPECT_EQ(info.description, "Slots test printer");
    EXPECT_EQ(info.location, "Test bench");
    EXPECT_EQ(printerStatusText(info), "準備完了");

    EXPECT_EQ(printer.paperSizeNames(), (QStringList{"A4 (210 x 297 mm)", "B5 (JIS)", "US Letter"}));
    EXPECT_EQ(printer.paperSizeNumbers(), (QList<int>{9, 13, 1}));
    EXPECT_EQ(printer.paperSizeIndex(), 0);
    EXPECT_EQ(printer.sourceNames(), (QStringList{"Upper Tray", "Lower Tray", "Manual Feed"}));
    EXPECT_EQ(printer.sourceNumbers(), (QList<int>{1, 2, 4}));
    EXPECT_EQ(printer.sourceIndex(), 0);
    EXPECT_EQ(printer.resolutionCount(), 2);
    EXPECT_EQ(printer.infoFlags() & 7, 7);

    // The PPD's A4 is 595 x 842 points with borders of 4, 5, 8 and 6 mm
    // (left, top, right, bottom), at 600 dpi.
    EXPECT_EQ(printer.resolution(), QSize(600, 600));
    EXPECT_EQ(printer.physicalSize(), QSize(4958, 7016));
    EXPECT_EQ(printer.printableOffset(), QPoint(94, 118));
    EXPECT_EQ(printer.printableSize(), QSize(4674, 6756));
    EXPECT_EQ(printer.pageSize(), QSize(2098, 2970));

    printer.setOrientation(QPageLayout::Landscape);
    printer.apply();
    EXPECT_EQ(printer.printableOffset(), QPoint(141, 94));

    // A queue through cups-pdf: its PPD's A4 is the default, found as the
    // queue's media default (the plain media default would say Letter).
    printer.setIndex(0);
    EXPECT_EQ(printer.paperSizeNumber(), 9);
}

TEST_F(CupsTest, thePrintersCommandListsWhatThePrinterObjectKnows)
{
    const CliResult r = runCli({"--data-dir", data.path(), "printers"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const qsizetype from = r.out.indexOf(QStringLiteral("2\tvendara-slots"));
    const QString slotsPrinter = r.out.mid(from, r.out.indexOf(QStringLiteral("\n3\t"), from) + 1 - from);
    EXPECT_TRUE(r.out.contains("2\tvendara-slots\tdefault\n")) << r.out.toStdString();
    for (const char *line : {"\tstatus\t準備完了\n", "\tdriver\tVendara Test Printer\n", "\tlocation\tTest bench\n",
                             "\tpaper\t9\tA4 (210 x 297 mm)\t*\n", "\tpaper\t13\tB5 (JIS)\n",
                             "\tsource\t1\tUpper Tray\t*\n", "\tsource\t2\tLower Tray\n", "\tresolution\t600/600dpi\n",
                             "\tsheet\t4958x7016 dots\t2098x2970 (0.1 mm)", "\tprintable\t94,118 dots\t4674x6756 dots\n"})
        EXPECT_TRUE(slotsPrinter.contains(QString::fromUtf8(line))) << line << " missing in\n" << slotsPrinter.toStdString();
    EXPECT_TRUE(r.out.contains("3\tvendara-stopped\n\tstatus\t停止中 (paused)\n")) << r.out.toStdString();
}

TEST_F(CupsTest, aStoppedQueueShowsStoppedAndARejectingOneNeedsLooking)
{
    PrinterSelection printer(service);
    printer.setIndex(int(printer.printerNames().indexOf("vendara-stopped")));
    EXPECT_EQ(printerStatusText(printer.currentPrinter()), "停止中");
    printer.setIndex(int(printer.printerNames().indexOf("vendara-rejecting")));
    EXPECT_EQ(printerStatusText(printer.currentPrinter()), "要調査");
}

TEST_F(CupsTest, twoCopiesAreOneJobWithTheSlipOnItsPages)
{
    if (!havePdfTools())
        GTEST_SKIP() << "poppler-utils are not installed";
    const CliResult r = print({"--printer", "vendara-pdf", "--copies", "1,3", "--titles", "甲見積書,乙,丙控書,丁"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("pages\t2")) << r.out.toStdString();
    const int jobId = jobIdOf(r);
    ASSERT_GT(jobId, 0) << r.out.toStdString();
    EXPECT_TRUE(tmpFiles().isEmpty()) << tmpFiles().join(u' ').toStdString();
    ASSERT_EQ(jobState("vendara-pdf", jobId), IPP_JSTATE_COMPLETED);

    // cups-pdf names its files after the job; this job's one file.
    const QDir out(CupsServer::instance->outDir() + "/pdf");
    QStringList files;
    for (const QString &name : out.entryList({"*.pdf"}, QDir::Files)) {
        if (name.contains(QStringLiteral("job_%1.").arg(jobId)) || name.startsWith(QStringLiteral("job_%1-").arg(jobId)))
            files << out.filePath(name);
    }
    if (files.isEmpty()) // a cups-pdf that names files otherwise: the only file there is
        for (const QString &name : out.entryList({"*.pdf"}, QDir::Files))
            files << out.filePath(name);
    ASSERT_EQ(files.size(), 1) << out.entryList().join(u' ').toStdString();

    EXPECT_EQ(pdfPageCount(files.first()), 2);
    EXPECT_EQ(pdfPageSize(files.first()).toSize(), QSize(595, 842));
    QString first;
    QString second;
    const QList<PdfWord> printed = pdfWords(files.first());
    for (const PdfWord &w : printed)
        (w.page == 1 ? first : second) += w.text;
    EXPECT_TRUE(first.contains("甲見積書")) << first.toStdString();
    EXPECT_TRUE(second.contains("丙控書")) << second.toStdString();

    // Where the words lie on paper: as on the sheet of the same slip written
    // as a PDF, neither scaled to the printable area nor shifted by it.
    const QString reference = data.filePath("reference.pdf");
    const CliResult pdf = print({"--pdf", reference, "--copies", "1,3", "--titles", "甲見積書,乙,丙控書,丁"});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    const QList<PdfWord> expected = pdfWords(reference);
    ASSERT_FALSE(expected.isEmpty());
    int compared = 0;
    for (const PdfWord &want : expected) {
        for (const PdfWord &got : printed) {
            if (got.page == want.page && got.text == want.text && std::abs(got.box.top() - want.box.top()) < 3) {
                EXPECT_NEAR(got.box.left(), want.box.left(), 1.0) << want.text.toStdString();
                ++compared;
                break;
            }
        }
    }
    EXPECT_GT(compared, expected.size() / 2);
}

TEST_F(CupsTest, theChosenPaperSizeAndSourceReachThePrinter)
{
    const QString output = CupsServer::instance->outDir() + "/slots.ps";
    QFile::remove(output);
    const CliResult r = print({"--printer", "vendara-slots", "--paper", "B5 (JIS)", "--source", "Lower Tray", "--copies", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(jobState("vendara-slots", jobIdOf(r)), IPP_JSTATE_COMPLETED);
    const QByteArray ps = readBytes(output);
    EXPECT_TRUE(ps.contains("%%BeginFeature: *InputSlot Lower")) << "no InputSlot Lower in the PostScript";
    EXPECT_TRUE(ps.contains("%%BeginFeature: *PageSize B5"));
    EXPECT_EQ(ps.count("%%Page: "), 1);
    EXPECT_TRUE(ps.contains("%%PageBoundingBox: 0 0 516 729")) << "the page is not the B5 sheet";
}

TEST_F(CupsTest, twoSidedPrintingColourAndResolutionComeFromThePpdAndReachThePrinter)
{
    PrinterSelection printer(service);
    ASSERT_EQ(printer.printerNames().value(printer.index()), "vendara-slots");
    EXPECT_EQ(printer.choiceNames(JobOption::Duplex), (QStringList{"片面", "両面 (長辺とじ)", "両面 (短辺とじ)"}));
    EXPECT_EQ(printer.choiceIndex(JobOption::Duplex), 0);
    EXPECT_EQ(printer.choiceNames(JobOption::ColorMode), (QStringList{"モノクロ", "カラー"}));
    EXPECT_EQ(printer.choiceIndex(JobOption::ColorMode), 0);
    EXPECT_EQ(printer.choiceNames(JobOption::Resolution), (QStringList{"300 dpi", "600 dpi"}));
    EXPECT_EQ(printer.choiceIndex(JobOption::Resolution), 1);

    // Chosen as the properties dialog hands them back.
    PrinterProperties properties = PrinterProperties::of(printer);
    properties.duplex.current = 1;
    properties.colorMode.current = 1;
    properties.resolution.current = 0;
    properties.applyTo(printer);
    EXPECT_EQ(printer.resolution(), QSize(300, 300));

    const QString output = CupsServer::instance->outDir() + "/slots.ps";
    QFile::remove(output);
    const QString printData = data.filePath("data.txt");
    writeSjisLines(printData, {QStringLiteral("font,\"ＭＳ ゴシック\",40,0,0"), QStringLiteral("text,表,0,1000"),
                               QStringLiteral("page"), QStringLiteral("text,裏,0,1000")});
    auto pages = renderPrintData(printData, printer.geometry(), QPoint(), data.path() + "/Dat/Tmp", "5");
    ASSERT_TRUE(pages);
    const PrintOutputResult result = printPages(printer, *pages, false);
    ASSERT_EQ(result.outcome, PrintOutcome::Submitted);
    ASSERT_EQ(jobState("vendara-slots", result.jobId), IPP_JSTATE_COMPLETED);
    const QByteArray ps = readBytes(output);
    EXPECT_TRUE(ps.contains("%%BeginFeature: *Duplex DuplexNoTumble")) << "no Duplex DuplexNoTumble in the PostScript";
    EXPECT_TRUE(ps.contains("%%BeginFeature: *ColorModel RGB")) << "no ColorModel RGB in the PostScript";
    EXPECT_TRUE(ps.contains("%%BeginFeature: *Resolution 300dpi")) << "no Resolution 300dpi in the PostScript";
    EXPECT_EQ(ps.count("%%Page: "), 2);
}

TEST_F(CupsTest, aHeldJobCanBeCancelledAndLeavesNoOutput)
{
    const QString output = CupsServer::instance->outDir() + "/slots.ps";
    QFile::remove(output);
    PrintJobRequest job;
    job.printer = "vendara-slots";
    {
        QBuffer buffer(&job.pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.drawText(QPointF(100, 100), QStringLiteral("held"));
    }
    job.extraOptions = {{"job-hold-until", "indefinite"}};
    const int id = service.submitJob(job);
    ASSERT_GT(id, 0);
    EXPECT_EQ(jobState("vendara-slots", id, 500), IPP_JSTATE_HELD);
    service.cancelJob("vendara-slots", id);
    EXPECT_EQ(jobState("vendara-slots", id), IPP_JSTATE_CANCELED);
    QThread::msleep(300);
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(CupsTest, failuresOfThePrintingSystemAreReportedNeverPrinted)
{
    // A queue that rejects jobs.
    CliResult r = print({"--printer", "vendara-rejecting"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.out.contains("job\t")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("vendara-rejecting")) << r.err.toStdString();
    EXPECT_TRUE(tmpFiles().isEmpty()) << tmpFiles().join(u' ').toStdString();

    // A printer that is not there.
    r = print({"--printer", "nowhere"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("nowhere"));

    // A server that is gone is not "no printers".
    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", CupsServer::instance->dir->path().toUtf8() + "/gone.sock");
    r = runCli({"--data-dir", data.path(), "printers"});
    qputenv("CUPS_SERVER", server);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("CUPS")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("No Printer")) << r.err.toStdString();
}

TEST_F(CupsTest, aServerWithoutPrintersGivesNoPrinterAndWritesNothing)
{
    QTemporaryDir emptyDir(QStringLiteral("/tmp/vendara-cups-XXXXXX"));
    QProcess script;
    script.start(QStringLiteral("bash"), {kScript, QStringLiteral("start"), emptyDir.path(), QString::number(freePort()),
                                          QStringLiteral("empty")});
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    struct StopServer
    {
        QString dir;
        ~StopServer() { QProcess::execute(QStringLiteral("bash"), {kScript, QStringLiteral("stop"), dir}); }
    } stop{emptyDir.path()};

    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", emptyDir.path().toUtf8() + "/cups/cups.sock");
    const CliResult listed = runCli({"--data-dir", data.path(), "printers"});
    const CliResult printed = print({});
    qputenv("CUPS_SERVER", server);

    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_TRUE(listed.err.contains("TNkPrinter.CheckNoPrinter: No Printer")) << listed.err.toStdString();
    EXPECT_EQ(printed.exitCode, 1);
    EXPECT_TRUE(printed.err.contains("TNkPrinter.CheckNoPrinter: No Printer")) << printed.err.toStdString();
    EXPECT_TRUE(tmpFiles().isEmpty()) << tmpFiles().join(u' ').toStdString();
}
