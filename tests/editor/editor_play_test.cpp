#include "common/test_points.h"
#include "common/thread_wakeups.h"
#include "editor/editor_player.h"
#include "model/effect_steps.h"
#include "model/palette.h"
#include "model/trunc_to_int.h"
#include "output/device_targets.h"
#include "output/play_handover.h"
#include "output/play_state.h"
#include "output/simulated_controllers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <future>
#include <random>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Waits for a condition another thread makes true; fails the test after 5 s.
template <class F>
bool Eventually(F condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(200us);
    }
    return true;
}

TEST(SendPlayFrameTransform, CornersAxesMirrorsAndFlags)
{
    TILDAimage image;
    Path& points = image.Frames.emplace_back().Points;
    points.push_back(TestPoint(127, 127, 4, 1, 2));
    points.push_back(TestPoint(-128, -128, 2, 0, 1));
    points.push_back(TestPoint(500, -900, 3, 0, 3));
    const PlayList ilda = MakeIldaPlayList(image);
    ASSERT_EQ(ilda.size(), 1u);
    const PlayPath& path = ilda[0];
    auto xy = [](const PlayPoint& p) { return std::pair<int, int>(p.x, p.y); };
    EXPECT_EQ((std::vector{xy(path[0]), xy(path[1]), xy(path[2])}),
              (std::vector<std::pair<int, int>>{{255, 255}, {0, 0}, {255, 0}}));
    EXPECT_EQ(path[0].code, DeviceColourCode(4));
    EXPECT_EQ(path[0].palette, 4);

    OutputTransform t;  // size 20 is 1:1
    // The device x axis runs the other way; ILDA play keeps y.
    EXPECT_EQ(DevicePointOf(path[0], t, PlayAxis::IldaUp), (DevicePoint{0, 255, DeviceColourCode(4), std::uint8_t(1 + 2)}));
    EXPECT_EQ(DevicePointOf(path[1], t, PlayAxis::IldaUp), (DevicePoint{255, 0, DeviceColourCode(2), 0}));
    EXPECT_EQ(DevicePointOf(path[2], t, PlayAxis::IldaUp).flags, 2);  // z 3 counts as a vertex
    // Drawing play turns y over as well.
    EXPECT_EQ(DevicePointOf(path[1], t, PlayAxis::DrawingDown).y, 255);
    // The mirror buttons undo the flips; offsets are subtracted; a quarter turn takes a corner to the next one.
    EXPECT_EQ(DevicePointOf(path[1], OutputTransform{true, true}, PlayAxis::IldaUp),
              (DevicePoint{0, 255, DeviceColourCode(2), 0}));
    EXPECT_EQ(DevicePointOf(PlayPoint{100, 100}, OutputTransform{.offsetX = 10, .offsetY = -5}, PlayAxis::IldaUp),
              (DevicePoint{145, 105, 0, 0}));
    const OutputTransform turned{.angle = 90};
    EXPECT_EQ(DevicePointOf(PlayPoint{255, 0}, turned, PlayAxis::IldaUp), (DevicePoint{255, 0, 0, 0}));
    EXPECT_EQ(DevicePointOf(PlayPoint{255, 255}, turned, PlayAxis::IldaUp), (DevicePoint{0, 0, 0, 0}));

    // Drawing play lists halve canvas coordinates, toward zero, and skip erased points.
    Drawing drawing(1);
    for (auto [x, y] : {std::pair{511, 3}, {-3, 700}, {8, 8}})
        drawing[0].push_back(TestPoint(x, y));
    drawing[0].back()->mark = kMarkErased;
    const PlayList list = MakeDrawingPlayList(drawing);
    ASSERT_EQ(list[0].size(), 2u);
    EXPECT_EQ((std::vector{xy(list[0][0]), xy(list[0][1])}), (std::vector<std::pair<int, int>>{{255, 1}, {0, 255}}));
}

