#include "chain_fixtures.h"
#include "common/test_points.h"
#include "recording_sink.h"

#include "model/palette.h"
#include "player/play_loops.h"
#include "player/section_loops.h"

#include <tuple>

namespace {

LaserPoint* AddPoint(Path& path, int x, int y, std::uint8_t colour, std::uint8_t blank)
{
    path.push_back(TestPoint(x, y, colour, blank));
    return path.back().get();
}

// Frame f of the image holds f + 1 points, so a sent frame tells which it was.
IldaPlayFrames ThreeFrames()
{
    TILDAimage image;
    for (int f = 0; f < 3; ++f) {
        TILDAframe frame;
        for (int i = 0; i <= f; ++i)
            AddPoint(frame.Points, -50 + 10 * i, 20, 2, 0);
        image.Frames.push_back(std::move(frame));
    }
    return *PrepareIldaPlay(image);
}

class PlayLoops : public PlayStateTest {
protected:
    RecordingSink sink;
    LiveParameters live;
    PublishedAnimation animation;
    std::atomic<std::uint8_t> tick{0};
    PlayLoopContext context{sink, live, animation, tick};

    std::vector<std::size_t> Sizes() const
    {
        std::vector<std::size_t> sizes;
        for (const auto& f : sink.frames)
            sizes.push_back(f.points.size());
        return sizes;
    }
    // A frame tick after every second frame sent.
    void TickEverySecondFrame()
    {
        sink.afterFrame = [this](std::size_t n) {
            if (n % 2 == 0)
                tick.store(1);
        };
    }
};

}  // namespace

TEST(PrepareIldaPlay, ConvertsToOutputSpaceKeepsPaletteAndSkipsErased)
{
    TILDAimage image;
    TILDAframe frame;
    AddPoint(frame.Points, -128, 127, 2, 0x40);
    AddPoint(frame.Points, 127, -128, 40, 0);
    AddPoint(frame.Points, 300, -300, 9, 0);
    AddPoint(frame.Points, 0, 0, 1, 0)->mark = kMarkErased;
    image.Frames.push_back(std::move(frame));
    image.Frames.emplace_back();
    const auto frames = PrepareIldaPlay(image);
    ASSERT_TRUE(frames);
    ASSERT_EQ(frames->size(), 2u);
    const Drawing first = (*frames)[0];
    const Path& p = first[0];
    ASSERT_EQ(p.size(), 3u);
    // Kept top-down: y upwards in the file is y downwards here; out of range clamped.
    auto fields = [](const LaserPoint& q) { return std::tuple(q.x, q.y, int(q.blank), int(q.colour)); };
    EXPECT_EQ(fields(*p[0]), std::tuple(0, 0, 1, int(DeviceColourCode(2))));
    EXPECT_EQ(fields(*p[1]), std::tuple(255, 255, 0, int(DeviceColourCode(40))));
    EXPECT_EQ(std::tuple(p[2]->x, p[2]->y), std::tuple(255, 255));
    EXPECT_EQ(p[1]->mark, 40);
    EXPECT_TRUE((*frames)[1][0].empty());
    EXPECT_FALSE(PrepareIldaPlay(TILDAimage{})) << "an image without frames keeps the old play list";
}

// A play holds the image it was given, not a converted copy of every frame.
TEST(PrepareIldaPlay, SharesTheImageItIsGiven)
{
    auto image = std::make_shared<TILDAimage>();
    image->Frames.resize(2);
    AddPoint(image->Frames[1].Points, 10, 10, 2, 0);
    const std::shared_ptr<const TILDAimage> shared = image;
    const auto frames = PrepareIldaPlay(shared);
    ASSERT_TRUE(frames);
    EXPECT_EQ(frames->Image().get(), shared.get());
    EXPECT_EQ(frames->size(), 2u);
    EXPECT_EQ((*frames)[1][0].size(), 1u);
    EXPECT_FALSE(PrepareIldaPlay(std::shared_ptr<const TILDAimage>()));
}

TEST_F(PlayLoops, IldaSendsUpwardsAsTheFileHasIt)
{
    TILDAimage image;
    image.Frames.emplace_back();
    AddPoint(image.Frames[0].Points, -100, 100, 2, 0);  // top left in the file
    const auto frames = *PrepareIldaPlay(image);
    sink.afterFrame = [](std::size_t) { StopRequested.store(1); };
    PlayIldaLoop(frames, context);
    ASSERT_EQ(sink.frames.size(), 1u);
    // Sent as x = 255 - (x + 128), y = y + 128: the device's own orientation.
    EXPECT_EQ((std::pair<int, int>(sink.frames[0].points[0].x, sink.frames[0].points[0].y)), std::pair(255 - 28, 228));
}

