// Play threads: which loop a mode runs, the running flags, joining with a
// bound, and end reports that reach the GUI thread queued.
#include "output/play_state.h"
#include "output/worker_threads.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <stdexcept>

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
    for (std::uint8_t mode : {std::uint8_t{0}, std::uint8_t{9}, std::uint8_t{255}}) {
        std::atomic<int> runs{0};
        QObject reporter;
        int reports = 0;
        PlayLoop loop{[&] { ++runs; }, [&] { ++reports; }, &reporter};
        mythread thread(mode, loop, &reporter);
        EXPECT_EQ(PlayLoopRunning.load(), 0) << int(mode);
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
        QCoreApplication::processEvents();
        EXPECT_EQ(runs.load(), 0) << int(mode);
        EXPECT_EQ(reports, 0) << int(mode);
    }
}

TEST_F(WorkerThreadsTest, PlayThreadHoldsRunningFlagFromCreationUntilItsLoopReturns)
{
    std::latch release(1);
    std::atomic<int> runs{0};
    mythread thread(kModePlayIlda, PlayLoop{[&] {
                        release.wait();
                        ++runs;
                    }},
                    nullptr);
    // Raised before the loop's first instruction, so a preview cannot see a stale 0.
    EXPECT_EQ(PlayLoopRunning.load(), 1);
    EXPECT_FALSE(thread.worker().waitUntil(std::chrono::steady_clock::now() + 10ms));
    EXPECT_FALSE(thread.worker().finished());
    EXPECT_EQ(PlayLoopRunning.load(), 1);

    release.count_down();
    EXPECT_TRUE(thread.worker().waitUntil(Forever()));
    EXPECT_TRUE(thread.worker().finished());
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_EQ(thread.mode(), kModePlayIlda);
}

TEST_F(WorkerThreadsTest, TrackThreadRaisesOnlyItsOwnTrackFlag)
{
    std::latch release(1);
    TCustomMyThread track2(2, PlayLoop{[&] { release.wait(); }}, nullptr);
    EXPECT_EQ(TrackRunning[0].load(), 0);
    EXPECT_EQ(TrackRunning[1].load(), 1);
    EXPECT_EQ(TrackRunning[2].load(), 0);
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    release.count_down();
    EXPECT_TRUE(track2.worker().waitUntil(Forever()));
    EXPECT_EQ(TrackRunning[1].load(), 0);

    std::atomic<int> runs{0};
    TCustomMyThread track0(0, PlayLoop{[&] { ++runs; }}, nullptr);
    TCustomMyThread track4(4, PlayLoop{[&] { ++runs; }}, nullptr);
    EXPECT_TRUE(track0.worker().waitUntil(Forever()));
    EXPECT_TRUE(track4.worker().waitUntil(Forever()));
    EXPECT_EQ(runs.load(), 0);
}

TEST_F(WorkerThreadsTest, EndReportRunsQueuedOnTheGuiThreadAfterTheJoin)
{
    QObject reporter;
    QObject window;
    QThread* reportThread = nullptr;
    QString label;
    PlayLoop loop{[] {},
                  [&] {
                      reportThread = QThread::currentThread();
                      label = "drawing playing end...";
                  },
                  &window};
    {
        mythread thread(kModeEditorDrawing, loop, &reporter);
        // The GUI thread blocks in the join without running events: the worker
        // must not wait for it, or this would never return.
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
        EXPECT_TRUE(label.isEmpty());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(label, "drawing playing end...");
    EXPECT_EQ(reportThread, QCoreApplication::instance()->thread());
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

}  // namespace
