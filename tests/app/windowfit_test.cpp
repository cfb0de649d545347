// Every top-level window of the program opens inside the screen with nothing
// cut off. ctest runs this twice, on a 640 x 480 and on a 1280 x 1024
// offscreen screen.
#include "support/printfixture.h"
#include "support/shellfakes.h"

#include "app/helppages.h"
#include "app/widgets/aboutdialog.h"
#include "app/widgets/guisetup.h"
#include "app/widgets/mainwindow.h"
#include "controls/windowgeometry.h"
#include "masters/widgets/acquisitiontaxdialog.h"
#include "masters/widgets/equipmentpickdialog.h"
#include "masters/widgets/masterpickdialog.h"
#include "masters/widgets/memopickdialog.h"
#include "masters/widgets/taxguidedialog.h"
#include "masters/widgets/postalcodesearchdialog.h"
#include "settings/widgets/autocompanyblockdialog.h"
#include "settings/widgets/companyblockeditor.h"
#include "settings/widgets/optionsdialog.h"
#include "support/fakeprintingservice.h"
#include "print/pagerecorder.h"
#include "print/printerselection.h"
#include "print/widgets/printersettingdialog.h"
#include "print/widgets/printpreviewwindow.h"
#include "support/fakequestions.h"

#include <QAbstractScrollArea>
#include <QScrollArea>
#include <QTreeWidget>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <functional>

using namespace vendara;
using namespace vendara::test;
using vendara::testing::FakeQuestions;

using WindowMaker = std::function<QWidget *(QWidget *)>;
Q_DECLARE_METATYPE(WindowMaker)

namespace {

bool insideScrolledContent(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *w = widget->parentWidget(); w && w != window; w = w->parentWidget())
        if (auto *area = qobject_cast<const QAbstractScrollArea *>(w->parentWidget()); area && area->viewport() == w)
            return true;
    return false;
}

// Every visible part of `window` lies inside its parent and gets at least
// the room its text needs; content that scrolls is left to its scroll bars.
QStringList cutOffParts(QWidget *window, QSize room)
{
    QStringList cut;
    // A page that scrolls sideways although the screen had room for it.
    for (QScrollArea *area : window->findChildren<QScrollArea *>()) {
        if (area->isVisibleTo(window) && area->widget()
            && area->widget()->sizeHint().width() > area->viewport()->width() && window->width() < room.width())
            cut << QStringLiteral("%1 scrolls at %2 of %3").arg(area->widget()->objectName())
                       .arg(area->viewport()->width()).arg(area->widget()->sizeHint().width());
    }
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isWindow() || !w->isVisibleTo(window) || insideScrolledContent(w, window))
            continue;
        if (!w->parentWidget()->layout())
            continue; // a part its control places itself (a date edit's drop button)
        const QString name = QString::fromLatin1(w->metaObject()->className()) + u' ' +
                             (w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName());
        if (!w->parentWidget()->rect().contains(w->geometry()))
            cut << name + QStringLiteral(" outside its parent");
        const bool hasText = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w);
        if (hasText && (w->width() < w->minimumSizeHint().width() || w->height() < w->minimumSizeHint().height()))
            cut << name + QStringLiteral(" squeezed");
    }
    return cut;
}

} // namespace

class WindowFitTest : public QObject
{
    Q_OBJECT

    ShellFixture m_shell;
    FakeBrowser m_browser;
    HelpPages m_pages{QStringLiteral("/help")};
    FakePrintingService m_service;
    std::unique_ptr<PrinterSelection> m_printer;
    std::unique_ptr<MainWindow> m_main;
    QRect m_available;
    QString m_pageTag;