// The frame point as once built, each point working out the angle's sine and cosine itself.
DevicePoint PerPointDevicePoint(const PlayPoint& p, const OutputTransform& t, PlayAxis axis)
{
    double x = 255 - p.x;
    double y = axis == PlayAxis::DrawingDown ? 255 - p.y : p.y;
    if (t.mirrorX)
        x = 255 - x;
    if (t.mirrorY)
        y = 255 - y;
    if (t.angle != 0)
        RotateByAngle(t.angle, x, y);
    x -= t.offsetX;
    y -= t.offsetY;
    x = ApplySizeX(TruncToInt(x), t.sizeX);
    y = ApplySizeY(TruncToInt(y), t.sizeY);
    return MakeDevicePoint(std::clamp(x, 0.0, 255.0), std::clamp(y, 0.0, 255.0), p.code, p.blank, p.z);
}

TEST(SendPlayFrameTransform, ATurnedFrameIsByteForByteThePerPointOne)
{
    std::mt19937 random(34);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    PlayPath path;
    for (int i = 0; i < 300; ++i)
        path.push_back(PlayPoint{any(0, 255), any(0, 255), any(0, 3), std::uint8_t(any(0, 7)), 0, std::uint8_t(any(0, 1))});
    // The centre, which never turns, on both axes; points far off the frame.
    path.push_back(PlayPoint{127, 128});
    path.push_back(PlayPoint{127, 127});
    path.push_back(PlayPoint{200000, -90000});
    path.push_back(PlayPoint{-2000000000, 2000000000});
    FramePacket frame;
    for (int angle = 0; angle < 360; ++angle) {
        const OutputTransform t{any(0, 1) == 1, any(0, 1) == 1, angle, any(-20, 20), any(-20, 20), any(0, 40), any(0, 40)};
        for (PlayAxis axis : {PlayAxis::IldaUp, PlayAxis::DrawingDown}) {
            std::vector<std::uint8_t> expected;
            for (const PlayPoint& p : path) {
                const DevicePoint d = PerPointDevicePoint(p, t, axis);
                expected.insert(expected.end(), {d.x, d.y, d.colour, d.flags});
            }
            frame.Clear();
            ASSERT_TRUE(AppendPlayPath(frame, path, t, axis));
            const auto bytes = frame.Bytes();
            ASSERT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected) << angle << " degrees";
        }
    }
}

class EditorPlayTest : public SimulatedControllers {
protected:
    void SetUp() override
    {
        SimulatedControllers::SetUp();
        sim_->Attach(0);
        PublishDeviceTargets(MakeDeviceTargets(QStringLiteral("ezusb-0"), {}, false));
        OutputChannel = 1;
        SizeX = 20;
        SizeY = 20;
        IldaFrameInterval = 2;
        SendSpeedByte = 15;
        PortSelection = 2;
        player_ = std::make_unique<EditorPlayer>(handOver_, [this](const QString& s) { status_ << s; }, 0);
    }
    void TearDown() override
    {
        player_.reset();
        QCoreApplication::processEvents();
        SimulatedControllers::TearDown();
    }

    // A controller that refuses every write: the loops then pace themselves at
    // the frame's scan time, and every attempt is still recorded.
    void RefuseWrites() { sim_->FailRequests(0, kRequestBulkWrite, SimulatedDeviceControl::kAlways); }

    static TILDAimage ThreeFrames()
    {
        TILDAimage image;
        for (int i = 0; i < 3; ++i) {
            image.Frames.emplace_back();
            image.Frames.back().Points.push_back(TestPoint(-100 + 100 * i, 0, 1, 1));
            image.Frames.back().Points.push_back(TestPoint(-90 + 100 * i, 10));
        }
        return image;
    }

    // The frame packets in arrival order with repeats collapsed, as the first
    // byte of each; settings packets as "s<speed>".
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> out;
        for (const RecordedRequest& w : Writes()) {
            std::string item = w.bytes.size() == 2 ? "s" + std::to_string(w.bytes[0]) : std::to_string(w.bytes[0]);
            if (out.empty() || out.back() != item)
                out.push_back(item);
        }
        return out;
    }

    PlayHandOver handOver_{std::chrono::milliseconds(3000)};
    std::unique_ptr<EditorPlayer> player_;
    QStringList status_;
};

