// Three processes, as three desks with their own host names, open one slip
// on a shared folder: the first holds it, the second sees it read-only and
// cannot write it, the third takes it over, and the first then finds out.

#include "slip/slipdocument.h"
#include "slip/slipfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace vendara;

namespace {

class Desk
{
public:
    Desk(const QString &root, const QString &slip, const QString &host, bool takeOver)
    {
        m_process.start(QStringLiteral(VENDARA_SLIP_DESK_CHILD),
                        {root, slip, host, takeOver ? QStringLiteral("yes") : QStringLiteral("no")});
    }
    ~Desk()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("quit\n");
            if (!m_process.waitForFinished(10000))
                m_process.kill();
        }
    }

    // The next line the desk prints; empty when it printed none in time.
    QString nextLine()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(30000))
                return QString();
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    QString save()
    {
        m_process.write("save\n");
        return nextLine();
    }
    void quit()
    {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        EXPECT_TRUE(m_process.waitForFinished(30000));
        EXPECT_EQ(m_process.exitCode(), 0);
    }

private:
    QProcess m_process;
};

QString customerIn(const QString &path)
{
    SlipDocument doc;
    readSlip(doc, path);
    return doc.text(SlipField::CustName);
}

} // namespace

TEST(SlipDesks, slipOpenOnOneDesk_isReadOnlyOnAnotherUntilTakenOver)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("root"));
    QDir().mkpath(root + QStringLiteral("/Dat/Tmp"));
    QDir().mkpath(dir.filePath(QStringLiteral("share")));
    const QString slip = dir.filePath(QStringLiteral("share/a.pvq"));
    {
        SlipDocument doc;
        doc.startNew({}, QDate(2026, 12, 11));
        doc.setText(SlipField::CustName, QStringLiteral("山田"));
        writeSlip(doc, slip);
    }

    Desk a(root, slip, QStringLiteral("desk-a"), false);
    EXPECT_EQ(a.nextLine(), QStringLiteral("open 0"));

    Desk b(root, slip, QStringLiteral("desk-b"), false);
    const QString bOpen = b.nextLine();
    EXPECT_TRUE(bOpen.startsWith(QStringLiteral("open 1 a.pvqは他の端末で開かれています"))) << bOpen.toStdString();
    EXPECT_TRUE(bOpen.contains(QStringLiteral("desk-a"))) << bOpen.toStdString();
    EXPECT_TRUE(b.save().startsWith(QStringLiteral("save 0 "))) << "a read-only desk wrote the slip";
    EXPECT_EQ(customerIn(slip), QStringLiteral("山田"));

    EXPECT_EQ(a.save(), QStringLiteral("save 1"));
    EXPECT_EQ(customerIn(slip), QStringLiteral("desk-a"));

    Desk c(root, slip, QStringLiteral("desk-c"), true);
    const QString cOpen = c.nextLine();
    EXPECT_TRUE(cOpen.startsWith(QStringLiteral("open 0 a.pvqは他の端末で開かれています"))) << cOpen.toStdString();
    // The desk whose slip was taken over no longer writes it.
    EXPECT_TRUE(a.save().startsWith(QStringLiteral("save 0 "))) << "the first desk wrote over the take-over";
    EXPECT_EQ(customerIn(slip), QStringLiteral("desk-a"));
    EXPECT_EQ(c.save(), QStringLiteral("save 1"));
    EXPECT_EQ(customerIn(slip), QStringLiteral("desk-c"));

    c.quit();
    b.quit();
    a.quit();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("share/.a.pvq.lock"))))
        << "the lock stayed after every desk closed";
}
