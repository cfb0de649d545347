// Every action of the main window and every command of the preview runs
// through the action guard: with a printing service and a data folder that
// fail, each one ends in a message box and the window lives on.
#include "support/printfixture.h"
#include "support/shellfakes.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/printcommands.h"
#include "common/error.h"
#include "print/pagerecorder.h"
#include "print/printerselection.h"
#include "print/printingservice.h"
#include "print/widgets/printpreviewwindow.h"
#include "support/fakequestions.h"

#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <stdexcept>

using namespace vendara;
using namespace vendara::test;
using vendara::testing::FakeQuestions;

namespace {

const QString kServiceDown = QStringLiteral("印刷サービスに接続できません");

// A print server that does not answer: every call fails.
class FailingPrintingService final : public PrintingService
{
public:
    QList<PrinterInfo> printers() override { throw Error(kServiceDown); }
    PrinterDriverInfo driverInfo(const QString &) override { throw Error(kServiceDown); }
    int submitJob(const PrintJobRequest &) override { throw Error(kServiceDown); }
    void cancelJob(const QString &, int) override { throw Error(kServiceDown); }
};

// Makes every file of the data root unreachable: Dat becomes a plain file and
// the settings file a folder, so each read and each write fails.
void breakDataFolder(const DataFolder &data)
{
    const QString dat = data.root() + QStringLiteral("Dat");
    QVERIFY(QDir(dat).removeRecursively());
    QFile file(dat);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QFile::remove(data.settingsPath());
    QVERIFY(QDir().mkpath(data.settingsPath()));
}

} // namespace

class ActionGuardTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowActionWithFailingServices_showsErrorsAndKeepsWindow()
    {
        ShellFixture shell;
        copyShippedData(shell.data->root());
        shell.session->start(QString());
        FakeBrowser browser;
        FakeMail mail;
        FakeQuestions &questions = shell.questions;
        // Yes to whatever a window asks, "close without saving" included.
        questions.answer(true, 100);
        HelpPages pages{QStringLiteral("/help")};
        FailingPrintingService service;
        PrinterSelection printer(service);
        MainWindow window(*shell.session, questions, browser, pages, *shell.recent);
        window.setPrintCommands(new PrintCommands(window, *shell.session, printer, questions, mail, browser, pages));
        window.show();
        shell.session->document().setText(SlipField::CustName, QStringLiteral("山田 太郎"));
        breakDataFolder(*shell.data);
        // Save As lands in the broken folder too, so the slip stays unsaved
        // and 終了 asks (and is cancelled) instead of closing.
        questions.fileAnswers = QStringList(128, shell.data->root() + QStringLiteral("Dat/a.pdf"));

        const ModalCloser closer; // the version window does not fail: it would stall the test
        QStringList silent; // actions that failed without a word
        for (QAction *action : window.findChildren<QAction *>()) {
            if (action->isSeparator() || action->menu() || !action->isEnabled())
                continue;
            const qsizetype before = questions.errors.size() + questions.warnings.size();
            action->trigger();
            QCoreApplication::processEvents();
            QVERIFY2(window.isVisible(), qPrintable(action->objectName()));
            const bool said = questions.errors.size() + questions.warnings.size() > before;
            if (!said)
                silent << action->objectName();
        }
        // Every print command met the dead server and said so.
        for (const char *name : {"printAction", "previewAction", "printSetupAction", "exportPdfAction", "mailAction"})
            QVERIFY2(!silent.contains(QString::fromLatin1(name)), name);
        QVERIFY(questions.errors.contains(kServiceDown));
        // The slip is still the one typed, unsaved work included.
        QCOMPARE(shell.session->document().text(SlipField::CustName), QStringLiteral("山田 太郎"));
    }

    void everyPreviewCommandThatThrows_showsErrorAndKeepsWindow()
    {
        QTemporaryDir dir;
        FakeQuestions questions;
        questions.answer(true, 8);
        PrintPreviewWindow preview(recordedPages(dir.path()), {}, questions);
        preview.setPrintHandler([](PageRecorder &) { throw std::runtime_error("spooler gone"); });
        preview.addCommand(QStringLiteral("PDFに出力(&D)..."), [] { throw Error(QStringLiteral("書き込めません")); });
        preview.show();
        for (QToolButton *button : preview.findChildren<QToolButton *>()) {
            if (!button->isEnabled() || button->accessibleName() == QStringLiteral("閉じる"))
                continue;
            button->click();
            QVERIFY2(preview.isVisible(), qPrintable(button->accessibleName()));
        }
        QVERIFY(questions.errors.contains(QStringLiteral("書き込めません")));
        QVERIFY(std::any_of(questions.errors.cbegin(), questions.errors.cend(),
                            [](const QString &e) { return e.contains(QStringLiteral("spooler gone")); }));
    }
};

QTEST_MAIN(ActionGuardTest)
#include "actionguard_test.moc"
