// A save killed at any moment leaves every file either whole old or whole
// new, never mixed or empty, and its temporary files go with the next save.
#include "support/testdata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QStringList kFiles{QStringLiteral("slip.pvq"), QStringLiteral("Mst/MemoOpt.Dat"), QStringLiteral("vendara.ini")};

bool runChild(const QString &dir, const QString &mode)
{
    QProcess child;
    child.start(QStringLiteral(VENDARA_SAVE_CHILD), {dir, mode});
    return child.waitForFinished(30000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList temporariesIn(const QString &dir)
{
    QStringList found;
    for (const QString &sub : {QString(), QStringLiteral("Mst")})
        for (const QString &name : QDir(dir + u'/' + sub).entryList(QDir::Files | QDir::Hidden))
            // The folder's lock file stays by design; it is no temporary.
            if (name.startsWith(u'.') && name != QStringLiteral(".vendara.lock"))
                found.append(sub + u'/' + name);
    return found;
}

} // namespace

TEST(InterruptedSave, killedSaves_leaveOldOrNewFilesAndNoTemporariesAfterTheNextSave)
{
    QTemporaryDir refA;
    QTemporaryDir refB;
    QTemporaryDir work;
    ASSERT_TRUE(refA.isValid() && refB.isValid() && work.isValid());
    // The two versions as the writers save them.
    ASSERT_TRUE(runChild(refA.path(), QStringLiteral("A")));
    ASSERT_TRUE(runChild(refB.path(), QStringLiteral("B")));
    QList<QByteArray> versionA;
    QList<QByteArray> versionB;
    for (const QString &f : kFiles) {
        versionA.append(contentOf(refA.path() + u'/' + f));
        versionB.append(contentOf(refB.path() + u'/' + f));
        ASSERT_NE(versionA.last(), versionB.last()) << f.toStdString();
    }

    ASSERT_TRUE(runChild(work.path(), QStringLiteral("A")));
    // The moments of the kills are drawn from this seed; a failure names it.
    const quint32 seed = vendara::test::randomSeed();
    RecordProperty("seed", std::to_string(seed));
    QRandomGenerator random(seed);
    int changed = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess child;
        child.start(QStringLiteral(VENDARA_SAVE_CHILD), {work.path(), QStringLiteral("loop"), refA.path(), refB.path()});
        ASSERT_TRUE(child.waitForStarted());
        // Once the child is saving (a file has turned into the other
        // version), kill it at a random moment of its saves.
        const QByteArray before = contentOf(work.path() + u'/' + kFiles[0]);
        for (int waited = 0; contentOf(work.path() + u'/' + kFiles[0]) == before && waited < 10000; ++waited)
            QThread::usleep(500);
        QThread::usleep(random.bounded(0, 20000));
        child.kill(); // SIGKILL: no clean-up of any kind
        child.waitForFinished();
        for (qsizetype i = 0; i < kFiles.size(); ++i) {
            const QByteArray now = contentOf(work.path() + u'/' + kFiles[i]);
            ASSERT_TRUE(now == versionA[i] || now == versionB[i])
                << kFiles[i].toStdString() << " is neither version after round " << round << " (" << now.size()
                << " bytes, VENDARA_TEST_SEED=" << seed << ")";
            changed += now == versionB[i];
        }
    }
    EXPECT_GT(changed, 0) << "no save ever completed: the child was killed too early to test anything";

    // What a save killed between naming its temporary file and renaming it
    // leaves behind goes with the next save; a save still under way in a
    // live process keeps its file.
    QProcess finished;
    finished.start(QStringLiteral("true"));
    ASSERT_TRUE(finished.waitForStarted());
    const qint64 deadPid = finished.processId();
    finished.waitForFinished();
    const QString host = QSysInfo::machineHostName();
    const QString abandoned = QStringLiteral(".slip.pvq.%1@%2.AbCdEf").arg(deadPid).arg(host);
    const QString olderVersion = QStringLiteral(".slip.pvq.%1.StUvWx").arg(deadPid);
    const QString live = QStringLiteral(".slip.pvq.%1@%2.GhIjKl").arg(QCoreApplication::applicationPid()).arg(host);
    // Another desk's process ids mean nothing here: its save may be under way.
    const QString otherDesk = QStringLiteral(".slip.pvq.%1@other-desk.local.QrStUv").arg(deadPid);
    for (const QString &name : {abandoned, olderVersion, live, otherDesk,
                                QStringLiteral("Mst/.MemoOpt.Dat.%1.MnOpQr").arg(deadPid)}) {
        QFile file(work.path() + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("half a sl");
    }
    ASSERT_TRUE(runChild(work.path(), QStringLiteral("A")));
    QStringList left = temporariesIn(work.path());
    QStringList kept{u'/' + live, u'/' + otherDesk};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
}
