// The hand-over between plays: every start stops and joins what runs before
// it prepares, a worker that will not stop makes the start refuse, and end
// reports of replaced plays do not reach the windows.
#include "output/play_handover.h"
#include "output/play_state.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <latch>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Thread-safe record of what happened, in order.
struct EventLog {
    void add(std::string event) { std::lock_guard lock(mutex); list.push_back(std::move(event)); }
    std::vector<std::string> events() const { std::lock_guard lock(mutex); return list; }
    mutable std::mutex mutex;
    std::vector<std::string> list;
};

// A loop as the windows write them: runs until the stop flag is raised.
std::function<void()> LoopUntilStopped(EventLog& log, std::string name)
{
    return [&log, name] {
        log.add(name + " saw flag " + std::to_string(StopRequested.load()));
        while (!StopRequested.load())
            std::this_thread::yield();
        log.add(name + " ended");
    };
}

// The three tracks' running flags, each on its own, so a failure names the track.
std::vector<int> TrackFlagsNow()
{
    return {TrackRunning[0].load(), TrackRunning[1].load(), TrackRunning[2].load()};
}

class PlayHandOverTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlayState(); }
    void TearDown() override
    {
        QCoreApplication::processEvents();
        ResetPlayState();
    }
};

TEST_F(PlayHandOverTest, SecondStartEndsMusicAndJoinsTheFirstLoopBeforePreparing)
{
    EventLog log;
    PlayHandOver handOver;
    QObject windowA, windowB;
    handOver.setPlayLoop(kModeSection, PlayLoop{LoopUntilStopped(log, "A"), {}, &windowA});
    handOver.setPlayLoop(kModePlayDrawing, PlayLoop{LoopUntilStopped(log, "B"), {}, &windowB});
    handOver.setEndMusic([&] { log.add("music ended, flag " + std::to_string(StopRequested.load())); });

    EXPECT_EQ(handOver.playOwner(), nullptr);
    ASSERT_TRUE(handOver.startPlay(kModeSection, [&] { return log.add("prepare A"), true; }).started());
    EXPECT_EQ(handOver.playOwner(), &windowA);
    // Wait until A runs, so that the second start really has something to stop.
    while (log.events().size() < 3)
        std::this_thread::yield();

    PlayStart second = handOver.startPlay(kModePlayDrawing, [&] {
        log.add("prepare B, running " + std::to_string(PlayLoopRunning.load()));
        return true;
    });
    ASSERT_TRUE(second.started() && second.status.isEmpty());
    // The play owner follows: the first window must not take B's flag as its own.
    EXPECT_EQ(handOver.playOwner(), &windowB);
    while (log.events().size() < 7)
        std::this_thread::yield();
    ASSERT_TRUE(handOver.stopAll() && handOver.playOwner() == nullptr);

    // The loops end on their own threads, so only these orders are fixed.
    const std::vector<std::string> events = log.events();
    auto at = [&](const std::string& event) {
        return std::find(events.begin(), events.end(), event) - events.begin();
    };
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ((std::vector<std::string>(events.begin(), events.begin() + 3)),
              (std::vector<std::string>{"music ended, flag 1", "prepare A", "A saw flag 0"}));
    // The second start: music ended with the flag up, A joined, only then B prepared and started.
    EXPECT_EQ(std::count(events.begin() + 3, events.begin() + at("prepare B, running 0"), "music ended, flag 1"), 1);
    EXPECT_LT(at("A ended"), at("prepare B, running 0"));
    EXPECT_LT(at("prepare B, running 0"), at("B saw flag 0"));
    EXPECT_FALSE(handOver.anyWorker());
}

