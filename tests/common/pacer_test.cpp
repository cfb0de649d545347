// Pacing of repaints and input between the steps of long work.
#include "common/pacer.h"

#include <QThread>

#include <gtest/gtest.h>

using namespace vendara;

TEST(Pacer, firstStepIsDue_thenOncePerIntervalOrAfterARestart)
{
    Pacer minutely(60 * 1000);
    EXPECT_TRUE(minutely.due());
    EXPECT_FALSE(minutely.due());
    minutely.restart();
    EXPECT_TRUE(minutely.due());
    EXPECT_FALSE(minutely.due());

    Pacer fast(5);
    EXPECT_TRUE(fast.due());
    QThread::msleep(20);
    EXPECT_TRUE(fast.due());

    Pacer everyStep(0);
    EXPECT_TRUE(everyStep.due());
    EXPECT_TRUE(everyStep.due());
}
