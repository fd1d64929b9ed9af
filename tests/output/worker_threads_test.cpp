// Play threads: which loop a mode runs, the running flags around the loop, and
// end reports that survive a throwing loop and a vanished window.
#include "output/play_state.h"
#include "output/worker_threads.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

using namespace std::chrono_literals;

auto Forever()
{
    return std::chrono::steady_clock::now() + 1h;
}

class WorkerThreadsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }
    void TearDown() override
    {
        QCoreApplication::processEvents();  // drop nothing into the next test
        ResetPlayState();
    }
};

TEST_F(WorkerThreadsTest, ModesWithoutALoopRunNothingAndEndAtOnce)
{
    std::atomic<int> runs{0};
    QObject reporter;
    int reports = 0;
    const PlayLoop loop{[&] { ++runs; }, [&] { ++reports; }, &reporter};
    for (std::uint8_t mode : {0, 9, 255}) {
        mythread thread(mode, loop, &reporter);
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
    }
    for (std::uint8_t track : {0, 4}) {
        TCustomMyThread thread(track, loop, &reporter);
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(runs.load(), 0);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(PlayLoopRunning.load(), 0);
}

// The flag is raised before the loop's first instruction (a preview timer
// firing first must not take the play for ended) and only for its own thread.
TEST_F(WorkerThreadsTest, RunningFlagsCoverExactlyTheirOwnLoop)
{
    std::latch release(1);
    mythread play(kModePlayIlda, PlayLoop{[&] { release.wait(); }}, nullptr);
    TCustomMyThread track2(2, PlayLoop{[&] { release.wait(); }}, nullptr);
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    EXPECT_EQ(TrackRunning[0].load() + TrackRunning[2].load(), 0);
    EXPECT_EQ(TrackRunning[1].load(), 1);
    EXPECT_FALSE(play.worker().finished());

    release.count_down();
    EXPECT_TRUE(play.worker().waitUntil(Forever()));
    EXPECT_TRUE(track2.worker().waitUntil(Forever()));
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_EQ(TrackRunning[1].load(), 0);
}

// A preview only acts for its own window's loop: the running flag and a frame
// change raised by another mode's loop are not taken as its own.
TEST_F(WorkerThreadsTest, TheRunningFlagAndFrameChangesBelongToTheLastStartedMode)
{
    std::latch release(1);
    mythread play(kModeSection, PlayLoop{[&] {
                      FrameChanged.store(1);
                      release.wait();
                  }},
                  nullptr);
    while (FrameChanged.load() == 0)
        std::this_thread::yield();
    EXPECT_TRUE(PlayLoopRunningFor(kModeSection));
    EXPECT_FALSE(PlayLoopRunningFor(kModeEditorIlda));
    EXPECT_FALSE(TakeFrameChanged(kModeEditorIlda));
    EXPECT_EQ(FrameChanged.load(), 1);
    EXPECT_TRUE(TakeFrameChanged(kModeSection));
    EXPECT_FALSE(TakeFrameChanged(kModeSection));
    release.count_down();
    EXPECT_TRUE(play.worker().waitUntil(Forever()));
    EXPECT_FALSE(PlayLoopRunningFor(kModeSection));
}

TEST_F(WorkerThreadsTest, ALoopThatThrowsStillClearsItsFlagAndReportsItsEnd)
{
    QObject reporter;
    int reports = 0;
    mythread thread(kModePlayDrawing,
                    PlayLoop{[] { throw std::runtime_error("device gone"); }, [&] { ++reports; }, &reporter},
                    &reporter);
    ASSERT_TRUE(thread.worker().waitUntil(Forever()));
    EXPECT_EQ(thread.worker().failure(), "device gone");
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 1);
}

TEST_F(WorkerThreadsTest, EndReportIsDroppedWhenItsWindowIsGone)
{
    QObject reporter;
    auto window = std::make_unique<QObject>();
    int reports = 0;
    {
        mythread thread(kModeEditorDrawing, PlayLoop{[] {}, [&] { ++reports; }, window.get()}, &reporter);
        ASSERT_TRUE(thread.worker().waitUntil(Forever()));
    }
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 0);
}

}  // namespace