TEST_F(PlayHandOverTest, StopAllJoinsThreeTrackThreadsAndThePlayThread)
{
    EventLog log;
    PlayHandOver handOver;
    for (std::uint8_t track = 1; track <= 3; ++track)
        handOver.setTrackLoop(track, PlayLoop{LoopUntilStopped(log, "track" + std::to_string(track))});
    handOver.setPlayLoop(kModePlayIlda, PlayLoop{LoopUntilStopped(log, "play")});

    ASSERT_TRUE(handOver.startTracks({}).started());
    EXPECT_EQ(TrackFlagsNow(), (std::vector<int>{1, 1, 1}));
    // Tracks end together on the shared flag; a play start replaces all three.
    ASSERT_TRUE(handOver.startPlay(kModePlayIlda, [&] {
                            EXPECT_EQ(TrackFlagsNow(), (std::vector<int>{0, 0, 0}));
                            return true;
                        })
                    .started());
    EXPECT_EQ(PlayLoopRunning.load(), 1);

    // And back: the track start stops the play thread, then all four are joined.
    ASSERT_TRUE(handOver.startTracks({}).started());
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_TRUE(handOver.stopAll() && !handOver.anyWorker());
    EXPECT_EQ(TrackFlagsNow(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(StopRequested.load(), 1);

    int ended = 0;
    for (const std::string& event : log.events())
        ended += event.ends_with(" ended");
    EXPECT_EQ(ended, 7);  // 3 tracks, the play, 3 tracks again
}

TEST_F(PlayHandOverTest, AWorkerThatIgnoresTheStopMakesTheStartRefuseAndLeavesTheListsAlone)
{
    std::latch release(1);
    std::vector<int> playList = {1, 2, 3};  // what the running loop reads
    PlayHandOver handOver(20ms);
    handOver.setPlayLoop(kModeEditorIlda, PlayLoop{[&] { release.wait(); }});
    handOver.setPlayLoop(kModeEditorDrawing, PlayLoop{[] {}});
    ASSERT_TRUE(handOver.startPlay(kModeEditorIlda, {}).started());

    int prepared = 0;
    auto prepare = [&] {
        ++prepared;
        playList = {9};
        return true;
    };
    PlayStart refused = handOver.startPlay(kModeEditorDrawing, prepare);
    EXPECT_EQ(std::pair(refused.result, refused.status), std::pair(PlayStart::Result::Refused, QString(kPlayStillRunningText)));
    EXPECT_EQ(std::tuple(prepared, playList, int(StopRequested.load()), handOver.anyWorker()),
              std::tuple(0, std::vector<int>{1, 2, 3}, 1, true));
    EXPECT_EQ(handOver.startTracks(prepare).result, PlayStart::Result::Refused);
    EXPECT_FALSE(handOver.stopAll());
    EXPECT_EQ(prepared, 0);

    // Once the stuck loop returns, the next start goes through.
    release.count_down();
    EXPECT_TRUE(handOver.startPlay(kModeEditorDrawing, prepare).started());
    EXPECT_EQ(std::pair(prepared, playList), std::pair(1, std::vector<int>{9}));
}

// A window's prepare step may run an event loop (a message box) in which the
// operator starts another play. That start is refused: had it started, the
// outer start would replace a worker told to run, and wait for ever on it.
TEST_F(PlayHandOverTest, AStartInsideAnotherStartsPrepareIsRefusedNotHung)
{
    EventLog log;
    PlayHandOver handOver;
    handOver.setPlayLoop(kModeSection, PlayLoop{LoopUntilStopped(log, "outer")});
    handOver.setPlayLoop(kModePlayDrawing, PlayLoop{LoopUntilStopped(log, "nested")});
    PlayStart nested;
    PlayStart nestedTracks;
    const PlayStart outer = handOver.startPlay(kModeSection, [&] {
        nested = handOver.startPlay(kModePlayDrawing, [] { return true; });
        nestedTracks = handOver.startTracks({});
        return true;
    });
    EXPECT_TRUE(outer.started());
    EXPECT_EQ(std::tuple(nested.result, nested.status, nestedTracks.result, int(TrackRunning[0].load())),
              std::tuple(PlayStart::Result::Refused, QString(kPlayStartBusyText), PlayStart::Result::Refused, 0));
    while (log.events().empty())
        std::this_thread::yield();
    ASSERT_TRUE(handOver.stopAll());
    EXPECT_EQ(log.events(), (std::vector<std::string>{"outer saw flag 0", "outer ended"}));

    // Once the outer start is done, starts go through again.
    EXPECT_TRUE(handOver.startPlay(kModePlayDrawing, {}).started());

    // Everything stopped while the lists were made (the program closes): nothing starts.
    const PlayStart cut = handOver.startPlay(kModeSection, [&] { return handOver.stopAll(); });
    EXPECT_EQ(std::tuple(cut.result, handOver.anyWorker(), int(PlayLoopRunning.load())),
              std::tuple(PlayStart::Result::NotPrepared, false, 0));
}

TEST_F(PlayHandOverTest, AnExceptionThatEndsALoopReachesTheGuiThreadQueued)
{
    PlayHandOver handOver;
    QSignalSpy failed(&handOver, &PlayHandOver::loopFailed);
    handOver.setPlayLoop(kModePlayIlda, PlayLoop{[] { throw std::runtime_error("frame list is empty"); }});
    ASSERT_TRUE(handOver.startPlay(kModePlayIlda, {}).started());
    ASSERT_TRUE(handOver.stopAll());
    EXPECT_EQ(failed.count(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(), "frame list is empty");
}

// Going away with a loop that ignores the stop takes the bound, not for ever.
TEST_F(PlayHandOverTest, DestroyingWithAStuckLoopEndsWithinTheBound)
{
    std::latch release(1);
    std::latch ended(1);
    {
        PlayHandOver handOver(20ms);
        handOver.setPlayLoop(kModeSection, PlayLoop{[&] {
            release.wait();
            ended.count_down();
        }});
        ASSERT_TRUE(handOver.startPlay(kModeSection, {}).started());
    }
    EXPECT_EQ(PlayLoopRunning.load(), 1) << "the abandoned loop still runs";
    release.count_down();
    ended.wait();
}

TEST_F(PlayHandOverTest, AStopRaisedRightAfterTheStartIsNotLost)
{
    std::latch started(1);
    std::atomic<bool> sawStop{false};
    PlayHandOver handOver;
    handOver.setPlayLoop(kModePlayTextVertical, PlayLoop{[&] {
                             started.wait();
                             sawStop = StopRequested.load() == 1;
                         }});
    ASSERT_TRUE(handOver.startPlay(kModePlayTextVertical, {}).started());
    StopRequested = 1;  // the stop button, before the loop got going
    started.count_down();
    ASSERT_TRUE(handOver.stopAll());
    EXPECT_TRUE(sawStop.load());
}

// A stand-in for the Draw window's status label.
class FakeDrawWindow : public QObject {
public:
    QString Label1;
};

TEST_F(PlayHandOverTest, DrawingEndNoticeArrivesQueuedAndOnlyForTheCurrentPlay)
{
    FakeDrawWindow window;
    int notices = 0;
    PlayHandOver handOver;
    handOver.setPlayLoop(kModeEditorDrawing, PlayLoop{[] {
                                                          while (!StopRequested.load())
                                                              std::this_thread::yield();
                                                      },
                                                      [&] {
                                                          ++notices;
                                                          EXPECT_EQ(QThread::currentThread(), window.thread());
                                                          window.Label1 = "drawing playing end...";
                                                      },
                                                      &window});

    ASSERT_TRUE(handOver.startPlay(kModeEditorDrawing, [&] { return window.Label1 = "start 1", true; }).started());
    // The replaced play's notice is posted during this start (the GUI thread
    // joins while it is pending, which must not deadlock) but must not
    // overwrite the new play's status.
    ASSERT_TRUE(handOver.startPlay(kModeEditorDrawing, [&] { return window.Label1 = "start 2", true; }).started());
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(window.Label1, notices), std::pair(QString("start 2"), 0));

    StopRequested = 1;  // the stop button
    ASSERT_TRUE(handOver.stopAll());
    EXPECT_EQ(window.Label1, "start 2");  // nothing runs before the event loop does
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(window.Label1, notices), std::pair(QString("drawing playing end..."), 1));
}

}  // namespace