    void checkWindow(QWidget *window)
    {
        window->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QString title = window->windowTitle();
        QVERIFY2(m_available.contains(window->frameGeometry()),
                 qPrintable(title + QStringLiteral(" at %1,%2 %3x%4")
                                        .arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())));
        // VENDARA_WINDOW_SHOTS=DIR keeps a picture of each window to look at.
        if (const QString shots = qEnvironmentVariable("VENDARA_WINDOW_SHOTS"); !shots.isEmpty())
            window->grab().save(QStringLiteral("%1/%2-%3.png").arg(shots, QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : "main") + m_pageTag).arg(m_available.width()));
        const QSize room = windowgeometry::roomOnScreen(m_available, windowgeometry::kFrameAllowance);
        // The layout itself fits: no part is pressed below what it needs.
        const QSize needed = window->minimumSizeHint();
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(title + QStringLiteral(" needs %1x%2").arg(needed.width()).arg(needed.height())));
        const QStringList cut = cutOffParts(window, room);
        QVERIFY2(cut.isEmpty(), qPrintable(title + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
        window->hide();
    }

private slots:
    void initTestCase()
    {
        setUpGui(*qApp);
        m_available = QGuiApplication::primaryScreen()->availableGeometry();
        qInfo("screen %dx%d", m_available.width(), m_available.height());
        copyShippedData(m_shell.data->root());
        m_shell.session->start(QString());
        PrinterInfo office;
        office.name = QStringLiteral("office");
        office.isDefault = true;
        m_service.addPrinter(office, a4Driver());
        m_printer = std::make_unique<PrinterSelection>(m_service);
        m_main = std::make_unique<MainWindow>(*m_shell.session, m_shell.questions, m_browser, m_pages,
                                              *m_shell.recent);
    }

    void mainWindow_fitsTheScreen() { checkWindow(m_main.get()); }

    void everyDialog_fitsTheScreen_data()
    {
        QTest::addColumn<WindowMaker>("make");
        const DataFolder &data = *m_shell.data;
        FakeQuestions &q = m_shell.questions;
        const QString mst = data.datPath(QStringLiteral("Mst/"));
        auto add = [](const char *name, WindowMaker make) {
            QTest::newRow(name) << make;
        };
        add("about", [](QWidget *owner) { return new AboutDialog(owner); });
        add("options", [this, &q](QWidget *owner) { return new OptionsDialog(m_shell.session->settings(), q, owner); });
        add("printer", [this, &data, &q](QWidget *owner) {
            auto *dialog = new PrinterSettingDialog(data, *m_printer, q, owner);
            dialog->setDocumentKind(QStringLiteral("見積書"));
            dialog->setCurrentSettings(m_shell.session->printSettings());
            dialog->setMode(PrinterSettingDialog::Mode::Print);
            return dialog;
        });
        add("preview", [&q, this](QWidget *owner) {
            return new PrintPreviewWindow(recordedPages(m_shell.dir.path(), 2), {QStringLiteral("office"), QStringLiteral("300 dpi"), QStringLiteral("A4")}, q, owner);
        });
        add("companyBlock", [&q](QWidget *owner) { return new CompanyBlockEditor(q, owner); });
        add("autoCompanyBlock", [&data, &q](QWidget *owner) { return new AutoCompanyBlockDialog(data, q, owner); });
        add("pick", [mst, &q](QWidget *owner) { return new MasterPickDialog(mst, q, owner); });
        add("equipment", [mst](QWidget *owner) { return new EquipmentPickDialog(mst, owner); });
        add("memo", [mst](QWidget *owner) { return new MemoPickDialog(mst, owner); });
        add("taxGuide", [&data, &q](QWidget *owner) { return new TaxGuideDialog(data.datPath(QStringLiteral("Tax/")), q, owner); });
        add("acquisitionTax", [](QWidget *owner) { return new AcquisitionTaxDialog(owner); });
        add("postal", [mst, &q](QWidget *owner) { return new PostalCodeSearchDialog(mst + QStringLiteral("Zip/"), q, owner); });
    }

    void everyDialog_fitsTheScreen()
    {
        QFETCH(WindowMaker, make);
        m_pageTag.clear();
        m_main->show();
        std::unique_ptr<QWidget> dialog(make(m_main.get()));
        checkWindow(dialog.get());
        // Each page of the options, as it first shows.
        if (auto *options = qobject_cast<OptionsDialog *>(dialog.get())) {
            for (int i = 0; i < options->tree()->topLevelItemCount(); ++i) {
                options->tree()->setCurrentItem(options->tree()->topLevelItem(i));
                m_pageTag = QStringLiteral("page%1").arg(i);
                checkWindow(dialog.get());
            }
        }
    }
};

QTEST_MAIN(WindowFitTest)
#include "windowfit_test.moc"
