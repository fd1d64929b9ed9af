#include "model/delays.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

// The pause runs queued events and timers. A handler run by it (a second
// click on Play) must not nest another pause; afterwards pausing works again.
TEST(Delays, PumpDelayRefusesToNestAndRecovers)
{
    int innerCalls = 0;
    bool innerResult = true, timed = false;
    QMetaObject::invokeMethod(
        qApp, [&] { ++innerCalls, innerResult = PumpDelay(10); }, Qt::QueuedConnection);
    QTimer::singleShot(0, qApp, [&] { timed = true; });
    EXPECT_TRUE(PumpDelay(20));
    EXPECT_EQ(innerCalls, 1);
    EXPECT_TRUE(timed);
    EXPECT_FALSE(innerResult);
    EXPECT_TRUE(PumpDelay(1));

    bool offThread = true;
    std::thread([&] { offThread = PumpDelay(1); }).join();
    EXPECT_FALSE(offThread);
}

TEST(Delays, LengthsDoNotWrap)
{
    EXPECT_EQ(SpinDelayDuration(7000), std::chrono::milliseconds(14));
    EXPECT_EQ(PumpDelayDuration(0xFFFFFFFFu).count(), 100 * std::int64_t{0xFFFFFFFFu});
}

} // namespace
