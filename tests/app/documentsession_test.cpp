// The document lifecycle of the main window over scripted dialogs: titles,
// Open, Save, Save As with the numbering, Undo, the close query and the
// clean-up when the window goes.
#include "support/testdata.h"
#include "support/permissions.h"
#include "support/shellfakes.h"

#include "app/appinfo.h"
#include "app/helppages.h"
#include "settings/settings.h"
#include "common/error.h"
#include "common/filelock.h"
#include "common/iniprofile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace vendara;
using namespace vendara::test;

namespace {

const QString kNewTitle = QStringLiteral("[新規] - Parvex 自動車販売");
const QString kSaveQuestion = QStringLiteral("保存しますか？");
const QString kOverwriteQuestion = QStringLiteral("同名のファイルがあります\n上書きしますか？");

QString fileTitle(const QString &path, bool modified = false)
{
    return path + QStringLiteral(" - Parvex 自動車販売") + (modified ? QStringLiteral(" <更新>") : QString());
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Starts the session on a slip file and leaves a temporary print copy, as
// printing does; the copy's path.
QString startWithAPrintCopy(ShellFixture &f)
{
    const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
    if (!f.session->start(path))
        qFatal("the session did not start");
    const QString temp = f.session->tempSlipPath();
    writeBytes(temp, "print copy");
    return temp;
}

const QString kReadOnlyMark = QStringLiteral(" [読み取り専用]");

// Two desks sharing the slips folder: only the machines differ.
const DeskIdentity kDeskA{QStringLiteral("desk-a"), QStringLiteral("tanaka"), QCoreApplication::applicationPid()};
const DeskIdentity kDeskB{QStringLiteral("desk-b"), QStringLiteral("suzuki"), QCoreApplication::applicationPid()};

QString heldElsewhereText(const QString &fileName)
{
    return fileName + QStringLiteral("は他の端末で開かれています");
}

// A second window on another desk, over the same data and slips folders.
struct OtherDesk
{
    testing::FakeQuestions questions;
    FakeInstances instances;
    FakeLauncher launcher;
    DocumentSession session;

    OtherDesk(ShellFixture &f, const DeskIdentity &desk)
        : session(*f.data, questions, instances, launcher, *f.recent, desk)
    {
    }
};

} // namespace

class DocumentSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void newSlip_titleFollowsChangesAndUndoIsNeverEnabled()
    {
        ShellFixture f;
        QSignalSpy undoSpy(f.session.get(), &DocumentSession::undoEnabledChanged);
        QSignalSpy titleSpy(f.session.get(), &DocumentSession::titleChanged);
        QVERIFY(f.session->start(QString()));
        QCOMPARE(f.session->title(), kNewTitle);
        QVERIFY(!f.session->isUndoEnabled());

        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        QCOMPARE(f.session->title(), kNewTitle + QStringLiteral(" <更新>"));
        QCOMPARE(titleSpy.last().at(0).toString(), kNewTitle + QStringLiteral(" <更新>"));
        f.session->undo(); // nothing to go back to
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田"));
        QCOMPARE(undoSpy.count(), 0);
        QVERIFY(f.questions.warnings.isEmpty());
    }

    void start_takesTheDefaultsOfTheSettings()
    {
        ShellFixture f;
        testing::FakeQuestions &p = f.questions;
        IniProfile ini;
        ini.writeInt(QStringLiteral("Slip"), QStringLiteral("No"), 41);
        ini.writeFloat(QStringLiteral("Tax"), QStringLiteral("SRate"), 8);
        ini.writeString(QStringLiteral("Init"), QStringLiteral("Dir"), f.slips(QString()));
        ini.save(f.settingsPath());
        QVERIFY(f.session->start(QString()));
        QCOMPARE(f.session->document().text(SlipField::SlipCode), QStringLiteral("00000041"));
        QCOMPARE(f.session->document().number(SlipField::TaxRate), 8.0);
        QVERIFY(f.session->document().eventsOn());
        QVERIFY(!f.session->runTag().isEmpty());
        f.session->open();
        QCOMPARE(p.folders, QStringList{f.slips(QString())});
    }

