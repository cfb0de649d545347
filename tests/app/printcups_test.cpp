// A slip printed from the main window through the printer dialog to a real
// CUPS server: a private cupsd with a cups-pdf queue, started by the script
// of the printing layer's tests. Runs as root only (cupsd, and cups-pdf reads
// its configuration from /etc/cups); otherwise skipped with the reason.
#include "support/printfixture.h"
#include "support/shellfakes.h"

#include "support/pdftools.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/printcommands.h"
#include "print/cupsprintingservice.h"
#include "print/printerselection.h"
#include "print/widgets/printersettingdialog.h"
#include "support/fakequestions.h"

#include <QComboBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QtTest>

#include <unistd.h>

using namespace vendara;
using namespace vendara::test;
using vendara::testing::FakeQuestions;

namespace {

const QString kScript = QStringLiteral(VENDARA_CUPS_TEST_DIR "/start-cupsd.sh");

QString whyNotRunnable()
{
    if (::geteuid() != 0)
        return QStringLiteral("the CUPS tests run as root only (they start their own cupsd)");
    if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/sbin"}).isEmpty()
        || !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        return QStringLiteral("cupsd or cups-pdf is not installed");
    if (!havePdfTools())
        return QStringLiteral("poppler-utils are not installed");
    return {};
}

} // namespace

class PrintCupsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString why = whyNotRunnable();
        if (!why.isEmpty()) {
            // The line ctest takes for "skipped".
            std::printf("CUPS tests skipped: %s\n", qPrintable(why));
            QSKIP(qPrintable(why));
        }
        m_server = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vendara-cupsgui-XXXXXX"));
        QProcess script;
        QTcpServer probe; // a port nobody listens on now
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const QString port = QString::number(probe.serverPort());
        probe.close();
        script.start(QStringLiteral("bash"), {kScript, QStringLiteral("start"), m_server->path(), port});
        QVERIFY(script.waitForFinished(60000));
        QVERIFY2(script.exitCode() == 0, script.readAllStandardError().constData());
        for (const QString &line : QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype eq = line.indexOf(u'=');
            if (line.startsWith(QLatin1String("CUPS_")))
                qputenv(line.left(eq).toUtf8().constData(), line.mid(eq + 1).toUtf8());
        }
    }

    void cleanupTestCase()
    {
        if (m_server)
            QProcess::execute(QStringLiteral("bash"), {kScript, QStringLiteral("stop"), m_server->path()});
    }

    void printThroughTheDialog_putsTheSlipOnPaper()
    {
        ShellFixture f;
        copyShippedData(f.data->root());
        FakeBrowser browser;
        FakeMail mail;
        FakeQuestions &questions = f.questions;
        HelpPages pages{QStringLiteral("/help")};
        CupsPrintingService service;
        PrinterSelection printer(service);
        QVERIFY(f.session->start(QString()));
        MainWindow window(*f.session, questions, browser, pages, *f.recent);
        window.setPrintCommands(new PrintCommands(window, *f.session, printer, questions, mail, browser, pages));
        f.session->document().setText(SlipField::CustName, QStringLiteral("印刷花子"));

        whenModal<PrinterSettingDialog>([](PrinterSettingDialog *dialog) {
            auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printerBox"));
            const int index = printers->findText(QStringLiteral("vendara-pdf"));
            printers->setCurrentIndex(index);
            emit printers->activated(index); // as when the user picks it
            buttonWithText(dialog, QStringLiteral("印刷"))->click();
        });
        window.findChild<QAction *>(QStringLiteral("printAction"))->trigger();
        QVERIFY2(questions.errors.isEmpty(), qPrintable(questions.errors.join(u'\n')));

        // cups-pdf writes the job's file as the job ends: it may show before
        // it is whole, so the test waits until the slip can be read in it.
        const QDir out(m_server->path() + QStringLiteral("/out/pdf"));
        QStringList files;
        QString text;
        const bool printed = QTest::qWaitFor([&] {
            files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
            if (files.isEmpty())
                return false;
            text.clear();
            for (const PdfWord &word : pdfWords(out.filePath(files.first())))
                text += word.text;
            return text.contains(QStringLiteral("印刷花子"));
        }, 60000);
        QVERIFY2(printed, qPrintable(files.join(u' ') + u' ' + text.left(200)));
        QCOMPARE(files.size(), 1);
        QVERIFY(f.session->document().isModified());
    }

private:
    std::unique_ptr<QTemporaryDir> m_server;
};

QTEST_MAIN(PrintCupsTest)
#include "printcups_test.moc"
