// The main window over scripted dialogs: menus, shortcuts and tool bar, the
// guard around every action, titles, the close query and drops.
#include "support/testdata.h"
#include "support/fakequestions.h"
#include "support/shellfakes.h"
#include "support/whenmodal.h"
#include "support/widgettesting.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "sliplist/sliplistmodel.h"
#include "sliplist/widgets/customerpickdialog.h"
#include "sliplist/widgets/sliplistwindow.h"
#include "settings/settings.h"
#include "common/error.h"

#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBrowser>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QAccessible>
#include <QShortcut>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using namespace vendara;
using namespace vendara::test;

namespace {

struct WindowFixture : ShellFixture
{
    FakeBrowser browser;
    HelpPages pages{QStringLiteral("/help")};
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(const QString &argument = {})
    {
        session->start(argument);
        window = std::make_unique<MainWindow>(*session, questions, browser, pages, *recent);
    }

    QAction *action(const QString &name) const { return window->findChild<QAction *>(name); }
};

// Every item of the menus: the menu it is in and its place there. The
// entries of 最近使ったファイル come and go with the files: not listed.
struct MenuItem
{
    QMenu *menu;
    QAction *action;
    int place;
};
QList<MenuItem> menuItems(QMenuBar *bar)
{
    QList<MenuItem> items;
    for (QAction *title : bar->actions()) {
        QMenu *menu = title->menu();
        const QList<QAction *> actions = menu->actions();
        for (int place = 0; place < actions.size(); ++place)
            if (!actions[place]->isSeparator())
                items.append({menu, actions[place], place});
    }
    return items;
}

bool isJapanese(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
    });
}

const QString kDown = QStringLiteral("デスクトップが応答しません");

