#include "common/textfile.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// A desk that has read the colour master and waits to save.
std::unique_ptr<QProcess> deskThatRead(const QString &folder, const QString &text)
{
    auto desk = std::make_unique<QProcess>();
    desk->start(QStringLiteral(VENDARA_DESK_CHILD), {folder, text});
    if (!desk->waitForStarted())
        return nullptr;
    // The bound only keeps a broken child from hanging the test.
    while (!desk->canReadLine())
        if (!desk->waitForReadyRead(30000))
            return nullptr;
    return desk->readLine() == "read\n" ? std::move(desk) : nullptr;
}

} // namespace

// Two processes, as two desks on one data folder, save the same master after
// both read it: the lock of the folder lets one compare and write at a time,
// so one is written and the other refused, whichever comes first.
TEST(TwoDesks, savingAtOnceAfterBothRead_oneIsWrittenTheOtherRefused)
{
    QTemporaryDir dir;
    const QString colours = dir.filePath(QStringLiteral("色"));
    const QStringList texts{QStringLiteral("青"), QStringLiteral("緑")};
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        vendara::textfile::writeLines(colours, {QStringLiteral("赤")});
        std::unique_ptr<QProcess> desks[2] = {deskThatRead(dir.path(), texts[0]), deskThatRead(dir.path(), texts[1])};
        ASSERT_TRUE(desks[0] && desks[1]);
        for (auto &desk : desks) {
            desk->write("\n");
            desk->closeWriteChannel();
        }
        int exits[2];
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(desks[i]->waitForFinished(30000));
            ASSERT_EQ(desks[i]->exitStatus(), QProcess::NormalExit);
            exits[i] = desks[i]->exitCode();
        }
        ASSERT_EQ(std::min(exits[0], exits[1]), 0) << exits[0] << ' ' << exits[1];
        ASSERT_EQ(std::max(exits[0], exits[1]), 3) << exits[0] << ' ' << exits[1];
        const int winner = exits[0] == 0 ? 0 : 1;
        EXPECT_EQ(vendara::textfile::readLines(colours), (QStringList{QStringLiteral("赤"), texts[winner]}));
        const QString refusal = QString::fromLocal8Bit(desks[1 - winner]->readAllStandardOutput());
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("色 は他の端末で変更されています"))) << refusal.toStdString();
        EXPECT_TRUE(refusal.contains(texts[winner])) << refusal.toStdString();
    }
}