TEST_F(EditorPlayTest, ThreeFramesTickedByHandArriveInOrderThenTheEndText)
{
    RefuseWrites();
    player_->StartImagePlay(ThreeFrames());
    ASSERT_EQ(status_.value(0), QStringLiteral("ILDAimage playing start....."));
    EXPECT_TRUE(player_->Timer1().isEnabled());
    EXPECT_EQ(player_->Timer1().interval(), 300);

    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(Eventually([&] { return player_->Shared().Current().EditorFrameIndex == frame; }));
        // Let the frame go out at least once more after it was published.
        const std::size_t before = Writes().size();
        ASSERT_TRUE(Eventually([&] { return Writes().size() > before + 1; }));
        // The preview shows the published frame.
        player_->Timer2Timer();
        EXPECT_EQ(player_->PreviewPointCount(), 2);
        if (frame == 1) {
            SendSpeedByte = 33;  // reaches the controller while the frame is sent
            ASSERT_TRUE(Eventually([&] {
                const auto sent = Sent();
                return sent.size() >= 2 && sent[sent.size() - 2] == "s33";
            }));
        }
        player_->Timer1Timer();
    }
    ASSERT_TRUE(Eventually([] { return PlayLoopRunning.load() == 0; }));
    player_->Timer2Timer();
    EXPECT_EQ(status_.last(), QStringLiteral("ILDAimage playing end..."));
    EXPECT_FALSE(player_->Timer1().isEnabled());
    EXPECT_FALSE(player_->Timer2().isEnabled());
    // Device x of the first points: 255 - (x + 128).
    const std::vector<std::string> expected = {"s0", "227", "127", "s33", "127", "27"};
    EXPECT_EQ(Sent(), expected);
}

