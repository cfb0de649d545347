// The printer setting dialog over an in-memory printing service: the
// snapshot Cancel puts back, the status lines, printers without paper or
// orientation choice, the properties dialog, the copy settings taken in and
// back, the two modes and a system without printers.
#include "print/widgets/printerpropertiesdialog.h"
#include "print/widgets/printersettingdialog.h"
#include "print/widgets/printerstatusline.h"

#include "support/fakeprintingservice.h"
#include "print/printerselection.h"
#include "printsettings/companyblock.h"
#include "support/fakequestions.h"
#include "support/whenmodal.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vendara;
using namespace vendara::testing;
using vendara::test::whenModal;

namespace {

PaperInfo paper(const QString &media, const QString &name, int w, int h)
{
    PaperInfo p;
    p.keyword = name;
    p.mediaName = media;
    p.displayName = name;
    p.size = QSize(w, h);
    return p;
}

PrinterInfo printerInfo(const QString &name, const QString &driver, const QString &uri, const QString &comment)
{
    PrinterInfo info;
    info.name = name;
    info.driver = driver;
    info.deviceUri = uri;
    info.description = comment;
    return info;
}

JobOptionChoice choice(const QString &option, const QString &keyword, const QString &name, QSize dpi = {})
{
    return JobOptionChoice{option, keyword, name, dpi};
}

// Office: A4, A3, B5 and three sources, orientation, two-sided printing, colour
// and two resolutions; Label: no paper, source, orientation or other
// choice; Back: stopped.
void addPrinters(FakePrintingService &service)
{
    PrinterDriverInfo full;
    full.supportedFields = fieldBit(PrinterField::Orientation) | fieldBit(PrinterField::PaperSize) |
                           fieldBit(PrinterField::DefaultSource) | fieldBit(PrinterField::Duplex) |
                           fieldBit(PrinterField::Color) | fieldBit(PrinterField::PrintQuality);
    full.duplexModes = {choice("sides", "one-sided", "片面"), choice("sides", "two-sided-long-edge", "両面 (長辺とじ)"),
                        choice("sides", "two-sided-short-edge", "両面 (短辺とじ)")};
    full.defaultDuplex = 0;
    full.colorModes = {choice("print-color-mode", "color", "カラー"),
                       choice("print-color-mode", "monochrome", "モノクロ")};
    full.defaultColorMode = 0;
    full.resolutions = {choice("printer-resolution", "300dpi", "300 dpi", {300, 300}),
                        choice("printer-resolution", "600dpi", "600 dpi", {600, 600})};
    full.defaultResolution = 1;
    full.resolutionCount = 2;
    full.resolution = QSize(600, 600);
    full.papers = {paper(QStringLiteral("iso_a4_210x297mm"), QStringLiteral("A4"), 21000, 29700),
                   paper(QStringLiteral("iso_a3_297x420mm"), QStringLiteral("A3"), 29700, 42000),
                   paper(QStringLiteral("jis_b5_182x257mm"), QStringLiteral("B5 (JIS)"), 18200, 25700)};
    full.defaultPaper = 0;
    full.sources = {PaperSource{QStringLiteral("Upper"), QStringLiteral("上段"), true},
                    PaperSource{QStringLiteral("Lower"), QStringLiteral("下段"), true},
                    PaperSource{QStringLiteral("Manual"), QStringLiteral("手差し"), true}};
    full.defaultSource = 0;
    PrinterInfo office = printerInfo(QStringLiteral("Office"), QStringLiteral("Office Laser 5"),
                                     QStringLiteral("ipp://office.local/ipp/print"), QStringLiteral("事務所"));
    office.isDefault = true;
    service.addPrinter(office, full);

    PrinterDriverInfo bare = full;
    bare.supportedFields = fieldBit(PrinterField::Copies);
    service.addPrinter(printerInfo(QStringLiteral("Label"), QStringLiteral("Label Writer"),
                                   QStringLiteral("usb://label"), QString()),
                       bare);

    PrinterInfo back = printerInfo(QStringLiteral("Back"), QStringLiteral("Back Inkjet"),
                                   QStringLiteral("socket://10.0.0.9"), QStringLiteral("倉庫"));
    back.state = PrinterState::Stopped;
    back.stateReasons = {QStringLiteral("paused")};
    service.addPrinter(back, full);
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + u'/' + name, to + u'/' + name);
}

