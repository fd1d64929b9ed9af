// Pacing timers: intervals rounded up to whole 1/64 s ticks, and a schedule
// that neither drifts with late firings nor bursts to make up missed ones.
#include "output/tick_timer.h"

#include <gtest/gtest.h>


namespace {

TEST(TickRounding, IntervalsRoundUpToWholeSystemTicks)
{
    // 2 ms is what the sequence time base asks for; 16 ms is just past one tick; 125 ms is exactly 8 ticks.
    EXPECT_EQ((std::vector{RoundedIntervalUs(2), RoundedIntervalUs(16), RoundedIntervalUs(125), RoundedIntervalUs(200),
                           RoundedIntervalUs(0), RoundedIntervalUs(-40)}),
              (std::vector<decltype(RoundedIntervalUs(0))>{15625, 31250, 125000, 203125, 0, 0}));
    EXPECT_EQ(RoundedIntervalUs(2147483647) % kSystemTickUs, 0);  // no overflow at the top
}

TEST(TickSchedule, MissedFiringsAreDroppedNotMadeUp)
{
    TickSchedule schedule;
    schedule.start(0, 31250);
    // The GUI thread was busy for three and a half periods: one firing, then
    // the next comes on the following boundary, not three in a row.
    schedule.fired(3 * 31250 + 15000);
    EXPECT_EQ(schedule.nextDueUs(), 4 * 31250);
    EXPECT_EQ(schedule.untilNextUs(3 * 31250 + 15000), 31250 - 15000);

    // A firing exactly on a boundary moves on by one whole period.
    schedule.fired(4 * 31250);
    EXPECT_EQ(schedule.nextDueUs(), 5 * 31250);

    // A clock reading before the start cannot move the schedule backwards.
    schedule.fired(-5);
    EXPECT_EQ(schedule.nextDueUs(), 31250);

    TickSchedule degenerate;
    degenerate.start(0, 0);  // never divides by zero
    degenerate.fired(100000);
    EXPECT_GT(degenerate.nextDueUs(), 100000);
}

// The timer on a clock stepped by hand: the armed wait ends exactly when the
// test says, so the firings per simulated second are the timer's own.
class TickTimerOnAClock : public ::testing::Test {
protected:
    void SetUp() override
    {
        timer.setClock([this] { return now; });
        QObject::connect(&timer, &TickTimer::timeout, [this] { ++fired; });
    }
    /// Lets the armed wait run out (the wait is in whole milliseconds, so it ends at or after the due time).
    void RunOut()
    {
        ASSERT_GE(timer.armedWaitMs(), 0);
        now += std::int64_t(timer.armedWaitMs()) * 1000;
        timer.onTimer();
    }
    /// Firings within one simulated second from now.
    int FiringsInOneSecond()
    {
        const std::int64_t end = now + 1000000;
        const int before = fired;
        while (now + std::int64_t(timer.armedWaitMs()) * 1000 <= end)
            RunOut();
        return fired - before;
    }

    std::int64_t now = 5000;
    int fired = 0;
    TickTimer timer;
};

TEST_F(TickTimerOnAClock, FiresAtTheRoundedIntervalWithoutDrift)
{
    timer.setInterval(2);
    EXPECT_EQ(timer.armedWaitMs(), -1) << "disabled: not armed";
    timer.setEnabled(true);
    EXPECT_EQ(timer.armedWaitMs(), 16);  // 15.625 ms, rounded up to whole milliseconds
    EXPECT_EQ(FiringsInOneSecond(), 64);

    timer.setInterval(125);
    EXPECT_EQ(FiringsInOneSecond(), 8);
    timer.setInterval(100);  // 6.4 ticks: 7 ticks, 109.375 ms
    EXPECT_EQ(FiringsInOneSecond(), 9);
}

TEST_F(TickTimerOnAClock, AnEarlyWakeWaitsOnAndABusySpellGivesOneFiring)
{
    timer.setInterval(2);
    timer.setEnabled(true);
    now += 10000;  // woken 5.625 ms early
    timer.onTimer();
    EXPECT_EQ(std::pair(fired, timer.armedWaitMs()), std::pair(0, 6));
    RunOut();
    EXPECT_EQ(fired, 1);

    now += 100000;  // the GUI thread was busy for six ticks
    timer.onTimer();
    EXPECT_EQ(fired, 2);
    // The next firing keeps to the grid that started at enabling.
    const std::int64_t sinceStart = now - 5000;
    const std::int64_t nextDue = (sinceStart / kSystemTickUs + 1) * kSystemTickUs;
    EXPECT_EQ(timer.armedWaitMs(), int((nextDue - sinceStart + 999) / 1000));
}

TEST_F(TickTimerOnAClock, SameIntervalKeepsTheCountAndDisablingInTheHandlerSilences)
{
    timer.setInterval(2);
    timer.setEnabled(true);
    now += 12000;
    // What the sequence time base does on every tick: the same value must not
    // restart the count, so the firing stays due one tick after enabling.
    timer.setInterval(2);
    now = 5000 + kSystemTickUs;
    timer.onTimer();
    EXPECT_EQ(fired, 1);

    QObject::connect(&timer, &TickTimer::timeout, [this] {
        if (fired == 3)
            timer.setEnabled(false);
    });
    for (int i = 0; i < 2; ++i)
        RunOut();
    EXPECT_EQ(std::tuple(fired, timer.isEnabled(), timer.armedWaitMs()), std::tuple(3, false, -1));
    timer.onTimer();  // a wake that was already on its way
    EXPECT_EQ(fired, 3);

    // An interval of 0 never arms, even when enabled.
    timer.setInterval(0);
    timer.setEnabled(true);
    timer.onTimer();
    EXPECT_EQ(std::pair(fired, timer.armedWaitMs()), std::pair(3, -1));
}

}  // namespace
