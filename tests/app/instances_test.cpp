// One window per file across real processes of the built program: a second
// process started with a file already shown ends and the first window is
// asked forward; the socket of a killed process does not block the file.
#include "app/platform/localinstanceregistry.h"
#include "app/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vendara;

namespace {

constexpr int kStartTimeoutMs = 15000;

} // namespace

class InstancesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_runtime;
    QString m_slip;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    void startProgram(QProcess &process, const QString &argument)
    {
        process.setProcessEnvironment(environment());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(VENDARA_GUI), {argument});
        QVERIFY(process.waitForStarted());
    }

    static void stop(QProcess &process)
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    QString canonical() const { return QFileInfo(m_slip).canonicalFilePath(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_runtime = m_dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(m_runtime));
        QFile::setPermissions(m_runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_slip = m_dir.filePath(QStringLiteral("見積 1.pvq"));
        QFile file(m_slip);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[No]\r\nSlipCode=00000001\r\n");
    }

    void secondProcess_asksTheFirstForwardAndEnds()
    {
        // This test process plays the first window.
        LocalInstanceRegistry first(m_runtime);
        int activations = 0;
        first.onActivate = [&activations] { ++activations; };
        QVERIFY(first.claim(canonical()));

        QProcess second;
        startProgram(second, m_slip);
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, kStartTimeoutMs);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(activations, 1);
    }

    void twoProcessesOfTheProgram_oneWindowPerFile()
    {
        LocalInstanceRegistry probe(m_runtime);
        QProcess first;
        startProgram(first, m_slip);
        QTRY_VERIFY_WITH_TIMEOUT(probe.isShownElsewhere(canonical()), kStartTimeoutMs);

        QProcess second;
        startProgram(second, m_slip);
        const bool ended = second.waitForFinished(kStartTimeoutMs);
        const int code = second.exitCode();
        const bool firstRuns = first.state() == QProcess::Running;
        const bool stillShown = probe.isShownElsewhere(canonical());
        stop(second);
        stop(first);
        QVERIFY(ended);
        QCOMPARE(code, 0);
        QVERIFY(firstRuns);
        QVERIFY(stillShown);
    }

    void recentFiles_areSharedByTheProcessesOfAUser()
    {
        const QString other = m_dir.filePath(QStringLiteral("other.pvq"));
        QVERIFY(QFile::copy(m_slip, other));
        const QString otherCanonical = QFileInfo(other).canonicalFilePath();
        RecentFiles recent(m_dir.filePath(QStringLiteral("config/vendara/recent-files")));
        LocalInstanceRegistry probe(m_runtime);

        QProcess first;
        startProgram(first, m_slip);
        QTRY_VERIFY_WITH_TIMEOUT(probe.isShownElsewhere(canonical()), kStartTimeoutMs);
        QProcess second;
        startProgram(second, other);
        QTRY_VERIFY_WITH_TIMEOUT(probe.isShownElsewhere(otherCanonical), kStartTimeoutMs);
        const QStringList entries = recent.entries();
        stop(second);
        stop(first);
        QCOMPARE(entries.value(0), QFileInfo(other).absoluteFilePath());
        QCOMPARE(entries.value(1), QFileInfo(m_slip).absoluteFilePath());
    }

    void socketOfAKilledProcess_doesNotBlockTheFile()
    {
        LocalInstanceRegistry probe(m_runtime);
        QProcess crashed;
        startProgram(crashed, m_slip);
        QTRY_VERIFY_WITH_TIMEOUT(probe.isShownElsewhere(canonical()), kStartTimeoutMs);
        crashed.kill();
        QVERIFY(crashed.waitForFinished());
        // The socket is left behind, as after a crash.
        QVERIFY(QFileInfo::exists(probe.serverName(canonical())));
        QVERIFY(!probe.isShownElsewhere(canonical()));
        QVERIFY(!probe.activate(canonical()));

        QProcess next;
        startProgram(next, m_slip);
        QTRY_VERIFY_WITH_TIMEOUT(probe.isShownElsewhere(canonical()), kStartTimeoutMs);
        const bool runs = next.state() == QProcess::Running;
        stop(next);
        QVERIFY(runs);

        // And in this process: the stale socket is replaced by a claim.
        QVERIFY(QFileInfo::exists(probe.serverName(canonical())));
        QVERIFY(probe.claim(canonical()));
        QVERIFY(probe.claim(QString()));
        QVERIFY(!QFileInfo::exists(probe.serverName(canonical())));
    }
};

QTEST_GUILESS_MAIN(InstancesTest)
#include "instances_test.moc"
