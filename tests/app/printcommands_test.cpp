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
#include "support/pdftools.h"
#include "support/testdata.h"
#include "sliplist/sliplistmodel.h"
#include "sliplist/widgets/sliplistwindow.h"

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

    // 印刷 and PDFに出力 of the slip list: the slips chosen, each as its kind
    // prints, in one job and in one PDF.
    void slipListPrintAndPdf_putTheChosenSlipsOutAsOne()
    {
        const vendara::test::PrivateUserFolders userFolders;
        PrintFixture f;
        const QString first = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("佐藤"));
        f.writeSlipFile(QStringLiteral("b.pvq"), QStringLiteral("田中"), QStringLiteral("00000008"));
        f.session->settings().setStartFolder(QFileInfo(first).absolutePath());
        f.trigger("slipListAction");
        SlipListWindow *list = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<SlipListWindow *>(w); found && found->isVisible())
                list = found;
        QVERIFY(list);
        QTRY_COMPARE(list->model().totalCount(), 2);
        auto *table = list->findChild<QTableView *>(QStringLiteral("tableView"));
        auto *print = list->findChild<QPushButton *>(QStringLiteral("printButton"));
        auto *pdf = list->findChild<QPushButton *>(QStringLiteral("pdfButton"));
        QVERIFY(!print->isEnabled() && !pdf->isEnabled());
        table->setFocus();
        QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(print->isEnabled() && pdf->isEnabled());

        f.questions.answer(true);
        print->click();
        QVERIFY2(f.questions.asked.last().startsWith(QStringLiteral("2 件の伝票を office に印刷しますか？")),
                 qPrintable(f.questions.asked.last()));
        QCOMPARE(f.service.jobs().size(), 1);
        const QString jobPdf = f.dir.filePath(QStringLiteral("job.pdf"));
        {
            QFile file(jobPdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(f.service.jobs().first().request.pdf);
        }
        const int pages = pdfPageCount(jobPdf);
        QVERIFY(pages >= 2);

        const QString out = f.dir.filePath(QStringLiteral("list"));
        f.questions.fileAnswers << out;
        pdf->click();
        QCOMPARE(pdfPageCount(out + QStringLiteral(".pdf")), pages);
        QVERIFY2(f.questions.errors.isEmpty(), qPrintable(f.questions.errors.join(u'|')));
        list->close();
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "printcommands_test.moc"
