// Pacing timers: intervals rounded up to whole 1/64 s ticks, and a schedule
// that neither drifts with late firings nor bursts to make up missed ones.
#include "output/tick_timer.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

TEST(TickRounding, IntervalsRoundUpToWholeSystemTicks)
{
    EXPECT_EQ(RoundedIntervalUs(2), 15625);   // the sequence time base asks for 2 ms
    EXPECT_EQ(RoundedIntervalUs(16), 31250);  // 16 ms is just past one tick
    EXPECT_EQ(RoundedIntervalUs(125), 125000);  // exactly 8 ticks: unchanged
    EXPECT_EQ(RoundedIntervalUs(200), 203125);
    EXPECT_EQ(RoundedIntervalUs(0), 0);
    EXPECT_EQ(RoundedIntervalUs(-40), 0);
    EXPECT_EQ(RoundedIntervalUs(2147483647) % kSystemTickUs, 0);  // no overflow at the top
}

TEST(TickSchedule, LateFiringsDoNotAddUp)
{
    TickSchedule schedule;
    schedule.start(1000, kSystemTickUs);
    EXPECT_EQ(schedule.untilNextUs(1000), kSystemTickUs);
    EXPECT_EQ(schedule.untilNextUs(1000 + 15000), 625);

    // 64 firings, each 900 us late: one second of ticks still ends on the second.
    for (int n = 1; n <= 64; ++n) {
        const std::int64_t due = 1000 + n * kSystemTickUs;
        ASSERT_EQ(schedule.nextDueUs(), due) << n;
        EXPECT_EQ(schedule.untilNextUs(due + 900), 0);
        schedule.fired(due + 900);
    }
    EXPECT_EQ(schedule.nextDueUs(), 1000 + 1000000 + kSystemTickUs);
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

TEST(TickTimer, FiresAtTheRoundedIntervalOnlyWhileEnabled)
{
    TickTimer timer;
    EXPECT_FALSE(timer.isEnabled());
    timer.setInterval(2);
    EXPECT_EQ(timer.interval(), 2);
    EXPECT_EQ(timer.effectiveIntervalUs(), kSystemTickUs);

    QSignalSpy spy(&timer, &TickTimer::timeout);
    int handled = 0;
    QObject::connect(&timer, &TickTimer::timeout, [&] {
        // What the sequence time base does on every tick; the same value must not restart the count.
        timer.setInterval(2);
        if (++handled == 3)
            timer.setEnabled(false);
    });
    timer.setEnabled(true);
    for (int i = 0; i < 100 && handled < 3; ++i)
        spy.wait(1000);
    EXPECT_EQ(handled, 3);
    EXPECT_FALSE(timer.isEnabled());

    // Disabled in its handler: it stays quiet.
    EXPECT_FALSE(spy.wait(100));
    EXPECT_EQ(handled, 3);

    // An interval of 0 never fires, even when enabled.
    TickTimer idle;
    QSignalSpy idleSpy(&idle, &TickTimer::timeout);
    idle.setInterval(0);
    idle.setEnabled(true);
    EXPECT_FALSE(idleSpy.wait(50));
}

}  // namespace