template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QLatin1String(name));
    Q_ASSERT(widget);
    return widget;
}

// Chooses an entry as the user does, with the signal the dialog listens to.
void choose(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

struct Fixture
{
    QTemporaryDir root;
    std::unique_ptr<DataFolder> data;
    FakePrintingService service;
    std::unique_ptr<PrinterSelection> printer;
    FakeQuestions questions;

    explicit Fixture(bool withPrinters = true)
    {
        const QString shipped = QStringLiteral(VENDARA_SHIPPED_DATA "/Dat/");
        const QString dat = root.path() + QStringLiteral("/Dat/");
        copyFolder(shipped + QStringLiteral("Fmt"), dat + QStringLiteral("Fmt"));
        copyFolder(shipped + QStringLiteral("Etc"), dat + QStringLiteral("Etc"));
        QDir().mkpath(dat + QStringLiteral("Mst"));
        for (const QString &name : {QStringLiteral("DefPrDat"), QStringLiteral("LogoList")})
            QFile::copy(shipped + QStringLiteral("Mst/") + name, dat + QStringLiteral("Mst/") + name);
        data = std::make_unique<DataFolder>(root.path());
        if (withPrinters)
            addPrinters(service);
        printer = std::make_unique<PrinterSelection>(service);
    }

    std::unique_ptr<PrinterSettingDialog> open(const QString &kind = QStringLiteral("見積書"))
    {
        auto dialog = std::make_unique<PrinterSettingDialog>(*data, *printer, questions);
        dialog->setDocumentKind(kind);
        return dialog;
    }
};

QStringList statusTexts(QWidget *dialog)
{
    QStringList texts;
    for (const char *name : {"stateValue", "driverValue", "portValue", "commentValue"})
        texts << child<QLabel>(dialog, name)->text();
    return texts;
}

// What the properties dialog shows.
struct Shown
{
    QString title;
    bool portrait = false;
    bool landscape = false;
    QString paper, source, duplex, colorMode, resolution;
    int enabled = 0; // of the five boxes and the orientation

    static Shown of(QWidget *properties)
    {
        Shown s;
        s.title = properties->windowTitle();
        s.portrait = child<QRadioButton>(properties, "portraitButton")->isChecked();
        s.landscape = child<QRadioButton>(properties, "landscapeButton")->isChecked();
        QString *texts[] = {&s.paper, &s.source, &s.duplex, &s.colorMode, &s.resolution};
        const char *names[] = {"paperBox", "sourceBox", "duplexBox", "colorModeBox", "resolutionBox"};
        for (int i = 0; i < 5; ++i) {
            auto *box = child<QComboBox>(properties, names[i]);
            *texts[i] = box->currentText();
            s.enabled += box->isEnabled() ? 1 : 0;
        }
        s.enabled += child<QRadioButton>(properties, "landscapeButton")->isEnabled() ? 1 : 0;
        return s;
    }
};

} // namespace

class PrinterSettingDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void statusLineRule_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("reasons");
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<QString>("line");
        const auto idle = int(PrinterState::Idle);
        const auto stopped = int(PrinterState::Stopped);
        QTest::newRow("ready") << idle << QStringList{QStringLiteral("none")} << true << QStringLiteral("準備完了");
        QTest::newRow("busy") << int(PrinterState::Printing) << QStringList{} << true << QStringLiteral("準備完了");
        QTest::newRow("report only") << idle << QStringList{QStringLiteral("toner-low-report")} << true
                                     << QStringLiteral("準備完了");
        QTest::newRow("stopped") << stopped << QStringList{} << true << QStringLiteral("停止中");
        QTest::newRow("paused") << stopped << QStringList{QStringLiteral("paused")} << true << QStringLiteral("停止中");
        QTest::newRow("deleting") << idle << QStringList{QStringLiteral("deleting")} << true
                                  << QStringLiteral("削除中...");
        QTest::newRow("paused and jam") << stopped << QStringList{QStringLiteral("media-jam-error")} << true
                                        << QStringLiteral("要調査");
        QTest::newRow("deleting while paused")
            << stopped << QStringList{QStringLiteral("deleting")} << true << QStringLiteral("要調査");
        QTest::newRow("rejecting") << idle << QStringList{} << false << QStringLiteral("要調査");
        QTest::newRow("empty") << idle << QStringList{QStringLiteral("media-empty-warning")} << true
                               << QStringLiteral("要調査");
    }
    void statusLineRule()
    {
        QFETCH(int, state);
        QFETCH(QStringList, reasons);
        QFETCH(bool, accepting);
        PrinterInfo info;
        info.state = PrinterState(state);
        info.stateReasons = reasons;
        info.acceptingJobs = accepting;
        QTEST(printerStatusLine(info), "line");
    }

    void statusLinesOfStoppedPrinter()
    {
        Fixture f;
        auto dialog = f.open();
        QCOMPARE(statusTexts(dialog.get()).first(), QStringLiteral("準備完了"));
        choose(child<QComboBox>(dialog.get(), "printerBox"), 2);
        QCOMPARE(f.printer->index(), 2);
        QCOMPARE(statusTexts(dialog.get()),
                 (QStringList{QStringLiteral("停止中"), QStringLiteral("Back Inkjet"),
                              QStringLiteral("socket://10.0.0.9"), QStringLiteral("倉庫")}));
        QVERIFY(f.questions.errors.isEmpty());
    }

    void cancelPutsThePrinterChoiceBack()
    {
        Fixture f;
        f.printer->setPaperSizeIndex(2); // B5, not the driver's default
        f.printer->setSourceIndex(1);
        f.printer->apply();
        auto dialog = f.open();
        QCOMPARE(child<QComboBox>(dialog.get(), "paperBox")->currentText(), QStringLiteral("B5 (JIS)"));
        QCOMPARE(child<QComboBox>(dialog.get(), "sourceBox")->currentText(), QStringLiteral("下段"));

        // Every choice reaches the printer at once.
        choose(child<QComboBox>(dialog.get(), "paperBox"), 1);
        choose(child<QComboBox>(dialog.get(), "sourceBox"), 2);
        child<QRadioButton>(dialog.get(), "landscapeButton")->click();
        QCOMPARE(f.printer->paperSizeIndex(), 1);
        QCOMPARE(f.printer->sourceIndex(), 2);
        QCOMPARE(f.printer->orientation(), QPageLayout::Landscape);
        QVERIFY(!f.printer->changed());
        choose(child<QComboBox>(dialog.get(), "printerBox"), 2);
        QCOMPARE(f.printer->index(), 2);

        dialog->reject();
        QCOMPARE(dialog->outcome(), PrinterSettingDialog::Cancelled);
        QCOMPARE(f.printer->index(), 0);
        QCOMPARE(f.printer->paperSizeIndex(), 2);
        QCOMPARE(f.printer->sourceIndex(), 1);
        QCOMPARE(f.printer->orientation(), QPageLayout::Portrait);
        QVERIFY(f.questions.errors.isEmpty());
    }

    void okKeepsThePrinterChoice()
    {
        Fixture f;
        auto dialog = f.open();
        choose(child<QComboBox>(dialog.get(), "paperBox"), 1);
        dialog->accept();
        QCOMPARE(dialog->outcome(), PrinterSettingDialog::Print);
        QCOMPARE(f.printer->paperSizeIndex(), 1);
    }

    void printerWithoutChoices()
    {
        Fixture f;
        f.printer->setIndex(1);
        auto dialog = f.open();
        auto *paperBox = child<QComboBox>(dialog.get(), "paperBox");
        QCOMPARE(paperBox->count(), 0);
        QVERIFY(!paperBox->isEnabled());
        QVERIFY(!child<QComboBox>(dialog.get(), "sourceBox")->isEnabled());
        QVERIFY(!child<QRadioButton>(dialog.get(), "portraitButton")->isEnabled());
        QVERIFY(!child<QRadioButton>(dialog.get(), "portraitButton")->isChecked());
        QVERIFY(!child<QRadioButton>(dialog.get(), "landscapeButton")->isChecked());
        QVERIFY(child<QLabel>(dialog.get(), "orientationPicture")->pixmap().isNull());

        // Over to a printer with choices and back: the boxes follow.
        choose(child<QComboBox>(dialog.get(), "printerBox"), 0);
        QCOMPARE(paperBox->count(), 3);
        QVERIFY(paperBox->isEnabled());
        QVERIFY(!child<QLabel>(dialog.get(), "orientationPicture")->pixmap().isNull());

        // Cancel touches no paper, source or orientation of the bare printer:
        // any attempt would be refused as not supported.
        dialog->reject();
        QCOMPARE(f.printer->index(), 1);
        QVERIFY2(f.questions.errors.isEmpty(), qPrintable(f.questions.errors.join(u'\n')));
    }

    void propertiesOpenOnTheCurrentSettings()
    {
        Fixture f;
        auto dialog = f.open();
        choose(child<QComboBox>(dialog.get(), "paperBox"), 2);
        child<QRadioButton>(dialog.get(), "landscapeButton")->click();

        Shown shown;
        whenModal<PrinterPropertiesDialog>([&](PrinterPropertiesDialog *properties) {
            shown = Shown::of(properties);
            child<QPushButton>(properties, "cancelButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();

        QCOMPARE(shown.title, QStringLiteral("Office のプロパティ"));
        QVERIFY(shown.landscape);
        QVERIFY(!shown.portrait);
        QCOMPARE(shown.paper, QStringLiteral("B5 (JIS)"));
        QCOMPARE(shown.source, QStringLiteral("上段"));
        QCOMPARE(shown.duplex, QStringLiteral("片面"));
        QCOMPARE(shown.colorMode, QStringLiteral("カラー"));
        QCOMPARE(shown.resolution, QStringLiteral("600 dpi"));
        QCOMPARE(shown.enabled, 6);
        QVERIFY(f.questions.errors.isEmpty());
    }

    void propertiesOkKeepsWhatWasChosen()
    {
        Fixture f;
        auto dialog = f.open();
        child<QRadioButton>(dialog.get(), "landscapeButton")->click();

        // OK without a change keeps the print landscape.
        whenModal<PrinterPropertiesDialog>([](PrinterPropertiesDialog *properties) {
            child<QPushButton>(properties, "okButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();
        QCOMPARE(f.printer->orientation(), QPageLayout::Landscape);
        QVERIFY(child<QRadioButton>(dialog.get(), "landscapeButton")->isChecked());

        whenModal<PrinterPropertiesDialog>([](PrinterPropertiesDialog *properties) {
            choose(child<QComboBox>(properties, "paperBox"), 1);
            choose(child<QComboBox>(properties, "sourceBox"), 2);
            child<QRadioButton>(properties, "portraitButton")->click();
            choose(child<QComboBox>(properties, "duplexBox"), 1);
            choose(child<QComboBox>(properties, "colorModeBox"), 1);
            choose(child<QComboBox>(properties, "resolutionBox"), 0);
            child<QPushButton>(properties, "okButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();

        QVERIFY(!f.printer->changed());
        QCOMPARE(f.printer->paperSizeIndex(), 1);
        QCOMPARE(f.printer->sourceIndex(), 2);
        QCOMPARE(f.printer->orientation(), QPageLayout::Portrait);
        const PrinterOutputSetup setup = f.printer->outputSetup();
        QCOMPARE(setup.duplex->keyword, QStringLiteral("two-sided-long-edge"));
        QCOMPARE(setup.colorMode->keyword, QStringLiteral("monochrome"));
        QCOMPARE(setup.resolution->keyword, QStringLiteral("300dpi"));
        // The printer dialog shows the printer as the properties left it.
        QCOMPARE(child<QComboBox>(dialog.get(), "paperBox")->currentText(), QStringLiteral("A3"));
        QCOMPARE(child<QComboBox>(dialog.get(), "sourceBox")->currentText(), QStringLiteral("手差し"));
        QVERIFY(child<QRadioButton>(dialog.get(), "portraitButton")->isChecked());

        // Opened again, it shows what was chosen.
        Shown shown;
        whenModal<PrinterPropertiesDialog>([&](PrinterPropertiesDialog *properties) {
            shown = Shown::of(properties);
            child<QPushButton>(properties, "cancelButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();
        QCOMPARE(shown.duplex, QStringLiteral("両面 (長辺とじ)"));
        QCOMPARE(shown.colorMode, QStringLiteral("モノクロ"));
        QCOMPARE(shown.resolution, QStringLiteral("300 dpi"));

        // キャンセル of the printer dialog takes the properties back too.
        dialog->reject();
        QCOMPARE(f.printer->orientation(), QPageLayout::Portrait);
        QCOMPARE(f.printer->paperSizeIndex(), 0);
        QCOMPARE(f.printer->outputSetup().duplex->keyword, QStringLiteral("one-sided"));
        QCOMPARE(f.printer->outputSetup().resolution->keyword, QStringLiteral("600dpi"));
        QVERIFY2(f.questions.errors.isEmpty(), qPrintable(f.questions.errors.join(u'\n')));
    }

    void propertiesCancelChangesNothing()
    {
        Fixture f;
        auto dialog = f.open();
        child<QRadioButton>(dialog.get(), "landscapeButton")->click();
        const PrinterChoice before = f.printer->choice();
        const PrinterOutputSetup setupBefore = f.printer->outputSetup();
        int changes = 0;
        whenModal<PrinterPropertiesDialog>([&](PrinterPropertiesDialog *properties) {
            choose(child<QComboBox>(properties, "paperBox"), 1);
            child<QRadioButton>(properties, "portraitButton")->click();
            choose(child<QComboBox>(properties, "duplexBox"), 2);
            choose(child<QComboBox>(properties, "resolutionBox"), 0);
            changes = properties->chosen() == properties->opened() ? 0 : 1;
            child<QPushButton>(properties, "cancelButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();
        QCOMPARE(changes, 1);

        const PrinterChoice after = f.printer->choice();
        QCOMPARE(after.printerIndex, before.printerIndex);
        QCOMPARE(after.paperIndex, before.paperIndex);
        QCOMPARE(after.sourceIndex, before.sourceIndex);
        QVERIFY(after.orientation == QPageLayout::Landscape);
        QCOMPARE(after.duplexIndex, before.duplexIndex);
        QCOMPARE(after.resolutionIndex, before.resolutionIndex);
        QCOMPARE(f.printer->outputSetup().geometry.resolution, setupBefore.geometry.resolution);
        QVERIFY(child<QRadioButton>(dialog.get(), "landscapeButton")->isChecked());
        QCOMPARE(child<QComboBox>(dialog.get(), "paperBox")->currentIndex(), 0);
    }

    void propertiesOfAPrinterWithoutChoices()
    {
        Fixture f;
        f.printer->setIndex(1);
        auto dialog = f.open();
        Shown shown;
        whenModal<PrinterPropertiesDialog>([&](PrinterPropertiesDialog *properties) {
            shown = Shown::of(properties);
            child<QPushButton>(properties, "okButton")->click();
        });
        child<QPushButton>(dialog.get(), "propertiesButton")->click();
        QCOMPARE(shown.enabled, 0);
        QVERIFY(!shown.portrait && !shown.landscape);
        QVERIFY(shown.paper.isEmpty());
        // OK hands nothing to the printer that it would refuse.
        QVERIFY2(f.questions.errors.isEmpty(), qPrintable(f.questions.errors.join(u'\n')));
        QCOMPARE(f.printer->index(), 1);
    }

    void propertiesOfAPrinterThatCannotBeReadReportTheErrorAndStayShut()
    {
        Fixture f;
        auto dialog = f.open();
        choose(child<QComboBox>(dialog.get(), "paperBox"), 1); // applied: the driver is read again on next need
        f.service.removePrinter(QStringLiteral("Office"));
        bool opened = false;
        QTimer watch;
        watch.setInterval(20);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto *properties = qobject_cast<PrinterPropertiesDialog *>(QApplication::activeModalWidget())) {
                opened = true;
                properties->reject();
            }
        });
        watch.start();
        child<QPushButton>(dialog.get(), "propertiesButton")->click();
        QTest::qWait(60);
        QVERIFY(!opened);
        QCOMPARE(f.questions.errors, QStringList{QStringLiteral("プリンタ Office が見つかりません")});
    }

    void propertiesNamed()
    {
        Fixture f;
        PrinterPropertiesDialog properties(*f.printer, f.questions);
        QVERIFY(properties.isReady());
        for (QComboBox *box : properties.findChildren<QComboBox *>())
            QVERIFY2(!box->accessibleName().isEmpty(), qPrintable(box->objectName()));
        int labelled = 0;
        for (QLabel *label : properties.findChildren<QLabel *>()) {
            if (label->buddy()) {
                QString text = label->text();
                text.remove(QStringLiteral("&")).remove(u':');
                QVERIFY2(text.startsWith(label->buddy()->accessibleName()), qPrintable(label->text()));
                ++labelled;
            }
        }
        QCOMPARE(labelled, 5);
        const QSize hint = properties.sizeHint();
        QVERIFY2(hint.width() <= 640 && hint.height() <= 480,
                 qPrintable(QStringLiteral("%1x%2").arg(hint.width()).arg(hint.height())));
    }

    void settingsShownAndTakenBack()
    {
        Fixture f;
        auto dialog = f.open();
        auto *grid = child<QTableWidget>(dialog.get(), "titleGrid");
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("見積書"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("見積書(控)"));
        QCOMPARE(grid->verticalHeaderItem(3)->text(), QStringLiteral(" 4"));

        CurrentPrintSettings current = CurrentPrintSettings::from(*f.data, DefaultPrintSettings::load(*f.data), 0, 0);
        current.titles[0] = {QStringLiteral("御見積書"), QStringLiteral("控"), QString(), QStringLiteral("社内用")};
        current.titles[1][0] = QStringLiteral("注文書は別");
        current.copies = {false, true, false, true};
        current.correctionX = 1.5f;
        current.correctionY = -2.0f;
        dialog->setCurrentSettings(current);
        QCOMPARE(dialog->titles(), current.titles[0]);
        QCOMPARE(dialog->copies(), current.copies);
        QVERIFY(!child<QCheckBox>(dialog.get(), "copy1Box")->isChecked());

        grid->item(2, 0)->setText(QStringLiteral("お客様用"));
        child<QCheckBox>(dialog.get(), "copy3Box")->setChecked(true);
        dialog->accept();
        dialog->takeBackInto(current);
        QCOMPARE(current.titles[0][2], QStringLiteral("お客様用"));
        QCOMPARE(current.titles[1][0], QStringLiteral("注文書は別"));
        QCOMPARE(current.copies, (CopySwitches{false, true, true, true}));
        QCOMPARE(current.formatPaths[0], f.data->datPath(QStringLiteral("Fmt/見積書_A4.fmt")));
        QCOMPARE(current.setPath, f.data->datPath(QStringLiteral("Etc/デフォルト.Dat")));
        QCOMPARE(current.correctionX, 1.5f);
        QCOMPARE(current.correctionY, -2.0f);
    }

    void orderFormDefaults()
    {
        Fixture f;
        auto dialog = f.open(QStringLiteral("注文書"));
        QCOMPARE(dialog->titles()[0], QStringLiteral("注文書"));
        QCOMPARE(child<QComboBox>(dialog.get(), "formatBox")->count(), 1);
        QCOMPARE(dialog->formatPath(), f.data->datPath(QStringLiteral("Fmt/注文書_A4.fmt")));
        // An unlisted format leaves the default choice.
        dialog->setCurrentSettings({}, {}, f.data->datPath(QStringLiteral("Fmt/見積書_A4.fmt")), QString(), 0, 0);
        QCOMPARE(dialog->formatPath(), f.data->datPath(QStringLiteral("Fmt/注文書_A4.fmt")));
    }

    // The kind comes from its name as format files give it; a name that is
    // neither takes the order form's defaults, as "注文書" does.
    void kindNamesChooseTheirDefaults()
    {
        Fixture f;
        FileVersion read;
        DefaultPrintSettings defaults = DefaultPrintSettings::load(*f.data, &read);
        defaults.titles[0][0] = QStringLiteral("御見積書");
        defaults.titles[1][0] = QStringLiteral("御注文書");
        defaults.save(*f.data, read);
        const struct
        {
            QString kind;
            QString firstTitle;
        } cases[] = {
            {QStringLiteral("見積書"), QStringLiteral("御見積書")},
            {QStringLiteral("注文書"), QStringLiteral("御注文書")},
            {QStringLiteral("請求書"), QStringLiteral("御注文書")},
            {QStringLiteral(" 見積書"), QStringLiteral("御注文書")},
        };
        for (const auto &c : cases) {
            auto dialog = f.open(c.kind);
            QCOMPARE(dialog->titles()[0], c.firstTitle);
            QCOMPARE(child<QTableWidget>(dialog.get(), "titleGrid")->horizontalHeaderItem(0)->text(), c.kind);
            // The titles go back into that kind's record only.
            CurrentPrintSettings current = CurrentPrintSettings::from(*f.data, DefaultPrintSettings::load(*f.data), 0, 0);
            current.titles[0][0] = current.titles[1][0] = QStringLiteral("前の題");
            dialog->takeBackInto(current);
            const size_t taken = c.firstTitle == QStringLiteral("御見積書") ? 0 : 1;
            QCOMPARE(current.titles[taken][0], c.firstTitle);
            QCOMPARE(current.titles[1 - taken][0], QStringLiteral("前の題"));
        }
    }

    void setsMissingGiveNoPath()
    {
        Fixture f;
        FileVersion read;
        DefaultPrintSettings defaults = DefaultPrintSettings::load(*f.data, &read);
        defaults.setName = QStringLiteral("本店");
        defaults.save(*f.data, read);
        auto dialog = f.open();
        QCOMPARE(child<QComboBox>(dialog.get(), "setBox")->currentIndex(), -1);
        QCOMPARE(dialog->setPath(), QString());

        // Listed, but its file went away before OK.
        dialog->setCurrentSettings({}, {}, QString(), companyblock::setFilePath(*f.data, QStringLiteral("デフォルト")), 0, 0);
        QCOMPARE(dialog->setPath(), companyblock::setFilePath(*f.data, QStringLiteral("デフォルト")));
        QVERIFY(QFile::remove(companyblock::setFilePath(*f.data, QStringLiteral("デフォルト"))));
        QCOMPARE(dialog->setPath(), QString());
    }

    void modes()
    {
        Fixture f;
        auto dialog = f.open();
        QSignalSpy help(dialog.get(), &PrinterSettingDialog::helpRequested);
        auto *ok = child<QPushButton>(dialog.get(), "okButton");
        auto *preview = child<QPushButton>(dialog.get(), "previewButton");
        dialog->setMode(PrinterSettingDialog::Mode::Setup);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(!preview->isVisibleTo(dialog.get()));
        child<QPushButton>(dialog.get(), "helpButton")->click();
        dialog->setMode(PrinterSettingDialog::Mode::Print);
        QCOMPARE(ok->text(), QStringLiteral("印刷"));
        QVERIFY(preview->isVisibleTo(dialog.get()));
        child<QPushButton>(dialog.get(), "helpButton")->click();
        QCOMPARE(help.size(), 2);
        QCOMPARE(help[0][0].toInt(), 39);
        QCOMPARE(help[1][0].toInt(), 29);

        choose(child<QComboBox>(dialog.get(), "paperBox"), 1);
        QTimer::singleShot(0, preview, &QPushButton::click);
        QCOMPARE(dialog->exec(), int(PrinterSettingDialog::Preview));
        QCOMPARE(dialog->outcome(), PrinterSettingDialog::Preview);
        QCOMPARE(f.printer->paperSizeIndex(), 1); // a preview is no cancel
    }

    void newPrinterSeenOnOpening()
    {
        Fixture f;
        QCOMPARE(f.printer->printerNames().size(), 3);
        PrinterInfo added = printerInfo(QStringLiteral("New"), QString(), QString(), QString());
        f.service.addPrinter(added, PrinterDriverInfo());
        auto dialog = f.open();
        QCOMPARE(child<QComboBox>(dialog.get(), "printerBox")->count(), 4);
    }

    void noPrinter()
    {
        Fixture f(false);
        PrinterInfo hidden = printerInfo(QStringLiteral("Fax"), QString(), QString(), QString());
        hidden.hidden = true;
        f.service.addPrinter(hidden, PrinterDriverInfo());
        auto dialog = f.open();
        QCOMPARE(f.questions.errors, QStringList{QStringLiteral("有効なプリンタが見つかりません")});
        QCOMPARE(statusTexts(dialog.get()), QStringList(4, QStringLiteral("-----")));
        QCOMPARE(dialog->exec(), int(PrinterSettingDialog::Cancelled));
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->outcome(), PrinterSettingDialog::Cancelled);
    }

    void orientationPicture_followsTheChosenOrientation()
    {
        Fixture f;
        auto dialog = f.open();
        auto *picture = child<QLabel>(dialog.get(), "orientationPicture");
        const auto shown = [picture] { return picture->pixmap().toImage(); };
        // What the picture covers: a sheet standing up, or lying down.
        const auto sheet = [](const QImage &image) {
            QRect covered;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) > 0)
                        covered |= QRect(x, y, 1, 1);
            return covered;
        };

        child<QRadioButton>(dialog.get(), "landscapeButton")->click();
        const QImage landscape = shown();
        QVERIFY(sheet(landscape).width() > sheet(landscape).height());
        child<QRadioButton>(dialog.get(), "portraitButton")->click();
        const QImage portrait = shown();
        QVERIFY(sheet(portrait).height() > sheet(portrait).width());
        child<QRadioButton>(dialog.get(), "landscapeButton")->click();
        QCOMPARE(shown(), landscape);
    }

    void namedAndFitsSmallScreen()
    {
        Fixture f;
        auto dialog = f.open();
        const QList<QWidget *> inputs = dialog->findChildren<QWidget *>();
        for (QWidget *w : inputs) {
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QTableWidget *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->buddy()) {
                QString text = label->text();
                text.remove(QStringLiteral("&")).remove(u':');
                QVERIFY2(text.startsWith(label->buddy()->accessibleName()), qPrintable(label->text()));
            }
        }
        const QSize hint = dialog->sizeHint();
        QVERIFY2(hint.width() <= 640 && hint.height() <= 480,
                 qPrintable(QStringLiteral("%1x%2").arg(hint.width()).arg(hint.height())));
    }
};

QTEST_MAIN(PrinterSettingDialogTest)
#include "printersettingdialog_test.moc"
