// The print commands of the main window over an in-memory printer: the
// printer dialog's values taken back, preview, print, PDF output and mail.
#include "support/printfixture.h"
#include "support/shellfakes.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "app/widgets/printcommands.h"
#include "support/fakeprintingservice.h"
#include "print/printerselection.h"
#include "print/widgets/printersettingdialog.h"
#include "print/widgets/printpreviewwindow.h"
#include "support/fakequestions.h"

#include <QDirIterator>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace vendara;
using namespace vendara::test;
using vendara::testing::FakeQuestions;

namespace {

// The main window of a changed slip with print commands over one A4 printer.
struct PrintFixture : ShellFixture
{
    FakeBrowser browser;
    FakeMail mail;
    HelpPages pages{QStringLiteral("/help")};
    FakePrintingService service;
    std::unique_ptr<PrinterSelection> printer;
    std::unique_ptr<MainWindow> window;

    PrintFixture()
    {
        copyShippedData(data->root());
        PrinterInfo info;
        info.name = QStringLiteral("office");
        info.isDefault = true;
        service.addPrinter(info, a4Driver());
        printer = std::make_unique<PrinterSelection>(service);
        session->start(QString());
        window = std::make_unique<MainWindow>(*session, questions, browser, pages, *recent);
        window->setPrintCommands(new PrintCommands(*window, *session, *printer, questions, mail, browser, pages));
        session->document().setText(SlipField::CustName, QStringLiteral("山田 太郎"));
    }

    void trigger(const char *action) { window->findChild<QAction *>(QString::fromLatin1(action))->trigger(); }
    QStringList tmpFiles() const
    {
        return QDir(data->tmpDir()).entryList(QDir::Files | QDir::Hidden);
    }
};

} // namespace

class PrintCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void printThroughTheDialog_takesTitlesBackAndSubmitsOneJob()
    {
        PrintFixture f;
        whenModal<PrinterSettingDialog>([](PrinterSettingDialog *dialog) {
            auto *grid = dialog->findChild<QTableWidget *>(QStringLiteral("titleGrid"));
            grid->item(0, 0)->setText(QStringLiteral("御見積書"));
            buttonWithText(dialog, QStringLiteral("印刷"))->click();
        });
        f.trigger("printAction");
        QCOMPARE(f.service.jobs().size(), 1);
        QCOMPARE(f.session->printSettings().titlesOf(DocumentKind::Estimate)[0], QStringLiteral("御見積書"));
        QVERIFY(f.session->document().isModified());
        QVERIFY(f.window->windowTitle().endsWith(QStringLiteral(" <更新>")));
        // Only the temporary slip is left: page files and print data are gone.
        QCOMPARE(f.tmpFiles(), QStringList{QFileInfo(f.session->tempSlipPath()).fileName()});
        QCOMPARE(f.session->settings().correctionX(), 0.0);
    }

    void printSetupCancelled_keepsSettingsButStoresCorrections()
    {
        PrintFixture f;
        const CopyTitles before = f.session->printSettings().titlesOf(DocumentKind::Estimate);
        whenModal<PrinterSettingDialog>([](PrinterSettingDialog *dialog) {
            dialog->findChild<QTableWidget *>(QStringLiteral("titleGrid"))->item(0, 0)->setText(QStringLiteral("x"));
            dialog->setCurrentSettings(CopyTitles{}, CopySwitches{}, QString(), QString(), 2.5f, -1.0f);
            dialog->reject();
        });
        f.trigger("printSetupAction");
        QVERIFY(f.service.jobs().isEmpty());
        QVERIFY(f.session->printSettings().titlesOf(DocumentKind::Estimate) == before);
        QCOMPARE(f.session->printSettings().correctionX, 0.0f);
        QCOMPARE(f.session->settings().correctionX(), 2.5);
        QCOMPARE(f.session->settings().correctionY(), -1.0);
    }

    void preview_printsAfterQuestionAndLeavesSlipModified()
    {
        PrintFixture f;
        f.questions.answer(true);
        QString counter;
        whenModal<PrintPreviewWindow>([&counter](PrintPreviewWindow *preview) {
            counter = preview->counterText();
            buttonWithText(preview, QStringLiteral("印刷(&P)"))->click();
        });
        f.trigger("previewAction");
        QCOMPARE(counter, QStringLiteral("01/02")); // the estimate and its copy
        QCOMPARE(f.questions.asked, QStringList{QStringLiteral("印刷しますか？")});
        QCOMPARE(f.service.jobs().size(), 1);
        QVERIFY(f.window->windowTitle().endsWith(QStringLiteral(" <更新>")));
        QCOMPARE(f.tmpFiles(), QStringList{QFileInfo(f.session->tempSlipPath()).fileName()});
    }

    void exportPdf_writesTheSlipAndRemembersTheFolder()
    {
        PrintFixture f;
        const QString pdf = f.dir.filePath(QStringLiteral("out/mine"));
        QDir().mkpath(QFileInfo(pdf).path());
        f.questions.fileAnswers = {pdf};
        f.trigger("exportPdfAction");
        QVERIFY(f.questions.presets.value(0).endsWith(QStringLiteral(".pdf")));
        QVERIFY(QFile::exists(pdf + QStringLiteral(".pdf")));
        QCOMPARE(f.session->settings().pdfFolder(), QFileInfo(pdf).absolutePath());
        QVERIFY(f.service.jobs().isEmpty());
    }

    void mailWithoutMailProgram_saysWhereThePdfIs()
    {
        PrintFixture f;
        f.mail.available = false;
        f.trigger("mailAction");
        QCOMPARE(f.mail.attached.size(), 1);
        QVERIFY(QFile::exists(f.mail.attached[0]));
        const QString folder = QFileInfo(f.mail.attached[0]).absolutePath();
        QVERIFY(f.questions.errors.value(0).contains(QDir::toNativeSeparators(folder)));
        QCOMPARE(f.browser.opened.value(0), QUrl::fromLocalFile(folder));
        QFile::remove(f.mail.attached[0]);
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "printcommands_test.moc"