    void startWithAFile_showsIt()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田 太郎"));
        QVERIFY(f.session->start(path));
        QCOMPARE(f.session->title(), fileTitle(path));
        QVERIFY(f.session->isUndoEnabled());
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田 太郎"));
        QVERIFY(!f.session->document().isModified());
        QCOMPARE(f.instances.claimed, QFileInfo(path).canonicalFilePath());
        QCOMPARE(f.recent->entries(), QStringList{path});
    }

    void startWithTheNameOfNothing_isANewSlipWithoutMessage()
    {
        ShellFixture f;
        QVERIFY(f.session->start(f.slips(QStringLiteral("missing.pvq"))));
        QCOMPARE(f.session->title(), kNewTitle);
        QVERIFY(f.questions.warnings.isEmpty());
    }

    void startWithAnUnreadableFile_saysWhyAndShowsANewSlip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("nul bytes") << "nul";
        QTest::newRow("not shift-jis") << "badbytes";
        QTest::newRow("no permission") << "permission";
    }
    void startWithAnUnreadableFile_saysWhyAndShowsANewSlip()
    {
        QFETCH(QString, kind);
        ShellFixture f;
        QString path = f.slips(QStringLiteral("bad.pvq"));
        // Root reads any file: for the permission row it puts that power down.
        std::optional<PermissionsBind> bind;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("nul")) {
            writeBytes(path, QByteArray("[Cust]\r\nName=a\0b\r\n", 18));
        } else if (kind == QLatin1String("badbytes")) {
            writeBytes(path, QByteArray("[Cust]\r\nName=\x81\x7f\r\n"));
        } else {
            writeBytes(path, QByteArray("[Cust]\r\nName=x\r\n"));
            QFile(path).setPermissions(QFileDevice::Permissions());
            bind.emplace();
            QVERIFY2(bind->failure().isEmpty(), qPrintable(bind->failure()));
        }
        QVERIFY(f.session->start(path));
        bind.reset();
        QCOMPARE(f.session->title(), kNewTitle);
        QVERIFY(!f.session->isUndoEnabled());
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().contains(path), qPrintable(f.questions.warnings.first()));
        QVERIFY(f.instances.claimed.isEmpty());
        QVERIFY(f.session->document().eventsOn());
    }

    void startWithAFileShownElsewhere_handsOver()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        const QString canonical = QFileInfo(path).canonicalFilePath();
        f.instances.shownElsewhere.insert(canonical);
        QVERIFY(!f.session->start(path));
        QCOMPARE(f.instances.activated, QStringList{canonical});
    }

    void saveAsANewSlip_presetsTheDefaultNameAddsTheExtensionAndNumbers()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(3);
        QVERIFY(f.session->start(QString()));
        SlipDocument &doc = f.session->document();
        doc.setText(SlipField::SlipCode, QStringLiteral("00000012"));
        doc.setDate(SlipField::SlipDate, QDate(2026, 12, 7));
        f.questions.fileAnswers << f.slips(QStringLiteral("yamada"));
        QVERIFY(f.session->saveAs());

        QCOMPARE(QFileInfo(f.questions.presets.value(0)).fileName(), QStringLiteral("00000012-26-12-07.pvq"));
        const QString path = f.slips(QStringLiteral("yamada.pvq"));
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(f.session->title(), fileTitle(path));
        QVERIFY(f.session->isUndoEnabled());
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 13);
        QCOMPARE(f.instances.claimed, QFileInfo(path).canonicalFilePath());
        QVERIFY(f.questions.asked.isEmpty());

        // The next change names the file, not "[新規]".
        doc.setText(SlipField::CustName, QStringLiteral("山田"));
        QCOMPARE(f.session->title(), fileTitle(path, true));
        // What was written reads back.
        SlipDocument back;
        readSlip(back, path);
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000012"));
    }

    void saveAs_numbering_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("above the next number") << "00000005" << 3 << 6;
        QTest::newRow("below the next number") << "00000005" << 9 << 9;
        QTest::newRow("equal to the next number") << "00000005" << 5 << 6;
        QTest::newRow("not a number counts as 0") << "  12    x" << 0 << 1;
        QTest::newRow("largest slip number") << "99999999" << 0 << 100000000;
    }
    void saveAs_numbering()
    {
        QFETCH(QString, code);
        QFETCH(int, before);
        QFETCH(int, after);
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(before);
        QVERIFY(f.session->start(QString()));
        f.session->document().setText(SlipField::SlipCode, code);
        f.questions.fileAnswers << f.slips(QStringLiteral("n.pvq"));
        QVERIFY(f.session->saveAs());
        QCOMPARE(Settings(*f.data).nextSlipNumber(), after);
    }

    void saveOfAnOpenedFile_leavesTheNumberingAlone()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(2);
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"), QStringLiteral("00000050"));
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("y"));
        QVERIFY(f.session->save());
        QVERIFY(f.questions.presets.isEmpty()); // no dialog
        QCOMPARE(f.session->title(), fileTitle(path));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 2);
        SlipDocument back;
        readSlip(back, path);
        QCOMPARE(back.text(SlipField::CustName), QStringLiteral("y"));
    }

    void newSlipWhoseNumberAnotherWindowTook_takesTheNextAndIsNamedAfterIt()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(5);
        QVERIFY(f.session->start(QString()));
        SlipDocument &doc = f.session->document();
        QCOMPARE(doc.text(SlipField::SlipCode), QStringLiteral("00000005"));
        doc.setDate(SlipField::SlipDate, QDate(2026, 12, 7));
        QCOMPARE(Settings(*f.data).takeSlipNumber(), 5); // another window's save
        f.questions.fileAnswers << f.slips(QStringLiteral("n.pvq"));
        QVERIFY(f.session->saveAs());

        QCOMPARE(QFileInfo(f.questions.presets.value(0)).fileName(), QStringLiteral("00000006-26-12-07.pvq"));
        SlipDocument back;
        readSlip(back, f.slips(QStringLiteral("n.pvq")));
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000006"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 7);
        QVERIFY(f.questions.warnings.isEmpty());
    }

    void numberTakenWhileTheSaveDialogIsOpen_isNotUsedTwice()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(5);
        // Another desk saves a new slip while this one's dialog is open.
        struct DeskSavingMeanwhile : testing::FakeQuestions
        {
            const DataFolder *data = nullptr;
            QString chooseFileToSave(const QString &title, const QString &preset, const QString &filter,
                                     Overwrite overwrite) override
            {
                Settings(*data).takeSlipNumber();
                return FakeQuestions::chooseFileToSave(title, preset, filter, overwrite);
            }
        } questions;
        questions.data = f.data.get();
        questions.fileAnswers << f.slips(QStringLiteral("n.pvq"));
        DocumentSession session(*f.data, questions, f.instances, f.launcher, *f.recent);
        QVERIFY(session.start(QString()));
        QVERIFY(session.saveAs());

        QCOMPARE(session.document().text(SlipField::SlipCode), QStringLiteral("00000006"));
        QVERIFY(!session.document().isModified());
        SlipDocument back;
        readSlip(back, f.slips(QStringLiteral("n.pvq")));
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000006"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 7);
        // Saved once, the slip keeps its number.
        QVERIFY(session.save());
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 7);
        QCOMPARE(session.document().text(SlipField::SlipCode), QStringLiteral("00000006"));
    }

    void twoWindowsSavingNewSlips_getTwoNumbers()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(3);
        testing::FakeQuestions otherQuestions;
        FakeInstances otherInstances;
        DocumentSession other(*f.data, otherQuestions, otherInstances, f.launcher, *f.recent);
        QVERIFY(f.session->start(QString()));
        QVERIFY(other.start(QString()));
        QCOMPARE(other.document().text(SlipField::SlipCode), QStringLiteral("00000003"));
        f.questions.fileAnswers << f.slips(QStringLiteral("a.pvq"));
        otherQuestions.fileAnswers << f.slips(QStringLiteral("b.pvq"));
        QVERIFY(f.session->saveAs());
        QVERIFY(other.saveAs());
        SlipDocument a;
        SlipDocument b;
        readSlip(a, f.slips(QStringLiteral("a.pvq")));
        readSlip(b, f.slips(QStringLiteral("b.pvq")));
        QCOMPARE(a.text(SlipField::SlipCode), QStringLiteral("00000003"));
        QCOMPARE(b.text(SlipField::SlipCode), QStringLiteral("00000004"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 5);
    }

    void newSlipWhoseFirstWriteFails_keepsItsNumberForTheNextTry()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(5);
        writeBytes(f.slips(QStringLiteral("notafolder")), "x");
        QVERIFY(f.session->start(QString()));
        f.questions.fileAnswers << f.slips(QStringLiteral("notafolder/s.pvq")) << f.slips(QStringLiteral("s.pvq"));
        QVERIFY(!f.session->saveAs());
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY(f.questions.warnings.first().startsWith(QStringLiteral("保存できませんでした")));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 5);
        QVERIFY(f.session->saveAs());
        SlipDocument back;
        readSlip(back, f.slips(QStringLiteral("s.pvq")));
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000005"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 6);
    }

    void newSlipWhileTheNumberingStaysLocked_isSavedUnderItsNumberAndSaysSo()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(5);
        QVERIFY(f.session->start(QString()));
        f.session->settings().setLockTimeout(0);
        const FileLock otherDesk(f.session->settings().lockPath());
        f.questions.fileAnswers << f.slips(QStringLiteral("s.pvq"));
        QVERIFY(f.session->saveAs());
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY2(f.questions.warnings.first().startsWith(QStringLiteral("伝票番号を設定ファイルに書き込めませんでした")),
                 qPrintable(f.questions.warnings.first()));
        QVERIFY2(f.questions.warnings.first().contains(f.session->settings().lockPath()),
                 qPrintable(f.questions.warnings.first()));
        SlipDocument back;
        readSlip(back, f.slips(QStringLiteral("s.pvq")));
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000005"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 5);
    }

    void slipOpenedUnderTheNumberANewSlipWouldShow_keepsItsNumber()
    {
        ShellFixture f;
        Settings(*f.data).setNextSlipNumber(7);
        QVERIFY(f.session->start(QString()));
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"), QStringLiteral("00000007"));
        QCOMPARE(f.session->openFile(path), DocumentSession::OpenResult::Opened);
        Settings(*f.data).setNextSlipNumber(9);
        f.questions.fileAnswers << f.slips(QStringLiteral("copy.pvq"));
        QVERIFY(f.session->saveAs());
        SlipDocument back;
        readSlip(back, f.slips(QStringLiteral("copy.pvq")));
        QCOMPARE(back.text(SlipField::SlipCode), QStringLiteral("00000007"));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 9);
    }

    void saveAsOverAnExistingFileAnsweredNo_writesNothing()
    {
        ShellFixture f;
        const QString other = f.writeSlipFile(QStringLiteral("other.pvq"), QStringLiteral("他人"));
        const QByteArray before = bytesOf(other);
        QVERIFY(f.session->start(QString()));
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.questions.fileAnswers << QFileInfo(other).absolutePath() + QStringLiteral("/other"); // extension added
        f.questions.answers << Questions::Answer::No;
        QVERIFY(!f.session->saveAs());
        QCOMPARE(f.questions.asked, QStringList{kOverwriteQuestion});
        QCOMPARE(bytesOf(other), before);
        // The dialog must not ask too: the name it returns has no extension yet.
        QCOMPARE(f.questions.overwrites.value(0), Questions::Overwrite::CallerAsks);
        QCOMPARE(f.session->path(), QString());
        QCOMPARE(f.session->title(), kNewTitle + QStringLiteral(" <更新>"));

        f.questions.fileAnswers << other;
        f.questions.answers << Questions::Answer::Yes;
        QVERIFY(f.session->saveAs());
        SlipDocument back;
        readSlip(back, other);
        QCOMPARE(back.text(SlipField::CustName), QStringLiteral("山田"));
    }

    void saveAsOntoItsOwnFile_asksBeforeReplacing()
    {
        ShellFixture f;
        const QString own = f.writeSlipFile(QStringLiteral("own.pvq"), QStringLiteral("山田"));
        QVERIFY(f.session->start(own));
        const QByteArray before = bytesOf(own);
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        f.questions.fileAnswers << own;
        f.questions.answers << Questions::Answer::No;
        QVERIFY(!f.session->saveAs());
        QCOMPARE(f.questions.asked, QStringList{kOverwriteQuestion});
        QCOMPARE(bytesOf(own), before);
        QVERIFY(f.session->document().isModified());
    }

    void saveAsOverAFileAnotherWindowShows_isRefused()
    {
        ShellFixture f;
        const QString other = f.writeSlipFile(QStringLiteral("other.pvq"), QStringLiteral("他人"));
        f.instances.shownElsewhere.insert(QFileInfo(other).canonicalFilePath());
        const QByteArray before = bytesOf(other);
        QVERIFY(f.session->start(QString()));
        f.questions.fileAnswers << other;
        QVERIFY(!f.session->saveAs());
        QCOMPARE(bytesOf(other), before);
        QCOMPARE(f.questions.warnings.size(), 1);
    }

    void openOverAnUnchangedSlip_readsTheFile()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田 太郎"));
        QVERIFY(f.session->start(QString()));
        f.questions.fileAnswers << path;
        f.session->open();
        QCOMPARE(f.session->title(), fileTitle(path));
        QVERIFY(f.session->isUndoEnabled());
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田 太郎"));
        QVERIFY(f.session->document().eventsOn());
        QVERIFY(f.launcher.started.isEmpty());
        QCOMPARE(f.instances.claimed, QFileInfo(path).canonicalFilePath());
    }

    void openOverAChangedSlip_startsAnotherProcessAndKeepsThisOne()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田 太郎"));
        QVERIFY(f.session->start(QString()));
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        QCOMPARE(f.session->openFile(path), DocumentSession::OpenResult::StartedProcess);
        QCOMPARE(f.launcher.started, QList<QStringList>{QStringList{path}});
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("佐藤"));
        QCOMPARE(f.session->title(), kNewTitle + QStringLiteral(" <更新>"));
    }

    void slipAnotherDeskHolds_declined_opensReadOnlyAndNeverWritesIt()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        OtherDesk a(f, kDeskA);
        QVERIFY(a.session.start(path));
        QCOMPARE(sliplock::read(path), kDeskA);

        OtherDesk b(f, kDeskB);
        QVERIFY(b.session.start(QString()));
        b.questions.answer(false);
        QCOMPARE(b.session.openFile(path), DocumentSession::OpenResult::Opened);
        QCOMPARE(b.questions.asked.size(), 1);
        QVERIFY(b.questions.asked.first().startsWith(heldElsewhereText(QStringLiteral("a.pvq"))));
        QVERIFY(b.questions.asked.first().contains(QStringLiteral("desk-a")));
        QVERIFY(b.session.isReadOnly());
        QCOMPARE(b.session.title(), path + kReadOnlyMark + QStringLiteral(" - Parvex 自動車販売"));
        QCOMPARE(b.session.document().text(SlipField::CustName), QStringLiteral("山田"));
        QCOMPARE(sliplock::read(path), kDeskA);

        // Save goes to Save As, and the other desk's file is refused there too.
        const QByteArray before = bytesOf(path);
        b.session.document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        b.questions.fileAnswers << path;
        QVERIFY(!b.session.save());
        QCOMPARE(b.questions.notices.size(), 1);
        QCOMPARE(b.questions.presets, QStringList{path});
        QCOMPARE(b.questions.warnings.size(), 1);
        QVERIFY(b.questions.warnings.first().startsWith(heldElsewhereText(QStringLiteral("a.pvq"))));
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(sliplock::read(path), kDeskA);

        // Under another name the slip is this desk's own.
        const QString copy = f.slips(QStringLiteral("copy.pvq"));
        b.questions.fileAnswers << copy;
        QVERIFY(b.session.save());
        QVERIFY(!b.session.isReadOnly());
        QCOMPARE(b.session.title(), fileTitle(copy));
        QCOMPARE(sliplock::read(copy), kDeskB);
        QCOMPARE(sliplock::read(path), kDeskA);
        QCOMPARE(bytesOf(path), before);

        // The read-only window let go of nothing it never held.
        b.session.finish();
        QCOMPARE(sliplock::read(path), kDeskA);
        QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(copy)));
    }

    void slipAnotherDeskHolds_accepted_isTakenOverAndTheFirstDeskNoLongerWritesIt()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        OtherDesk a(f, kDeskA);
        QVERIFY(a.session.start(path));

        OtherDesk b(f, kDeskB);
        b.questions.answer(true);
        QVERIFY(b.session.start(path));
        QCOMPARE(b.questions.asked.size(), 1);
        QVERIFY(!b.session.isReadOnly());
        QCOMPARE(b.session.title(), fileTitle(path));
        QCOMPARE(sliplock::read(path), kDeskB);

        b.session.document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        QVERIFY(b.session.save());
        const QByteArray saved = bytesOf(path);

        // The first desk's next save finds the slip taken: it is not written
        // over, and the window turns read-only.
        a.session.document().setText(SlipField::CustName, QStringLiteral("鈴木"));
        QVERIFY(!a.session.save());
        QCOMPARE(a.questions.warnings.size(), 1);
        QVERIFY(a.questions.warnings.first().contains(QStringLiteral("desk-b")));
        QCOMPARE(a.questions.presets, QStringList{path});
        QVERIFY(a.session.isReadOnly());
        QVERIFY(a.session.title().contains(kReadOnlyMark));
        QCOMPARE(bytesOf(path), saved);

        // Its close leaves the other desk's lock alone.
        a.session.finish();
        QCOMPARE(sliplock::read(path), kDeskB);
        b.session.finish();
        QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(path)));
    }

    void lockOfAProcessGoneOnThisMachine_isTakenWithoutAQuestion()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        const qint64 dead = test::deadProcessId();
        QVERIFY(dead > 0);
        sliplock::write(path, DeskIdentity{kDeskA.host, kDeskA.user, dead});
        OtherDesk a(f, kDeskA);
        QVERIFY(a.session.start(path));
        QVERIFY(a.questions.asked.isEmpty());
        QVERIFY(!a.session.isReadOnly());
        QCOMPARE(sliplock::read(path), kDeskA);
    }

    void lockOfALiveProcessOnThisMachine_isStillTheWindowThatComesForward()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        OtherDesk first(f, kDeskA);
        QVERIFY(first.session.start(path));
        // The second process of this desk finds the first through the
        // instance registry before any lock is looked at.
        OtherDesk second(f, DeskIdentity{kDeskA.host, kDeskA.user, kDeskA.pid + 1});
        second.instances.shownElsewhere.insert(QFileInfo(path).canonicalFilePath());
        QVERIFY(!second.session.start(path));
        QCOMPARE(second.instances.activated.size(), 1);
        QVERIFY(second.questions.asked.isEmpty());
        QCOMPARE(sliplock::read(path), kDeskA);
    }

    void lockIsLetGoOnCloseOnOpeningAnotherFileAndWhenTheSessionGoes()
    {
        ShellFixture f;
        const QString a = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        const QString b = f.writeSlipFile(QStringLiteral("b.pvq"), QStringLiteral("y"));
        {
            OtherDesk desk(f, kDeskA);
            QVERIFY(desk.session.start(a));
            QVERIFY(QFileInfo::exists(sliplock::lockPathFor(a)));
            QCOMPARE(desk.session.openFile(b), DocumentSession::OpenResult::Opened);
            QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(a)));
            QCOMPARE(sliplock::read(b), kDeskA);
            desk.session.finish();
            QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(b)));
        }
        {
            OtherDesk desk(f, kDeskA);
            QVERIFY(desk.session.start(a));
            QVERIFY(QFileInfo::exists(sliplock::lockPathFor(a)));
        }
        QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(a)));
        QCOMPARE(QDir(f.slips(QString())).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("a.pvq"), QStringLiteral("b.pvq")}));
    }

    void newSlipSavedUnderAName_takesThatFilesLockAndSaveAsMovesIt()
    {
        ShellFixture f;
        OtherDesk desk(f, kDeskA);
        QVERIFY(desk.session.start(QString()));
        const QString first = f.slips(QStringLiteral("first.pvq"));
        const QString second = f.slips(QStringLiteral("second.pvq"));
        desk.questions.fileAnswers << first << second;
        QVERIFY(desk.session.saveAs());
        QCOMPARE(sliplock::read(first), kDeskA);
        QVERIFY(desk.session.saveAs());
        QVERIFY(!QFileInfo::exists(sliplock::lockPathFor(first)));
        QCOMPARE(sliplock::read(second), kDeskA);
    }

    void slipWhoseLockCannotBeWritten_opensReadOnlyAndSaysWhy()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        const QString folder = QFileInfo(path).absolutePath();
        const auto open = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        {
            const PermissionsBind bind;
            if (!bind.failure().isEmpty()) {
                QFile::setPermissions(folder, open);
                QSKIP(qPrintable(bind.failure()));
            }
            OtherDesk desk(f, kDeskA);
            QVERIFY(desk.session.start(path));
            QVERIFY(desk.session.isReadOnly());
            QCOMPARE(desk.questions.warnings.size(), 1);
            QVERIFY(desk.questions.warnings.first().contains(QStringLiteral("読み取り専用")));
            QVERIFY(desk.session.title().contains(kReadOnlyMark));
        }
        QFile::setPermissions(folder, open);
    }

    void openAFileShownElsewhere_bringsThatWindowForward()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        f.instances.shownElsewhere.insert(QFileInfo(path).canonicalFilePath());
        QVERIFY(f.session->start(QString()));
        QCOMPARE(f.session->openFile(path), DocumentSession::OpenResult::ShownElsewhere);
        QCOMPARE(f.instances.activated.size(), 1);
        QCOMPARE(f.session->title(), kNewTitle);
    }

    void openTheFileThisWindowShows_raisesThisWindow()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("changed"));
        QSignalSpy raise(f.session.get(), &DocumentSession::raiseRequested);
        QCOMPARE(f.session->openFile(path), DocumentSession::OpenResult::ShownElsewhere);
        QCOMPARE(raise.count(), 1);
        QVERIFY(f.launcher.started.isEmpty());
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("changed"));
    }

    void openUnreadableFile_keepsTheSlipOnScreen()
    {
        ShellFixture f;
        const QString good = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        const QString bad = f.slips(QStringLiteral("bad.pvq"));
        writeBytes(bad, QByteArray("\x00\x01\x02", 3));
        QVERIFY(f.session->start(good));
        QCOMPARE(f.session->openFile(bad), DocumentSession::OpenResult::Failed);
        QCOMPARE(f.session->title(), fileTitle(good));
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田"));
        QCOMPARE(f.questions.warnings.size(), 1);
    }

    void undo_readsTheSavedStateAgain()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("山田"));
        QVERIFY(f.session->start(path));
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        QCOMPARE(f.session->title(), fileTitle(path, true));
        f.session->undo();
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田"));
        QCOMPARE(f.session->title(), fileTitle(path));
        QVERIFY(f.session->document().eventsOn());

        // A file deleted since: the slip on screen is all that is left.
        f.session->document().setText(SlipField::CustName, QStringLiteral("佐藤"));
        QVERIFY(QFile::remove(path));
        f.session->undo();
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("佐藤"));
        QCOMPARE(f.questions.warnings.size(), 1);
    }

    void closeQueryOfAnUnchangedSlip_asksNothing()
    {
        ShellFixture f;
        QVERIFY(f.session->start(QString()));
        QVERIFY(f.session->queryClose());
        QVERIFY(f.questions.asked.isEmpty());
    }

    void closeQuery_answers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("dialog"); // what the save dialog gives
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        QTest::newRow("cancel keeps the window") << int(Questions::Answer::Cancel) << "" << false << false;
        QTest::newRow("no closes unsaved") << int(Questions::Answer::No) << "" << true << false;
        QTest::newRow("yes saves and closes") << int(Questions::Answer::Yes) << "s.pvq" << true << true;
        QTest::newRow("yes then dialog cancelled keeps the window")
            << int(Questions::Answer::Yes) << "" << false << false;
    }
    void closeQuery_answers()
    {
        QFETCH(int, answer);
        QFETCH(QString, dialog);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        ShellFixture f;
        QVERIFY(f.session->start(QString()));
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.questions.answers << Questions::Answer(answer);
        if (!dialog.isEmpty())
            f.questions.fileAnswers << f.slips(dialog);
        QCOMPARE(f.session->queryClose(), closes);
        QCOMPARE(f.questions.asked.value(0), kSaveQuestion);
        QCOMPARE(f.questions.askedWithCancel.value(0), kSaveQuestion);
        QCOMPARE(QFileInfo::exists(f.slips(QStringLiteral("s.pvq"))), written);
        QCOMPARE(f.session->document().isModified(), !written);
        QCOMPARE(f.session->document().text(SlipField::CustName), QStringLiteral("山田"));
    }

    void closeQueryYesButTheWriteFails_keepsWindowSlipAndMark()
    {
        ShellFixture f;
        // A "folder" that is a file: no write can succeed there, whoever runs the test.
        writeBytes(f.slips(QStringLiteral("notafolder")), "x");
        QVERIFY(f.session->start(QString()));
        f.session->document().setText(SlipField::CustName, QStringLiteral("山田"));
        f.questions.answers << Questions::Answer::Yes;
        f.questions.fileAnswers << f.slips(QStringLiteral("notafolder/s.pvq"));
        QVERIFY(!f.session->queryClose());
        QVERIFY(f.session->document().isModified());
        QCOMPARE(f.session->title(), kNewTitle + QStringLiteral(" <更新>"));
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY(f.questions.warnings.first().startsWith(QStringLiteral("保存できませんでした")));
        QCOMPARE(Settings(*f.data).nextSlipNumber(), 0);
    }

    void finish_deletesTheTempSlipAndRemembersTheFolder()
    {
        ShellFixture f;
        const QString path = f.writeSlipFile(QStringLiteral("a.pvq"), QStringLiteral("x"));
        QVERIFY(f.session->start(path));
        const QString temp = f.session->tempSlipPath();
        QVERIFY(temp.startsWith(f.data->tmpDir() + f.session->runTag()));
        writeBytes(temp, "print copy");
        f.session->finish();
        QVERIFY(!QFileInfo::exists(temp));
        QCOMPARE(Settings(*f.data).startFolder(), QFileInfo(path).absolutePath() + u'/');
        QVERIFY(f.instances.claimed.isEmpty());
    }

    void finishOfANeverSavedSlip_leavesTheStartFolder()
    {
        ShellFixture f;
        Settings(*f.data).setStartFolder(QStringLiteral("/kept/"));
        QVERIFY(f.session->start(QString()));
        f.session->finish();
        QCOMPARE(Settings(*f.data).startFolder(), QStringLiteral("/kept/"));
    }

    void sessionGoneWithoutFinish_cleansUpButWritesNothing()
    {
        ShellFixture f;
        const QString temp = startWithAPrintCopy(f);
        const QByteArray settingsBefore = QFile::exists(f.settingsPath()) ? bytesOf(f.settingsPath()) : QByteArray();
        f.session.reset();
        QVERIFY(!QFileInfo::exists(temp));
        QVERIFY(f.instances.claimed.isEmpty());
        QCOMPARE(QFile::exists(f.settingsPath()) ? bytesOf(f.settingsPath()) : QByteArray(), settingsBefore);
    }

    void finishWhoseWriteFails_stillCleansUpAndSaysSo()
    {
        ShellFixture f;
        const QString temp = startWithAPrintCopy(f);
        QVERIFY(QDir().mkpath(f.settingsPath())); // a folder where the settings file belongs
        bool said = false;
        try {
            f.session->finish();
        } catch (const vendara::Error &) {
            said = true;
        }
        QVERIFY(said);
        QVERIFY(!QFileInfo::exists(temp));
        QVERIFY(f.instances.claimed.isEmpty());
    }

    void recentFiles_areSharedThroughTheFileNewestFirstEightAtMost()
    {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("cfg/recent-files"));
        RecentFiles first(list);
        RecentFiles second(list); // another process
        for (int i = 0; i < 10; ++i)
            (i % 2 ? second : first).add(QStringLiteral("/s/%1.pvq").arg(i));
        first.add(QStringLiteral("/s/5.pvq"));
        const QStringList expected{"/s/5.pvq", "/s/9.pvq", "/s/8.pvq", "/s/7.pvq",
                                   "/s/6.pvq", "/s/4.pvq", "/s/3.pvq", "/s/2.pvq"};
        QCOMPARE(second.entries(), expected);
        QVERIFY(bytesOf(list).contains("\r\n"));
    }

    void openRecentOfAFileThatIsGone_dropsItWithAMessage()
    {
        ShellFixture f;
        const QString gone = f.slips(QStringLiteral("gone.pvq"));
        const QString kept = f.writeSlipFile(QStringLiteral("kept.pvq"), QStringLiteral("x"));
        f.recent->add(kept);
        f.recent->add(gone);
        QVERIFY(f.session->start(QString()));
        QCOMPARE(f.session->openRecent(gone), DocumentSession::OpenResult::Failed);
        QCOMPARE(f.recent->entries(), QStringList{kept});
        QCOMPARE(f.questions.warnings.size(), 1);
        QVERIFY(f.questions.warnings.first().contains(gone));
        QCOMPARE(f.session->openRecent(kept), DocumentSession::OpenResult::Opened);
    }

    void drop_takesTheFirstSlipFile()
    {
        const QList<QUrl> urls{QUrl(QStringLiteral("https://example.org/a.pvq")),
                               QUrl::fromLocalFile(QStringLiteral("/s/notes.txt")),
                               QUrl::fromLocalFile(QStringLiteral("/s/B.PVQ")),
                               QUrl::fromLocalFile(QStringLiteral("/s/c.pvq"))};
        QCOMPARE(slipFileOfDrop(urls), QStringLiteral("/s/B.PVQ"));
        QCOMPARE(slipFileOfDrop({QUrl::fromLocalFile(QStringLiteral("/s/a.txt"))}), QString());
        QCOMPARE(withSlipSuffix(QStringLiteral("/s/a")), QStringLiteral("/s/a.pvq"));
        QCOMPARE(withSlipSuffix(QStringLiteral("/s/a.bak")), QStringLiteral("/s/a.bak"));
    }

    void helpPages_haveAPageForEveryTopicAndEveryLinkLeadsToOne()
    {
        const HelpPages pages = HelpPages::locate(QStringLiteral("/nonexistent"), QStringLiteral(VENDARA_HELP_SOURCE));
        QList<QUrl> urls{pages.contents(), pages.keywords()};
        for (int topic : HelpPages::topics())
            urls << pages.topic(topic);
        QCOMPARE(pages.topic(12345), pages.contents());
        const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
        for (const QUrl &url : urls) {
            const QString path = url.toLocalFile();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QString text = QString::fromUtf8(file.readAll());
            QVERIFY2(text.contains(QStringLiteral("<h1>")), qPrintable(path));
            for (auto it = link.globalMatch(text); it.hasNext();) {
                const QString target = QFileInfo(path).absolutePath() + u'/' + it.next().captured(1);
                QVERIFY2(QFileInfo::exists(target), qPrintable(path + QStringLiteral(" -> ") + target));
            }
        }
        // The keyword page reaches every topic.
        QFile keywords(pages.keywords().toLocalFile());
        QVERIFY(keywords.open(QIODevice::ReadOnly));
        const QByteArray index = keywords.readAll();
        for (int topic : HelpPages::topics())
            QVERIFY2(index.contains(QStringLiteral("topic%1.html").arg(topic).toLatin1()), qPrintable(QString::number(topic)));
    }

    void installedTree_findsItsSharedFoldersBesideBin()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("usr/bin")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("usr/share/vendara-help")));
        const QString bin = dir.filePath(QStringLiteral("usr/bin"));
        QCOMPARE(appinfo::installedShareFolder(bin, QStringLiteral("vendara-help"), QStringLiteral("/built/in")),
                 QFileInfo(dir.filePath(QStringLiteral("usr/share/vendara-help"))).canonicalFilePath());
        QCOMPARE(appinfo::installedShareFolder(bin, QStringLiteral("vendara"), QStringLiteral("/built/in")),
                 QStringLiteral("/built/in"));
    }
};

QTEST_GUILESS_MAIN(DocumentSessionTest)
#include "documentsession_test.moc"
