// A data folder on a share that answers slowly or is gone: the window stays
// alive while file work waits, the user can stop it, and a stopped or failed
// save leaves every file whole.

#include "support/fileworkwaiters.h"
#include "support/permissions.h"
#include "support/shellfakes.h"
#include "support/testdata.h"
#include "support/whenmodal.h"

#include "common/atomicfile.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/filework.h"
#include "controls/widgets/fileworkwindow.h"
#include "controls/widgets/guifileworkwaiter.h"
#include "settings/settings.h"
#include "slip/slipfile.h"

#include <QDir>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace vendara;
using namespace vendara::test;

namespace {

// Work that waits for the test to let it go, then makes its change unless
// the wait was stopped.
struct HeldWork
{
    std::atomic<bool> released{false};
    std::atomic<bool> changed{false};
    std::atomic<bool> ended{false};

    std::function<void(FileWorkTask &)> work(bool commitFirst)
    {
        return [this, commitFirst](FileWorkTask &task) {
            const bool mayChange = commitFirst && task.commit();
            while (!released.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (mayChange || (!commitFirst && task.commit()))
                changed = true;
            ended = true;
        };
    }
};

} // namespace

class SlowShareTest : public QObject
{
    Q_OBJECT

private slots:
    void quickFileWork_showsNoWindow()
    {
        GuiFileWorkWaiter waiter;
        const WaiterInstalled installed(waiter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.pvq"));
        saveFileAtomically(path, "x");
        QCOMPARE(readBytes(path), QByteArray("x"));
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
                || !std::any_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                                [](QWidget *w) { return qobject_cast<FileWorkWindow *>(w); }));
        // Errors of the work reach the caller through the thread.
        QVERIFY_THROWS_EXCEPTION(Error, saveFileAtomically(dir.filePath(QStringLiteral("none/a.pvq")), "x"));
    }

    void slowFileWork_keepsTheWindowAliveAndAStopLeavesNoChange()
    {
        GuiFileWorkWaiter waiter(std::chrono::milliseconds(20));
        const WaiterInstalled installed(waiter);
        auto held = std::make_shared<HeldWork>();
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(5);
        bool stopShown = false;
        whenModal<FileWorkWindow>(
            [&](FileWorkWindow *window) {
                stopShown = window->stopButton()->isEnabled() && window->isVisible();
                window->stopButton()->click();
            },
            [&ticks](FileWorkWindow *) { return ticks > 3; });
        QString stopped;
        try {
            runFileWork(QStringLiteral("a.pvq の保存"), held->work(false));
        } catch (const Error &e) {
            stopped = e.message();
        }
        QCOMPARE(stopped, fileWorkStoppedMessage(QStringLiteral("a.pvq の保存")));
        QVERIFY(stopShown);
        QVERIFY2(ticks > 3, "no events were handled while the work waited");

        // The work wakes up later and must not make its change.
        held->released = true;
        QTRY_VERIFY(held->ended.load());
        QVERIFY(!held->changed.load());
    }

    void stopAfterTheWorkCommitted_waitsForItsEnd()
    {
        GuiFileWorkWaiter waiter(std::chrono::milliseconds(20));
        const WaiterInstalled installed(waiter);
        auto held = std::make_shared<HeldWork>();
        bool finishingShown = false;
        whenModal<FileWorkWindow>([&](FileWorkWindow *window) {
            window->stopButton()->click();
            finishingShown = !window->stopButton()->isEnabled();
            QTimer::singleShot(30, [held] { held->released = true; });
        });
        runFileWork(QStringLiteral("a.pvq の保存"), held->work(true));
        QVERIFY(finishingShown);
        QVERIFY(held->changed.load());
    }

    // The settings file's lock held by another desk: the save waits for it
    // with the window alive, and a stop gives the same answer as a lock that
    // never comes.
    void saveWhileTheNumberingIsHeld_canBeStoppedAndSaysSo()
    {
        ShellFixture f;
        QVERIFY(f.session->start(QString()));
        GuiFileWorkWaiter waiter(std::chrono::milliseconds(20));
        const WaiterInstalled installed(waiter);
        const FileLock otherDesk(Settings(*f.data).lockPath());
        whenModal<FileWorkWindow>([](FileWorkWindow *window) { window->stopButton()->click(); });
        f.questions.fileAnswers << f.slips(QStringLiteral("s.pvq"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(f.session->saveAs());
        QVERIFY2(timer.elapsed() < FileLock::kDefaultTimeoutMs, "the stop did not end the wait");
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().contains(QStringLiteral("中止しました")),
                 qPrintable(f.questions.warnings.first()));
        QVERIFY(QFileInfo::exists(f.slips(QStringLiteral("s.pvq"))));
    }

    // A share that no longer answers holds up the first look at the folder,
    // before anything of the save runs on the window's thread.
    void saveToAShareThatStoppedAnswering_isGivenUpBeforeItTouchesIt()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        const QByteArray before = readBytes(path);
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        InterferingWaiter waiter;
        waiter.stopFirst = [](const QString &what) { return what.endsWith(QStringLiteral(" の確認")); };
        const WaiterInstalled installed(waiter);
        QVERIFY(!f.session->save());
        QCOMPARE(waiter.waitedFor, QStringList{f.slips(QString()).chopped(1) + QStringLiteral(" の確認")});
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().contains(QStringLiteral("中止しました")),
                 qPrintable(f.questions.warnings.first()));
        QCOMPARE(readBytes(path), before);
        QVERIFY(f.session->document().isModified());
    }

    void slipFolderRemovedDuringASave_saysSoAndLeavesNothingHalfWritten()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        InterferingWaiter waiter;
        waiter.before = [&](const QString &what) {
            if (what == QStringLiteral("a.pvq の保存"))
                QDir(f.slips(QString())).removeRecursively(); // the share goes away
        };
        const WaiterInstalled installed(waiter);
        QVERIFY(!f.session->save());
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().contains(QStringLiteral("に書き込めません")),
                 qPrintable(f.questions.warnings.first()));
        QVERIFY(f.session->document().isModified());
        QVERIFY(!QFileInfo::exists(f.slips(QString()))); // nothing made it back
    }

    void slipFolderMadeReadOnlyMidSave_keepsTheOldFileWhole()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        const QByteArray before = readBytes(path);
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        const QString folder = f.slips(QString());
        const auto writable = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        InterferingWaiter waiter;
        waiter.before = [&](const QString &what) {
            if (what == QStringLiteral("a.pvq の保存"))
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        };
        const WaiterInstalled installed(waiter);
        const PermissionsBind bind;
        if (!bind.failure().isEmpty())
            QSKIP(qPrintable(bind.failure()));
        QVERIFY(!f.session->save());
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY(f.questions.warnings.first().contains(QStringLiteral("に書き込めません")));
        QCOMPARE(readBytes(path), before);
        QVERIFY(f.session->document().isModified());
        const QStringList left = filesIn(folder);
        QVERIFY2(left.size() == 2 && left.contains(QStringLiteral("a.pvq")), qPrintable(left.join(u' ')));
    }
};

QTEST_MAIN(SlowShareTest)
#include "slowshare_test.moc"
