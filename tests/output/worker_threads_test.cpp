// Play threads: which loop a mode runs, the running flags around the loop, and
// end reports that survive a throwing loop and a vanished window.
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
    const auto channel = std::make_shared<PlayReports>(&reporter);
    for (std::uint8_t mode : {0, 9, 255}) {
        mythread thread(mode, loop, channel);
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
    }
    for (std::uint8_t track : {0, 4}) {
        TCustomMyThread thread(track, loop, channel);
        EXPECT_TRUE(thread.worker().waitUntil(Forever()));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(runs.load(), reports, int(PlayLoopRunning.load())), std::tuple(0, 0, 0));
}

// The flag is raised before the loop's first instruction (a preview timer
// firing first must not take the play for ended) and only for its own thread.
TEST_F(WorkerThreadsTest, RunningFlagsCoverExactlyTheirOwnLoop)
{
    std::latch release(1);
    mythread play(kModePlayIlda, PlayLoop{[&] { release.wait(); }}, nullptr);
    TCustomMyThread track2(2, PlayLoop{[&] { release.wait(); }}, nullptr);
    EXPECT_EQ((std::vector<int>{PlayLoopRunning.load(), TrackRunning[0].load(), TrackRunning[1].load(), TrackRunning[2].load()}),
              (std::vector<int>{1, 0, 1, 0}));
    EXPECT_FALSE(play.worker().finished());

    release.count_down();
    EXPECT_TRUE(play.worker().waitUntil(Forever()));
    EXPECT_TRUE(track2.worker().waitUntil(Forever()));
    EXPECT_EQ(std::pair(int(PlayLoopRunning.load()), int(TrackRunning[1].load())), std::pair(0, 0));
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
    EXPECT_TRUE(PlayLoopRunningFor(kModeSection) && !PlayLoopRunningFor(kModeEditorIlda));
    EXPECT_FALSE(TakeFrameChanged(kModeEditorIlda));
    EXPECT_EQ(FrameChanged.load(), 1);
    EXPECT_EQ((std::vector<bool>{TakeFrameChanged(kModeSection), TakeFrameChanged(kModeSection)}), (std::vector<bool>{true, false}));
    release.count_down();
    EXPECT_TRUE(play.worker().waitUntil(Forever()));
    EXPECT_FALSE(PlayLoopRunningFor(kModeSection));
}

// The operator hears why a play stopped: the message is queued to the GUI
// thread (never run on the worker), after the end report.
TEST_F(WorkerThreadsTest, ALoopThatThrowsClearsItsFlagAndReportsItsEndAndItsFailure)
{
    QObject reporter;
    std::vector<QString> heard;
    const auto channel = std::make_shared<PlayReports>(&reporter, [&](const QString& message) {
        EXPECT_EQ(QThread::currentThread(), reporter.thread());
        heard.push_back(message);
    });
    int reports = 0;
    mythread thread(kModePlayDrawing,
                    PlayLoop{[] { throw std::runtime_error("device gone"); }, [&] { ++reports; }, &reporter},
                    channel);
    ASSERT_TRUE(thread.worker().waitUntil(Forever()));
    EXPECT_EQ(std::pair(thread.worker().failure(), int(PlayLoopRunning.load())), std::pair(std::string("device gone"), 0));
    EXPECT_TRUE(heard.empty()) << "queued, not run on the worker";
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(reports, heard), std::pair(1, std::vector<QString>{"device gone"}));

    // Other exception types are reported too; a closed channel reports nothing.
    TCustomMyThread track(1, PlayLoop{[] { throw 7; }}, channel);
    ASSERT_TRUE(track.worker().waitUntil(Forever()));
    QCoreApplication::processEvents();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_FALSE(heard[1].isEmpty());
    channel->Close();
    mythread late(kModePlayIlda, PlayLoop{[] { throw std::runtime_error("late"); }, [&] { ++reports; }, &reporter},
                  channel);
    ASSERT_TRUE(late.worker().waitUntil(Forever()));
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(heard.size(), reports), std::pair(std::size_t{2}, 1));
}

TEST_F(WorkerThreadsTest, EndReportIsDroppedWhenItsWindowIsGone)
{
    QObject reporter;
    auto window = std::make_unique<QObject>();
    int reports = 0;
    {
        mythread thread(kModeEditorDrawing, PlayLoop{[] {}, [&] { ++reports; }, window.get()},
                        std::make_shared<PlayReports>(&reporter));
        ASSERT_TRUE(thread.worker().waitUntil(Forever()));
    }
    window.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 0);
}

}  // namespace
