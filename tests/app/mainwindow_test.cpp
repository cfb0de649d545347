// The main window over scripted dialogs: menus, tool bar, titles, the close
// query and drops.
#include "shellfakes.h"

#include "app/helppages.h"
#include "app/widgets/mainwindow.h"
#include "support/fakedialogquestions.h"

#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBrowser>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QAccessible>
#include <QtTest>

using namespace vendara;
using namespace vendara::test;

namespace {

struct WindowFixture : ShellFixture
{
    FakeBrowser browser;
    vendara::testing::FakeDialogQuestions questions;
    HelpPages pages{QStringLiteral("/help")};
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(const QString &argument = {})
    {
        session->start(argument);
        window = std::make_unique<MainWindow>(*session, prompts, questions, browser, pages, *recent);
    }

    QMenu *menu(int index) const { return window->menuBar()->actions().at(index)->menu(); }
    QAction *action(const QString &name) const { return window->findChild<QAction *>(name); }
};

// A menu's items as captions, "-" for a separator.
QStringList captions(const QMenu *menu)
{
    QStringList result;
    for (const QAction *a : menu->actions())
        result << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return result;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void menus_haveTheirCaptionsOrderAndSeparators()
    {
        WindowFixture f;
        QStringList titles;
        for (const QAction *a : f.window->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"ファイル(&F)", "編集(&E)", "表示(&D)", "ヘルプ(&H)"}));
        QCOMPARE(captions(f.menu(0)),
                 (QStringList{"新規作成(&N)", "開く(&O)...", "上書き保存(&S)", "名前をつけて保存(&A)...", "-",
                              "印刷(&P)...", "印刷プレビュー(&V)", "プリンタ設定(&R)...", "PDFに出力(&D)...",
                              "メールで送る(&M)...", "-",
                              "最近使ったファイル(&F)", "-", "終了(&X)"}));
        QCOMPARE(captions(f.menu(1)), (QStringList{"前回保存時の状態に戻す(&U)", "-", "オプション設定(&K)..."}));
        QCOMPARE(captions(f.menu(2)),
                 (QStringList{"すべてのセクションを開く(&A)", "すべてのセクションを閉じる(&C)"}));
        QCOMPARE(captions(f.menu(3)), (QStringList{"目次(&C)", "トピックの検索(&S)", "チュートリアル(&G)",
                                                   "最新情報(&H)", "-", "バージョン情報(&A)..."}));
    }

    void actionsOfLaterWork_areDisabled_theOthersNot()
    {
        WindowFixture f;
        for (const char *name : {"printAction", "previewAction", "printSetupAction", "exportPdfAction", "mailAction",
                                  "undoAction"})
            QVERIFY2(!f.action(QString::fromLatin1(name))->isEnabled(), name);
        for (const char *name : {"newAction", "openAction", "saveAction", "saveAsAction", "exitAction",
                                 "helpIndexAction", "aboutAction", "optionAction", "secOpenAction", "secCloseAction"})
            QVERIFY2(f.action(QString::fromLatin1(name))->isEnabled(), name);
        QCOMPARE(f.action("newAction")->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(f.action("openAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(f.action("saveAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(f.action("printAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(f.action("exitAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    }

    void toolBar_showsIconsWithHints()
    {
        WindowFixture f;
        const QToolBar *bar = f.window->findChild<QToolBar *>();
        QStringList names;
        for (const QAction *a : bar->actions()) {
            if (a->isSeparator())
                continue;
            names << a->objectName();
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY2(!a->statusTip().isEmpty(), qPrintable(a->objectName()));
        }
        QCOMPARE(names, (QStringList{"newAction", "openAction", "saveAction", "printAction", "previewAction",
                                     "printSetupAction", "undoAction", "optionAction", "secOpenAction",
                                     "secCloseAction", "aboutAction"}));
    }

    void window_at640By480_showsEveryToolButton_andItsViewsAreNamed()
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

    void title_andUndo_followTheSession()
    {
        WindowFixture f;
        QCOMPARE(f.window->windowTitle(), QStringLiteral("[新規] - Parvex 自動車販売"));
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("[新規] - Parvex 自動車販売 <更新>"));
        f.prompts.saveAnswers << f.slips(QStringLiteral("a"));
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

    void close_asksAndCancelKeepsTheWindow()
    {
        WindowFixture f;
        f.window->show();
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.prompts.answers << UserPrompts::Answer::Cancel;
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        f.prompts.answers << UserPrompts::Answer::No;
        QVERIFY(f.window->close());
        QCOMPARE(f.prompts.questions.size(), 2);
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

    void drop_ofASlipFile_opensIt()
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
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
