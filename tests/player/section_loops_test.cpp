#include "chain_fixtures.h"
#include "common/thread_wakeups.h"
#include "recording_sink.h"

#include "model/palette.h"
#include "player/section_loops.h"

#include <condition_variable>
#include <future>
#include <tuple>
#include <mutex>
#include <thread>

namespace {

// The row a frame came from, by its first point: row i starts at x0 = 10 + 50 i (sent as 255 - x).
int RowOf(const SentFrame& f)
{
    if (f.points.empty())
        return -1;
    return (255 - f.points.front().x - 10) / 50;
}

class SectionLoops : public PlayStateTest {
protected:
    RecordingSink sink;
    LiveParameters live;
    PublishedAnimation animation;
    std::atomic<std::uint8_t> tick{0};
    SectionLoopContext context{sink, live, animation, tick};

    void SetUp() override
    {
        PlayStateTest::SetUp();
        live.SectionManualColour.store(0);
        // One tick of the time base between frames.
        sink.afterFrame = [this](std::size_t) { tick.store(1); };
    }
    std::vector<int> RowsPlayed() const
    {
        std::vector<int> rows;
        for (const auto& f : sink.frames)
            rows.push_back(RowOf(f));
        return rows;
    }
};

}  // namespace

TEST_F(SectionLoops, RowsPlayInOrderForTheirTimeAndTheLoopEnds)
{
    SectionPlayList rows;
    rows.push_back(LineRow(1, 10));
    rows.push_back(LineRow(2, 60));
    rows.back().P = 60;
    rows.push_back(LineRow(1, 110));
    rows.back().P = 40;
    PlaySectionLoop(rows, context);
    // A row ends at its (A + 1)-th counted tick and that frame is dropped; the tick that
    // ended a row does not count again for the next one, so each row gets A + 1 ticks.
    EXPECT_EQ(RowsPlayed(), (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
    ASSERT_EQ(sink.startSettings.size(), 1u);
    std::vector<int> speeds;
    for (const auto& f : sink.frames) {
        ASSERT_TRUE(f.settings.has_value());
        speeds.push_back(f.settings->speed);
    }
    EXPECT_EQ(speeds, (std::vector<int>{15, 15, 40, 40, 40, 60, 60}));  // 100 - the row's P, before every frame
}

TEST_F(SectionLoops, LoopRestartsAtRowZeroKeepingTheColourCounter)
{
    SectionPlayList rows;
    TSectionRecord r = LineRow(30, 10, 11);
    r.B = 100;
    r.K = 259;  // the whole frame in the cycle's colour
    rows.push_back(std::move(r));
    LoopPlay.store(1);
    sink.limit = 62;  // two passes of 31 frames
    PlaySectionLoop(rows, context);
    ASSERT_EQ(sink.frames.size(), 62u);
    auto firstChange = [&](std::size_t from) {
        for (std::size_t i = from + 1; i < from + 31; ++i)
            if (sink.frames[i].points.front().colour != sink.frames[i - 1].points.front().colour)
                return int(i - from);
        return -1;
    };
    // Phases and the cycle restart with the row, so both passes start in colour 1,
    // but the colour step counter runs on: the second pass changes colour earlier.
    EXPECT_EQ(std::pair(sink.frames[0].points.front().colour, sink.frames[31].points.front().colour),
              (std::pair<std::uint8_t, std::uint8_t>(1, 1)));
    const int first = firstChange(0);
    const int second = firstChange(31);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_LT(second, first);
}

TEST_F(SectionLoops, FreezeHoldsTheRowAndTheFrame)
{
    SectionPlayList rows;
    TSectionRecord r = LineRow(1, 10, 30);
    r.B = 100;
    r.C = 30;
    rows.push_back(std::move(r));
    rows.push_back(LineRow(1, 60));
    FreezePlay.store(1);
    sink.limit = 20;
    PlaySectionLoop(rows, context);
    ASSERT_EQ(sink.frames.size(), 20u);
    for (const auto& f : sink.frames)
        EXPECT_EQ(f.points, sink.frames[0].points);
}

TEST_F(SectionLoops, EmptyRowsEndAndZeroRowsNeverSpin)
{
    SectionPlayList rows;
    TSectionRecord empty = LineRow(2, 10);
    empty.Paths.clear();
    rows.push_back(std::move(empty));
    rows.push_back(LineRow(1, 60));
    PlaySectionLoop(rows, context);
    // The empty row sends empty frames for its time, then the next row plays.
    ASSERT_GE(sink.frames.size(), 2u);
    EXPECT_EQ(sink.frames[0].points.size(), 0u);
    EXPECT_EQ(RowsPlayed().back(), 1);

    // No rows and Loop on: every pass idles until a stop.
    SectionPlayList none;
    RecordingSink idle;
    idle.afterFrame = [&](std::size_t) {
        if (idle.idles == 3)
            StopRequested.store(1);
    };
    SectionLoopContext c{idle, live, animation, tick};
    LoopPlay.store(1);
    PlaySectionLoop(none, c);
    EXPECT_EQ(idle.idles, 3);
    EXPECT_TRUE(idle.frames.empty());
}

TEST_F(SectionLoops, RowsWithoutPlayTimeKeepSendingWhileTheyLoop)
{
    // What "Add" writes when no play time was typed: A 0 (and a careless -1).
    SectionPlayList rows;
    rows.push_back(LineRow(0, 10));
    rows.push_back(LineRow(-1, 60));
    LoopPlay.store(1);
    sink.limit = 8;
    // Only a guard against a loop that never reaches the sink again: a loop that
    // works is ended by the sink's limit long before.
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread guard([&] {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, std::chrono::seconds(30), [&] { return done; }))
            StopRequested.store(1);
    });
    PlaySectionLoop(rows, context);
    {
        std::lock_guard lock(m);
        done = true;
    }
    cv.notify_one();
    guard.join();
    // Every row plays one tick's frame, then the next row follows.
    EXPECT_EQ(RowsPlayed(), (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(sink.idles, 0);
}

TEST_F(SectionLoops, ManualColourOverridesTheRowsModeUnlessAuto)
{
    SectionPlayList rows;
    TSectionRecord r = LineRow(1, 10);
    r.K = 2;
    rows.push_back(std::move(r));
    live.SectionManualColour.store(1);
    live.K.store(5);
    PlaySectionLoop(rows, context);
    EXPECT_EQ(sink.frames.front().points.front().colour, 5);

    sink.frames.clear();
    StopRequested.store(0);
    live.K.store(kColourAuto);  // hands the choice back to the row's K
    PlaySectionLoop(rows, context);
    EXPECT_EQ(sink.frames.front().points.front().colour, 2);
}

TEST_F(SectionLoops, DrawingLoopSendsLiveSpeedAndClampsThePlayList)
{
    Drawing list;
    list.push_back(LinePath(3, 299, 10, 40));
    list.front()[1]->mark = kMarkErased;
    const Drawing play = PrepareSectionDrawing(list);
    ASSERT_EQ(play.front().size(), 2u);
    const LaserPoint& first = *play.front()[0];
    EXPECT_EQ(std::tuple(first.x, int(first.colour), int(first.mark)), std::tuple(255, int(DeviceColourCode(40)), 40));

    SendSpeedByte.store(33);
    sink.limit = 3;
    PlaySectionDrawingLoop(play, context);
    ASSERT_EQ(sink.frames.size(), 3u);
    const DevicePoint sent = sink.frames[0].points[0];
    EXPECT_EQ(std::tuple(int(sink.frames[0].settings->speed), int(sent.x), int(sent.colour)),
              std::tuple(33, 0, int(DeviceColourCode(40))));  // x: 255 turned
}

TEST_F(SectionLoops, PacingWithoutControllersEndsAtAStop)
{
    EXPECT_EQ(ScanTime(30000), std::chrono::seconds(1));
    EXPECT_EQ(ScanTime(0), kIdlePass);
    StopRequested.store(1);
    WaitUnlessStopped(std::chrono::hours(1));  // returns at once: the stop is already raised
    SUCCEED();
}

// A frame's time is waited in one sleep, not in slices that wake the thread
// hundreds of times a second, and a stop raised meanwhile still ends it.
TEST_F(SectionLoops, AFramesWaitIsOneSleepThatAStopEnds)
{
    StopRequested.store(0);
    EXPECT_LE(WakeupsDuring([] { WaitUnlessStopped(std::chrono::milliseconds(200)); }), 5);  // 2 ms slices woke about 100 times

    // Twenty seconds asked: the stop ends it (a wait that missed the stop fails here, not hangs).
    auto waiting = std::async(std::launch::async, [] { WaitUnlessStopped(std::chrono::seconds(20)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    StopRequested.store(1);
    EXPECT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}