// The desktop gone: every dialog, question, page and new process fails.
class FailingQuestions final : public vendara::testing::FakeQuestions
{
public:
    QString chooseFileToOpen(const QString &, const QString &, const QString &) override { throw Error(kDown); }
    QString chooseFileToSave(const QString &, const QString &, const QString &, Overwrite) override
    {
        throw Error(kDown);
    }
    Answer confirmOrCancel(const QString &, bool) override { throw Error(kDown); }
};
class FailingBrowser final : public HelpBrowser
{
public:
    bool openUrl(const QUrl &) override { throw Error(kDown); }
};
class FailingLauncher final : public ProcessLauncher
{
public:
    bool startProgram(const QStringList &) override { throw Error(kDown); }
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void menuItems_haveJapaneseTextAMnemonicOfTheirOwnAndAnAccessibleName()
    {
        WindowFixture f;
        QStringList titleKeys;
        for (const QAction *title : f.window->menuBar()->actions()) {
            QVERIFY2(isJapanese(title->text()), qPrintable(title->text()));
            titleKeys << QKeySequence::mnemonic(title->text()).toString();
        }
        QCOMPARE(QSet<QString>(titleKeys.cbegin(), titleKeys.cend()).size(), titleKeys.size());

        const QList<MenuItem> items = menuItems(f.window->menuBar());
        QVERIFY(!items.isEmpty());
        QHash<QMenu *, QSet<QString>> keysOfMenu;
        for (const MenuItem &item : items) {
            const QString text = item.action->text();
            QVERIFY2(isJapanese(text), qPrintable(text));
            QVERIFY2(!item.action->statusTip().isEmpty(), qPrintable(text));
            // Alt and the letter reach it, and no other item of its menu.
            const QString key = QKeySequence::mnemonic(text).toString();
            QVERIFY2(!key.isEmpty(), qPrintable(text));
            QVERIFY2(!keysOfMenu[item.menu].contains(key), qPrintable(text));
            keysOfMenu[item.menu].insert(key);
            // A screen reader reads the item by its text, without the "&".
            QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(item.menu);
            QVERIFY(menu && menu->child(item.place));
            const QString name = menu->child(item.place)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && !name.contains(u'&'), qPrintable(text));
        }
    }

    void shortcuts_areUniqueAndEachTriggersItsActionOnlyWhileEnabled()
    {
        WindowFixture f;
        QList<QAction *> withKeys;
        QSet<QKeySequence> keys;
        for (QAction *action : f.window->findChildren<QAction *>()) {
            for (const QKeySequence &key : action->shortcuts()) {
                QVERIFY2(!keys.contains(key), qPrintable(key.toString()));
                keys.insert(key);
            }
            if (!action->shortcut().isEmpty())
                withKeys << action;
        }
        for (QShortcut *shortcut : f.window->findChildren<QShortcut *>()) {
            QVERIFY2(!keys.contains(shortcut->key()), qPrintable(shortcut->key().toString()));
            keys.insert(shortcut->key());
        }
        // The keys of the everyday commands (and at least these).
        for (const char *name : {"newAction", "openAction", "saveAction", "saveAsAction", "printAction", "exitAction",
                                 "helpIndexAction"})
            QVERIFY2(withKeys.contains(f.action(QString::fromLatin1(name))), name);

        // 終了 last: it closes the window.
        std::stable_partition(withKeys.begin(), withKeys.end(), [&](QAction *a) { return a != f.action("exitAction"); });
        for (QAction *action : std::as_const(withKeys)) {
            QVERIFY(vendara::testing::showActive(f.window.get()));
            QSignalSpy triggered(action, &QAction::triggered);
            QTest::keySequence(f.window.get(), action->shortcut());
            QCoreApplication::processEvents();
            QVERIFY2(triggered.size() == (action->isEnabled() ? 1 : 0), qPrintable(action->objectName()));
        }
        QVERIFY(!f.window->isVisible());
        QCOMPARE(f.launcher.started.size(), 1);  // 新規作成
        QCOMPARE(f.browser.opened.size(), 1);    // 目次
        QCOMPARE(f.questions.folders.size(), 1); // 開く
    }

    void everyActionWhoseWorkFails_saysWhyThroughTheGuardAndKeepsTheWindow()
    {
        ShellFixture shell;
        FailingLauncher launcher;
        FailingBrowser browser;
        FailingQuestions questions;
        // Yes to "close without writing the lists?" of the options over the
        // broken data folder.
        questions.answer(true, 8);
        const QString path = shell.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        DocumentSession session(*shell.data, questions, shell.instances, launcher, *shell.recent);
        QVERIFY(session.start(path));
        HelpPages pages{QStringLiteral("/help")};
        MainWindow window(session, questions, browser, pages, *shell.recent);
        window.show();
        // Save, Undo and the recent file meet a folder where the file was,
        // 終了 a question that fails, the options a data folder that cannot be
        // read.
        session.document().setText(SlipField::CustName, QStringLiteral("鈴木"));
        QVERIFY(QFile::remove(path) && QDir().mkpath(path)); // a folder where the file was
        QVERIFY(QDir(shell.data->root() + QStringLiteral("Dat")).removeRecursively());
        QVERIFY(QFile(shell.data->root() + QStringLiteral("Dat")).open(QIODevice::WriteOnly));

        // Nothing that can fail stands behind these.
        // The slip list says what it cannot read in its status line.
        const QStringList cannotFail{"aboutAction", "secOpenAction", "secCloseAction", "slipListAction"};
        const ModalCloser closer;
        QStringList tried;
        for (QAction *action : window.findChildren<QAction *>()) {
            if (action->isSeparator() || action->menu() || !action->isEnabled()
                || cannotFail.contains(action->objectName()))
                continue;
            // The unnamed ones are the entries of 最近使ったファイル.
            tried << (action->objectName().isEmpty() ? QStringLiteral("a recent file") : action->objectName());
            const qsizetype before = questions.errors.size() + questions.warnings.size();
            action->trigger(); // an exception past the guard would end the test here
            QCoreApplication::processEvents();
            QVERIFY2(window.isVisible(), qPrintable(action->objectName()));
            QVERIFY2(questions.errors.size() + questions.warnings.size() > before, qPrintable(action->objectName()));
        }
        // Print commands are not wired here (the print tests fail them).
        tried.sort();
        QCOMPARE(tried, (QStringList{"a recent file", "exitAction", "helpIndexAction", "helpTopicAction",
                                     "latestInfoAction", "newAction", "openAction", "optionAction", "saveAction",
                                     "saveAsAction", "tutorialAction", "undoAction"}));
        QVERIFY(questions.errors.contains(kDown));
        QCOMPARE(session.document().text(SlipField::CustName), QStringLiteral("鈴木"));
    }

    void actionsOfLaterWork_areDisabledTheOthersNot()
    {
        WindowFixture f;
        for (const char *name : {"printAction", "previewAction", "printSetupAction", "exportPdfAction", "mailAction",
                                  "undoAction"})
            QVERIFY2(!f.action(QString::fromLatin1(name))->isEnabled(), name);
        for (const char *name : {"newAction", "openAction", "saveAction", "saveAsAction", "exitAction",
                                 "helpIndexAction", "aboutAction", "optionAction", "secOpenAction", "secCloseAction"})
            QVERIFY2(f.action(QString::fromLatin1(name))->isEnabled(), name);
    }

    void toolBar_buttonsHaveIconsHintsAndAMenuItemForTheKeyboard()
    {
        WindowFixture f;
        const QToolBar *bar = f.window->findChild<QToolBar *>();
        QList<QAction *> inMenus;
        for (const MenuItem &item : menuItems(f.window->menuBar()))
            inMenus << item.action;
        int buttons = 0;
        for (QAction *a : bar->actions()) {
            if (a->isSeparator())
                continue;
            ++buttons;
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY2(!a->statusTip().isEmpty(), qPrintable(a->objectName()));
            QVERIFY2(inMenus.contains(a), qPrintable(a->objectName()));
        }
        QVERIFY(buttons > 0);
    }

    void windowAt640By480_showsEveryToolButtonAndItsViewsAreNamed()
    {
        WindowFixture f;
        f.window->resize(640, 480);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QCOMPARE(f.window->size(), QSize(640, 480));
        const QToolBar *bar = f.window->findChild<QToolBar *>();
        // Every tool button fits: nothing goes into the overflow menu.
        QVERIFY(bar->sizeHint().width() <= 640);
        for (QWidget *w : f.window->findChildren<QWidget *>()) {
            if (w->focusPolicy() != Qt::NoFocus && w->isVisible() && qobject_cast<QAbstractScrollArea *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        }
        // Screen readers name every tool button, Qt's own overflow button too.
        for (QToolButton *button : bar->findChildren<QToolButton *>())
            QVERIFY2(!QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty(),
                     qPrintable(button->objectName()));
    }

    void titleAndUndo_followTheSession()
    {
        WindowFixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("[新規] - Parvex 自動車販売"));
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("[新規] - Parvex 自動車販売 <更新>"));
        f.questions.fileAnswers << f.slips(QStringLiteral("a"));
        f.action("saveAsAction")->trigger();
        const QString path = f.slips(QStringLiteral("a.pvq"));
        QCOMPARE(f.window->windowTitle(), path + QStringLiteral(" - Parvex 自動車販売"));
        QVERIFY(f.action("undoAction")->isEnabled());
        // The entry frame shows what the slip holds.
        bool shown = false;
        for (QLineEdit *edit : f.window->findChildren<QLineEdit *>())
            shown = shown || (edit->accessibleName() == QStringLiteral("氏名") && edit->text() == QStringLiteral("山田"));
        QVERIFY(shown);
    }

    void closeOfASavedSlip_remembersItsFolderOnlyAsTheWindowCloses()
    {
        WindowFixture f;
        f.window->show();
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.questions.fileAnswers << f.slips(QStringLiteral("a"));
        f.action("saveAsAction")->trigger();
        QCOMPARE(Settings(*f.data).startFolder(), QString());
        QVERIFY(f.window->close());
        QCOMPARE(Settings(*f.data).startFolder(), QFileInfo(f.slips(QStringLiteral("a.pvq"))).absolutePath() + u'/');
    }

    void close_asksAndCancelKeepsTheWindow()
    {
        WindowFixture f;
        f.window->show();
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.questions.answers << Questions::Answer::Cancel;
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        f.questions.answers << Questions::Answer::No;
        QVERIFY(f.window->close());
        QCOMPARE(f.questions.asked.size(), 2);
    }

    void help_opensThePages()
    {
        WindowFixture f;
        f.action("helpIndexAction")->trigger();
        f.action("helpTopicAction")->trigger();
        f.action("tutorialAction")->trigger();
        f.action("latestInfoAction")->trigger();
        QCOMPARE(f.browser.opened.size(), 4);
        QCOMPARE(f.browser.opened.at(0), QUrl::fromLocalFile(QStringLiteral("/help/index.html")));
        QCOMPARE(f.browser.opened.at(1), QUrl::fromLocalFile(QStringLiteral("/help/keywords.html")));
        QCOMPARE(f.browser.opened.at(2), QUrl::fromLocalFile(QStringLiteral("/help/topic33.html")));
        QCOMPARE(f.browser.opened.at(3).scheme(), QStringLiteral("https"));
    }

    void droppedSlipFile_isOpened()
    {
        WindowFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("d.pvq"), QStringLiteral("鈴木"));
        f.window->show();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(f.window->windowTitle(), path + QStringLiteral(" - Parvex 自動車販売"));
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("鈴木"));
    }

    void ctrlL_opensOneSlipListWhoseEnterOpensTheSlipHere()
    {
        const vendara::test::PrivateUserFolders userFolders;
        WindowFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("e.pvq"), QStringLiteral("高橋"));
        f.writeSlipFile(QStringLiteral("f.pvq"), QStringLiteral("田中"), QStringLiteral("00000008"));
        f.session->settings().setStartFolder(QFileInfo(path).absolutePath());
        QVERIFY(vendara::testing::showActive(f.window.get()));
        QTest::keySequence(f.window.get(), QKeySequence(QStringLiteral("Ctrl+L")));
        const auto lists = [] {
            QList<SlipListWindow *> found;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *list = qobject_cast<SlipListWindow *>(w); list && list->isVisible())
                    found << list;
            return found;
        };
        QCOMPARE(lists().size(), 1);
        SlipListWindow *list = lists().first();
        QTRY_COMPARE(list->model().totalCount(), 2);
        QVERIFY(QTest::qWaitForWindowActive(list));
        auto *search = list->findChild<QLineEdit *>(QStringLiteral("searchEdit"));
        QCOMPARE(QApplication::focusWidget(), search);
        vendara::testing::typeKeys(search, QStringLiteral("高橋"));
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.window->windowTitle(), path + QStringLiteral(" - Parvex 自動車販売"));
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("高橋"));

        // Again: the same list comes forward.
        QVERIFY(vendara::testing::showActive(f.window.get()));
        f.action(QStringLiteral("slipListAction"))->trigger();
        QCOMPARE(lists(), QList<SlipListWindow *>{list});
        // It goes with the slip's window.
        QVERIFY(f.window->close());
        QVERIFY(lists().isEmpty());
    }

    void ctrlSpaceInTheName_takesACustomerOfTheSavedSlips()
    {
        const vendara::test::PrivateUserFolders userFolders;
        WindowFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("e.pvq"), QStringLiteral("高橋"));
        f.writeSlipFile(QStringLiteral("f.pvq"), QStringLiteral("田中"), QStringLiteral("00000008"));
        f.session->settings().setStartFolder(QFileInfo(path).absolutePath());
        QVERIFY(vendara::testing::showActive(f.window.get()));
        f.action(QStringLiteral("secOpenAction"))->trigger();
        QLineEdit *name = nullptr;
        for (QLineEdit *edit : f.window->findChildren<QLineEdit *>())
            if (edit->accessibleName() == QStringLiteral("氏名"))
                name = edit;
        QVERIFY(name);
        name->setFocus();
        vendara::testing::typeKeys(name, QStringLiteral("田"));
        QString typed;
        whenModal<CustomerPickDialog>(
            [&](CustomerPickDialog *dialog) {
                auto *search = dialog->findChild<QLineEdit *>(QStringLiteral("searchEdit"));
                typed = search->text();
                QTest::keyClick(search, Qt::Key_Return);
            },
            [](CustomerPickDialog *dialog) { return dialog->shownCount() > 0; });
        QTest::keyClick(name, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(typed, QStringLiteral("田"));
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("田中"));
        QCOMPARE(name->text(), QStringLiteral("田中"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