// A frame no controller took is waited out in one sleep, not in slices that
// wake the thread hundreds of times a second; the frame timer's tick ends it.
TEST_F(EditorPlayTest, AnUnsentFramesWaitIsOneSleepThatTheTickEnds)
{
    StopRequested.store(0);
    EditorFrameTick.store(0);
    EXPECT_LE(WakeupsDuring([] { WaitUnsentFrame(6000, &EditorFrameTick); }), 5);  // 200 ms of scan time; 2 ms slices woke about 100 times

    // Twenty seconds of scan time: the tick ends it (a missed tick fails here, not hangs).
    auto waiting = std::async(std::launch::async, [] { WaitUnsentFrame(600000, &EditorFrameTick); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    player_->Timer1Timer();
    EXPECT_EQ(waiting.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    StopRequested.store(1);
}

TEST_F(EditorPlayTest, HoldKeepsTheFrameAndRepeatStartsOver)
{
    RefuseWrites();
    player_->SetHold(true);
    player_->SetRepeat(true);
    player_->StartImagePlay(ThreeFrames());
    ASSERT_TRUE(Eventually([&] { return player_->Shared().Current().EditorFrameIndex == 0; }));
    for (int i = 0; i < 3; ++i) {
        player_->Timer1Timer();
        ASSERT_TRUE(Eventually([] { return EditorFrameTick.load() == 0; }));
    }
    EXPECT_EQ(player_->Shared().Current().EditorFrameIndex, 0);

    player_->SetHold(false);
    for (int frame : {1, 2, 0}) {
        player_->Timer1Timer();
        ASSERT_TRUE(Eventually([&] { return player_->Shared().Current().EditorFrameIndex == frame; })) << frame;
    }
    EXPECT_TRUE(PlayLoopRunning.load());

    // Destroying the player stops its loop first and withdraws its modes.
    player_.reset();
    EXPECT_FALSE(handOver_.anyWorker());
    EXPECT_EQ(PlayLoopRunning.load(), 0);
    EXPECT_TRUE(handOver_.startPlay(kModeEditorIlda, {}).started());
    EXPECT_TRUE(handOver_.stopAll());
}

TEST_F(EditorPlayTest, PreviewIgnoresIntervalsBelowTwoAndAnotherWindowsPlay)
{
    IldaFrameInterval = 0;
    player_->Timer1Timer();
    EXPECT_EQ(player_->Timer1().interval(), 2);
    EXPECT_EQ(EditorFrameTick.load(), 1);
    player_->Timer2Timer();
    EXPECT_GE(player_->Timer2().interval(), 1);

    // Another window's loop runs and raises FrameChanged: the Draw preview leaves it.
    std::atomic<bool> release{false};
    handOver_.setPlayLoop(kModeSection, PlayLoop{[&] {
        FrameChanged = 1;
        while (!release && !StopRequested)
            std::this_thread::yield();
    }});
    ASSERT_TRUE(handOver_.startPlay(kModeSection, {}).started());
    ASSERT_TRUE(Eventually([] { return FrameChanged.load() == 1; }));
    status_.clear();
    player_->Timer2Timer();
    EXPECT_EQ(FrameChanged.load(), 1);
    EXPECT_EQ(status_, QStringList{QStringLiteral("ILDAimage playing end...")});
    release = true;
    handOver_.stopAll();
}

TEST_F(EditorPlayTest, StartsSetTheSendSpeedAndATwentyThousandPointDrawingIsCutToOnePacketOfAtMost64KB)
{
    Drawing drawing;
    for (int p = 0; p < 4; ++p) {
        drawing.emplace_back();
        for (int i = 0; i < 5000; ++i)
            drawing.back().push_back(TestPoint(i % 511, p * 100, 1 + i % 7, i == 0));
    }
    RefuseWrites();
    player_->StartImagePlay(ThreeFrames());
    EXPECT_EQ(SendSpeedByte.load(), kFastestSpeedByte);
    player_->Stop();
    sim_->ClearRequests();
    status_.clear();
    player_->StartDrawingPlay(drawing);
    EXPECT_EQ(SendSpeedByte.load(), 15);
    EXPECT_TRUE(status_.contains(QStringLiteral("drawing playing start... (cut to 16384 pts)")));
    ASSERT_TRUE(Eventually([&] { return Writes().size() >= 2; }));
    player_->Stop();
    const auto writes = Writes();
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[0].bytes, (std::vector<std::uint8_t>{15, 2}));
    for (std::size_t i = 1; i < writes.size(); ++i)
        EXPECT_EQ(writes[i].bytes.size(), 65536u);
    // The preview was drawn once from the list, and counts every point.
    EXPECT_EQ(player_->PreviewPointCount(), 20000);

    SendSpeedByte = 40;
    player_->StartDrawingPlay(drawing);
    EXPECT_EQ(SendSpeedByte.load(), 40);
    player_->Stop();
    // An empty image or drawing starts nothing and leaves the status alone.
    status_.clear();
    player_->StartImagePlay(TILDAimage{});
    player_->StartDrawingPlay(Drawing{});
    EXPECT_TRUE(status_.isEmpty());
    EXPECT_FALSE(handOver_.anyWorker());
    EXPECT_EQ(SendSpeedByte.load(), 40);
}

TEST_F(EditorPlayTest, RestartsMidPlayHandOverCleanlyAndTheEndTextArrives)
{
    Drawing drawing;
    drawing.emplace_back();
    for (int i = 0; i < 300; ++i)
        drawing[0].push_back(TestPoint(i, i, 2, i == 0));
    // A working controller: the loops send back to back.
    for (int round = 0; round < 5; ++round) {
        player_->StartDrawingPlay(drawing);
        ASSERT_TRUE(Eventually([&] { return Writes().size() > 3; }));
        player_->StartImagePlay(ThreeFrames());
        ASSERT_TRUE(Eventually([&] { return player_->Shared().Current().EditorFrameIndex == 0; }));
        sim_->ClearRequests();
    }
    player_->StartDrawingPlay(drawing);
    player_->Stop();
    EXPECT_FALSE(handOver_.anyWorker());
    QCoreApplication::processEvents();
    // Only the last drawing play reports its end; replaced ones are dropped.
    EXPECT_EQ(status_.count(QStringLiteral("drawing playing end...")), 1);
    EXPECT_EQ(status_.last(), QStringLiteral("drawing playing end..."));
}

}  // namespace