TEST_F(PlayLoops, IldaFramesInOrderThenTheEndRepeatAndFreeze)
{
    const IldaPlayFrames frames = ThreeFrames();
    TickEverySecondFrame();
    PlayIldaLoop(frames, context);
    EXPECT_EQ(Sizes(), (std::vector<std::size_t>{1, 1, 2, 2, 3, 3})) << "each frame until its tick, then the end";
    EXPECT_EQ(StopRequested.load(), 0) << "the play ended by itself";

    // Repeat: after the last frame the first follows.
    sink.frames.clear();
    LoopPlay.store(1);
    sink.limit = 9;
    PlayIldaLoop(frames, context);
    EXPECT_EQ(Sizes(), (std::vector<std::size_t>{1, 1, 2, 2, 3, 3, 1, 1, 2}));

    // Freeze holds the frame while the ticks come and go; released, the next tick moves on.
    StopRequested.store(0);
    LoopPlay.store(0);
    sink.frames.clear();
    sink.limit = 10000;
    FreezePlay.store(1);
    sink.afterFrame = [this](std::size_t n) {
        tick.store(1);
        if (n == 5)
            FreezePlay.store(0);
    };
    PlayIldaLoop(frames, context);
    EXPECT_EQ(Sizes(), (std::vector<std::size_t>{1, 1, 1, 1, 1, 2, 3}));
    EXPECT_EQ(animation.SectionRowIndex.load(), 2);
}

TEST_F(PlayLoops, StopEndsTheFrameWalkAtOnceWithoutSettings)
{
    const IldaPlayFrames frames = ThreeFrames();
    sink.afterFrame = [](std::size_t n) {
        if (n == 1) {
            StopRequested.store(1);
            SendSpeedByte.store(77);  // would be sent at the next frame's start
        }
    };
    PlayIldaLoop(frames, context);
    EXPECT_EQ(sink.frames.size(), 1u);
    EXPECT_EQ(sink.startSettings.size(), 1u) << "only the loop's opening settings";
}

TEST_F(PlayLoops, SpeedChangeSendsExactlyOneSettingsPacket)
{
    SendSpeedByte.store(50);
    PortSelection.store(2);
    const Drawing drawing = PrepareSectionDrawing(LineDrawing(4, 10, 10));
    sink.limit = 8;
    sink.afterFrame = [](std::size_t n) {
        if (n == 3)
            SendSpeedByte.store(15);
    };
    PlayDrawingLoop(drawing, context);
    EXPECT_EQ(sink.startSettings, (std::vector<DeviceSettingsPacket>{{50, 2}}));
    std::vector<std::size_t> withSettings;
    for (std::size_t i = 0; i < sink.frames.size(); ++i)
        if (sink.frames[i].settings) {
            withSettings.push_back(i);
            EXPECT_EQ(*sink.frames[i].settings, (DeviceSettingsPacket{15, 2}));
        }
    EXPECT_EQ(withSettings, (std::vector<std::size_t>{3})) << "the frame after the change, and no other";

    // The ILDA loop sends it on its own at the next frame's start.
    StopRequested.store(0);
    sink.startSettings.clear();
    sink.frames.clear();
    sink.limit = 10000;
    sink.afterFrame = [this](std::size_t n) {
        tick.store(1);
        if (n == 1)
            SendSpeedByte.store(30);
    };
    PlayIldaLoop(ThreeFrames(), context);
    EXPECT_EQ(sink.startSettings, (std::vector<DeviceSettingsPacket>{{15, 2}, {30, 2}}));
    EXPECT_EQ(sink.frames.size(), 3u);
}

TEST_F(PlayLoops, DrawingFramesAreCutAtThePacketLimitAndEmptyListsNeverSpin)
{
    Drawing big;
    big.push_back(LinePath(20000, 0, 50));
    for (auto& p : big[0])
        p->x %= 256;
    sink.limit = 2;
    PlayDrawingLoop(PrepareSectionDrawing(big), context);
    ASSERT_EQ(sink.frames.size(), 2u);
    EXPECT_EQ(sink.frames[0].points.size(), 16384u);

    // An ILDA play with no frames at all and repeat on waits a tick per pass until stopped.
    StopRequested.store(0);
    LoopPlay.store(1);
    sink.frames.clear();
    sink.afterFrame = [this](std::size_t) {
        if (sink.idles == 3)
            StopRequested.store(1);
    };
    PlayIldaLoop(IldaPlayFrames{}, context);
    EXPECT_EQ(sink.idles, 3);
    EXPECT_TRUE(sink.frames.empty());
}
