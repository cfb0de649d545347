// What a screen reader can do with the program, through Qt's accessibility
// interfaces (what AT-SPI hands on): every control of every window has a name,
// toggling a section opens it, statuses and table values are read, a node of
// the options is selected and cell editors are announced.
#include "support/printfixture.h"
#include "support/shellfakes.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "masters/widgets/listmasterframe.h"
#include "settings/widgets/defaultprintsettingspage.h"
#include "settings/widgets/optionsdialog.h"
#include "print/pagerecorder.h"
#include "print/widgets/printpreviewwindow.h"
#include "slip/widgets/sectionpanel.h"
#include "slip/widgets/slipframe.h"
#include "support/fakequestions.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace vendara;
using namespace vendara::test;
using vendara::testing::FakeQuestions;

namespace {

QString nameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The visible controls a user operates that a screen reader could not name.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                             || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                             || qobject_cast<QAbstractItemView *>(w);
        // Headers and the corner button are parts of their table's interface.
        if (qobject_cast<QHeaderView *>(w) || w->inherits("QTableCornerButton"))
            continue;
        if (control && w->isVisibleTo(window) && nameOf(w).trimmed().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    }
    return unnamed;
}

void doAction(QObject *object, const QString &action)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    QVERIFY(iface && iface->actionInterface());
    QVERIFY2(iface->actionInterface()->actionNames().contains(action),
             qPrintable(iface->actionInterface()->actionNames().join(u',')));
    iface->actionInterface()->doAction(action);
}

// The main window over the shipped data.
struct Shell : ShellFixture
{
    FakeBrowser browser;
    HelpPages pages{QStringLiteral("/help")};
    std::unique_ptr<MainWindow> window;

    Shell()
    {
        copyShippedData(data->root());
        session->start(QString());
        window = std::make_unique<MainWindow>(*session, questions, browser, pages, *recent);
        window->show();
    }
};

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void everyControlOfEveryWindow_hasAName()
    {
        Shell shell;
        auto *frame = shell.window->findChild<SlipFrame *>();
        frame->openAllSections(true);
        QCoreApplication::processEvents();
        QStringList unnamed = unnamedControls(shell.window.get());

        QTemporaryDir dir;
        PrintPreviewWindow preview(recordedPages(dir.path()), {QStringLiteral("office")}, shell.questions);
        preview.addCommand(QStringLiteral("PDFに出力(&D)..."), [] {});
        preview.show();
        unnamed << unnamedControls(&preview);
        // Narrow, the tool bar hands the rest of its buttons to its overflow button.
        preview.setMinimumSize(0, 0);
        preview.resize(200, 300);
        QCoreApplication::processEvents();
        unnamed << unnamedControls(&preview);

        OptionsDialog options(shell.session->settings(), shell.questions);
        options.show();
        QTreeWidget *tree = options.tree();
        QTreeWidgetItemIterator it(tree);
        for (; *it; ++it) {
            tree->setCurrentItem(*it);
            QCoreApplication::processEvents();
            for (const QString &control : unnamedControls(&options))
                if (!unnamed.contains(control))
                    unnamed << (*it)->text(0) + QStringLiteral(": ") + control;
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }

    void sectionHeaderToggleAction_opensAndClosesTheSectionAndItsStatusIsRead()
    {
        Shell shell;
        auto *frame = shell.window->findChild<SlipFrame *>();
        SectionPanel *customer = frame->section(1);
        QVERIFY(!customer->isOpen());
        doAction(customer->headerButton(), QAccessibleActionInterface::toggleAction());
        QVERIFY(customer->isOpen());
        QVERIFY(shell.session->document().record().idx.btn[0]);
        doAction(customer->headerButton(), QAccessibleActionInterface::toggleAction());
        QVERIFY(!customer->isOpen());
        QVERIFY(!customer->headerButton()->isChecked());
        // The status line is read with its text, whatever it says now.
        const QString status = customer->statusLabel()->text();
        QVERIFY(!status.isEmpty());
        QVERIFY2(nameOf(customer->statusLabel()).contains(status), qPrintable(nameOf(customer->statusLabel())));
    }

    void optionsNodeSelectedByAScreenReader_showsItsPage()
    {
        Shell shell;
        OptionsDialog options(shell.session->settings(), shell.questions);
        options.show();
        auto *pages = options.findChild<QStackedWidget *>(QStringLiteral("pages"));
        QWidget *first = pages->currentWidget();
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(options.tree());
        QVERIFY(tree && tree->tableInterface());
        // Row 1 is 印刷設定.
        QVERIFY(tree->tableInterface()->selectRow(1));
        QCOMPARE(options.tree()->currentItem()->text(0), QStringLiteral("印刷設定"));
        QVERIFY(pages->currentWidget() != first);
    }

    void titleCells_areReadWithTheirValueAndGridEditorsAreNamed()
    {
        Shell shell;
        DefaultPrintSettingsPage page(shell.session->settings(), shell.questions);
        page.load();
        page.show();
        auto *titles = page.findChild<QTableWidget *>(QStringLiteral("titleTable"));
        QVERIFY(titles);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(titles);
        QAccessibleInterface *cell = table->tableInterface()->cellAt(0, 0);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), titles->item(0, 0)->text());
        QVERIFY(cell->text(QAccessible::Description).contains(QStringLiteral("1枚目")));

        ListMasterFrame master(shell.data->datPath(QStringLiteral("Mst/")), shell.questions);
        master.selectMaster(QStringLiteral("付属品"));
        master.setEditable(true);
        master.show();
        QTableView *view = master.view();
        const QModelIndex index = view->model()->index(1, 1);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QVERIFY2(nameOf(editor).contains(QStringLiteral("2行目")), qPrintable(nameOf(editor)));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
