#include "player/chain_fixtures.h"
#include "player/recording_sink.h"

#include "sequencer/sequence_preview.h"
#include "sequencer/sequence_tracks.h"

#include "model/palette.h"
#include "model/screen_colour.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

TSequenceRecord Item(const QString& name, int playTime)
{
    TSequenceRecord r;
    r.FileName = name;
    r.PlayTime = playTime;
    return r;
}

TILDAimage Image(int frames, int points)
{
    TILDAimage image;
    for (int f = 0; f < frames; ++f) {
        TILDAframe frame;
        frame.Points = LinePath(points, -100 + 10 * f, 0);
        image.Frames.push_back(std::move(frame));
    }
    return image;
}

TSectionRecord Row(int A, int D, int points)
{
    TSectionRecord r = LineRow(A, 10, points);
    r.D = D;
    return r;
}

class Track : public PlayStateTest {
protected:
    RecordingSink sink;
    SequenceControls controls;
    TrackState state;
    TrackContext context{0, sink, controls, state};

    void SetUp() override
    {
        PlayStateTest::SetUp();
        SendSpeedByte.store(40);
        PortSelection.store(2);
        IldaFrameInterval.store(2);
    }
    // One time-base tick after every frame and idle pass.
    void TickAfterEachPass()
    {
        sink.afterFrame = [](std::size_t) {
            TrackTimeTick[0].store(1);
            TrackFrameTick[0].store(1);
        };
    }
};

}  // namespace

TEST(SequenceTables, ColourByModeSectionKAndDarkPoints)
{
    // Fixed colours, Auto, the three Rnd modes and one outside the table (c 2, cycle 3, r 5).
    const std::pair<int, int> modes[] = {{0, 0}, {6, 6}, {257, 2}, {258, (2 + 3) % 7 + 1}, {259, 4}, {260, 6}, {300, 0}};
    for (const auto& [mode, code] : modes) {
        EXPECT_EQ(SequenceColourCode(mode, 2, 3, 5), code) << mode;
        EXPECT_EQ(SequenceColourCode(mode, 0, 3, 5), 0) << "a dark point stays dark in mode " << mode;
    }
    // A section row under Auto follows its K; the window's fixed mode overrides K.
    const std::pair<int, int> rowK[] = {{5, 5}, {257, 2}, {259, 4}, {260, 6}};
    for (const auto& [k, code] : rowK)
        EXPECT_EQ(SequenceColourCode(257, 2, 3, 5, k), code) << k;
    EXPECT_EQ(SequenceColourCode(3, 2, 3, 5, 260), 3);
    // Flags: point draw or blank set bit 0, z above 1 adds 2.
    EXPECT_EQ((std::vector<int>{SequencePointFlags(false, 0, 0), SequencePointFlags(true, 0, 1),
                                SequencePointFlags(false, 1, 2), SequencePointFlags(false, 0, 2)}),
              (std::vector<int>{0, 1, 3, 2}));
}

TEST(SequenceTables, OutputMappingTurnsMirrorsOffsetsAndClamps)
{
    using XY = std::pair<std::int32_t, std::int32_t>;
    OutputGeometry g;
    LaserPoint p;
    p.x = 10;
    p.y = 20;
    std::int32_t sx = 0, sy = 0;
    DrawingSource(p, sx, sy);
    const auto mapped = [&] {
        std::int32_t x = 0, y = 0;
        MapTrackPoint(sx, sy, g, x, y);
        return XY(x, y);
    };
    EXPECT_EQ(mapped(), XY(245, 235));
    g.offsetX = 5;
    g.mirrorY = true;
    EXPECT_EQ(mapped(), XY(240, 20));  // offsets are subtracted
    g = {};
    g.offsetX = -100;
    EXPECT_EQ(mapped().first, 255);  // clamped
    // ILDA space: x turned, y upward.
    p.x = -128;
    p.y = 127;
    IldaSource(p, sx, sy);
    EXPECT_EQ(XY(sx, sy), XY(255, 255));
}

TEST_F(Track, ItemsSendTheirSettingsAndWaitTheirTime)
{
    std::vector<TSequenceRecord> items;
    items.push_back(Item("a.DDR", 3));
    items.back().Paths = LineDrawing(4, 10, 10);
    items.push_back(Item("b.xyz", 2));
    items.push_back(Item("c.ild", 0));
    items.back().IldaImage = Image(2, 3);
    TickAfterEachPass();
    PlayTrack(items, context);

    EXPECT_EQ(sink.startSettings,
              (std::vector<DeviceSettingsPacket>{{40, 2}, {40, 2}, {0, 2}}));
    // The drawing (upper-case extension counts) repeats its frame until its 3 ticks are counted;
    // the unknown kind only waits; the ILDA item with time 0 sends nothing after its settings.
    EXPECT_GE(sink.frames.size(), 3u);
    for (const auto& f : sink.frames) {
        EXPECT_EQ(f.points.size(), 4u);
        EXPECT_EQ(*f.settings, (DeviceSettingsPacket{40, 2}));
    }
    EXPECT_GE(sink.idles, 2);
    EXPECT_EQ(TrackRunning[0].load(), 0);
    EXPECT_EQ(SequencePlaying.load(), 1);
}

TEST_F(Track, IldaFramesHoldForTheFrameIntervalAndRepeatFromTheFirst)
{
    auto framesAtInterval = [&](int ifi) {
        IldaFrameInterval.store(ifi);
        sink.frames.clear();
        std::vector<TSequenceRecord> items;
        items.push_back(Item("i.ild", 1000));
        items.back().IldaImage = Image(3, 2);
        sink.limit = 40;
        StopRequested.store(0);
        PlayTrack(items, context);
        std::vector<int> order;
        for (const auto& f : sink.frames)
            order.push_back((255 - f.points.front().x - 28) / 10);  // frame f starts at x = -100 + 10 f
        return order;
    };
    TickAfterEachPass();
    const auto two = framesAtInterval(2);
    EXPECT_EQ(std::vector<int>(two.begin(), two.begin() + 6), (std::vector<int>{0, 1, 2, 0, 1, 2}));
    const auto ten = framesAtInterval(10);
    EXPECT_EQ(std::count(ten.begin(), ten.begin() + 18, 0), 9);
    EXPECT_EQ(ten[9], 1);
    // IFI 0 (no value in the settings) plays as the smallest interval instead of skipping every frame.
    const auto zero = framesAtInterval(0);
    EXPECT_EQ(std::vector<int>(zero.begin(), zero.begin() + 3), (std::vector<int>{0, 1, 2}));
}

TEST_F(Track, SectionSlowDrawGrowsAndRowsWithoutTimeAreSkipped)
{
    std::vector<TSequenceRecord> items;
    items.push_back(Item("s.sec", 1000000));
    items.back().Sections.push_back(Row(0, 0, 50));  // A = 0: no frame
    items.back().Sections.push_back(Row(5, 5, 100));
    items.back().Sections.back().B = 90;  // an effect step every 121 points
    sink.limit = 300;
    PlayTrack(items, context);
    ASSERT_FALSE(sink.frames.empty());
    EXPECT_EQ(sink.frames.front().points.size(), 100u);
    EXPECT_EQ(sink.frames.front().settings->speed, 15);  // 100 - P
    std::vector<std::size_t> sizes;
    for (const auto& f : sink.frames)
        if (sizes.empty() || sizes.back() != f.points.size())
            sizes.push_back(f.points.size());
    // After the first step the frame holds prefix + 1 points: 1, 6, 11, ...
    const auto one = std::find(sizes.begin(), sizes.end(), 1u);
    ASSERT_NE(one, sizes.end());
    ASSERT_GE(sizes.end() - one, 3);
    EXPECT_EQ(one[1], 6u);
    EXPECT_EQ(one[2], 11u);
}

TEST_F(Track, SectionRowTimeCountsFrameTicks)
{
    std::vector<TSequenceRecord> items;
    items.push_back(Item("s.sec", 1000000));
    items.back().Sections.push_back(Row(2, 0, 5));
    items.back().Sections.push_back(Row(1, 0, 7));
    int ticks = 0;
    sink.afterFrame = [&](std::size_t n) {
        TrackFrameTick[0].store(1);
        TrackTimeTick[0].store(1);
        ++ticks;
        if (n >= 12)
            StopRequested.store(1);
    };
    PlayTrack(items, context);
    // Row 1 (5 points, A 2) passes until two frame ticks are counted (three passes, the
    // first before any tick); row 2 (7 points, A 1) counts the tick left from row 1 at its
    // first point and so plays one pass; then the rows repeat.
    std::vector<std::size_t> sizes;
    for (const auto& f : sink.frames)
        sizes.push_back(f.points.size());
    ASSERT_GE(sizes.size(), 6u);
    EXPECT_EQ(std::vector<std::size_t>(sizes.begin(), sizes.begin() + 6), (std::vector<std::size_t>{5, 5, 5, 7, 5, 5}));
}

TEST_F(Track, FreezeHoldsTimeButKeepsSending)
{
    std::vector<TSequenceRecord> items;
    items.push_back(Item("d.ddr", 2));
    items.back().Paths = LineDrawing(3, 10, 10);
    FreezePlay.store(1);
    TickAfterEachPass();
    sink.limit = 50;
    PlayTrack(items, context);
    EXPECT_EQ(sink.frames.size(), 50u);  // only the stop ended it
    EXPECT_EQ(state.TrackElapsed.load(), 0);
}

TEST_F(Track, DrawingContinuesTheCycleAndIldaStartsItAtZero)
{
    controls.SequenceColorMode.store(259);  // Rnd2: cycle + 1
    state.TrackColourCycle.store(3);
    std::vector<TSequenceRecord> items;
    items.push_back(Item("d.ddr", 1));
    items.back().Paths = LineDrawing(2, 10, 10);
    items.push_back(Item("i.ild", 1));
    items.back().IldaImage = Image(1, 2);
    TickAfterEachPass();
    PlayTrack(items, context);
    ASSERT_GE(sink.frames.size(), 2u);
    EXPECT_EQ(sink.frames.front().points[1].colour, 4);
    EXPECT_EQ(sink.frames.back().points[1].colour, 1);
}

TEST_F(Track, ItemsWithMissingFilesWaitOrSendEmptyFrames)
{
    std::vector<TSequenceRecord> items;
    items.push_back(Item("gone.ddr", 2));
    items.push_back(Item("gone.ild", 2));
    items.push_back(Item("gone.sec", 2));
    TickAfterEachPass();
    PlayTrack(items, context);
    ASSERT_FALSE(sink.frames.empty());
    for (const auto& f : sink.frames)
        EXPECT_TRUE(f.points.empty());
    EXPECT_GE(sink.idles, 2);  // the empty image and the section without rows wait, tick by tick
    EXPECT_EQ(sink.startSettings.size(), 3u);
}

TEST_F(Track, ChangedOutputSettingRaisesFrameChanged)
{
    SequenceSettingsCheck();
    FrameChanged.store(0);
    SequenceSettingsCheck();
    EXPECT_EQ(FrameChanged.load(), 0);
    OffsetX.store(7);
    SequenceSettingsCheck();
    EXPECT_EQ((std::pair<int, int>(FrameChanged.load(), LastOffsetX.load())), std::pair(1, 7));
}

// ---- the preview --------------------------------------------------------------

TEST(SequencePreview, MappingsAddOffsetsAndSectionMirrorsComeLast)
{
    using XY = std::pair<std::int32_t, std::int32_t>;
    OutputGeometry g;
    g.sizeX = g.sizeY = 20;
    LaserPoint p;
    p.x = 10;
    p.y = 20;
    std::int32_t x = 0, y = 0;
    MapPreviewDrawingPoint(p, g, x, y);
    EXPECT_EQ(XY(x, y), XY(10, 20));
    g.offsetX = 5;
    MapPreviewDrawingPoint(p, g, x, y);
    EXPECT_EQ(x, 15);
    LaserPoint q;
    q.x = -128;
    q.y = 127;
    g = {};
    MapPreviewIldaPoint(q, g, x, y);
    EXPECT_EQ(XY(x, y), XY(0, 0));
    // A section row moved past the edge by Q is clamped first and mirrored after.
    TSectionRecord row = Row(1, 0, 1);
    row.Q = 300;
    g.mirrorX = true;
    MapPreviewSectionPoint(p, row, EffectPhases{}, g, x, y);
    EXPECT_EQ(x, 0);
}

TEST(SequencePreview, DrawsEveryRunningTrackAndSkipsOtherKinds)
{
    ResetPlayState();
    TSequence seq;
    seq.Track1.push_back(Item("d.ddr", 10));
    seq.Track1.back().Paths = LineDrawing(5, 10, 10);
    seq.Track2.push_back(Item("s.sec", 10));
    seq.Track2.back().Sections.push_back(Row(1, 3, 20));
    seq.Track3.push_back(Item("x.txt", 10));
    std::array<TrackState, kTrackCount> states;
    states[1].TrackSlowDrawPrefix.store(3);
    SequencePreviewInput in;
    in.sequence = &seq;
    in.states = &states;
    in.running = {true, true, true};
    in.geometry.sizeX = in.geometry.sizeY = 20;
    QImage image(256, 256, QImage::Format_RGB32);
    EXPECT_EQ(RenderSequencePreview(image, in), 5 + 4);  // the row shows its prefix + 1 points
    in.running = {true, false, true};
    EXPECT_EQ(RenderSequencePreview(image, in), 5);
    states[0].TrackItemIndex.store(7);  // past the list: nothing
    EXPECT_EQ(RenderSequencePreview(image, in), 0);
}

// The picture point by point as the per-point reference mappings place it,
// a new pen for every point: what the preview must still draw, pixel for pixel.
QImage ReferencePreview(const SequencePreviewInput& in)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QPoint last;
    bool have = false;
    int r = 0;
    auto point = [&](const LaserPoint& p, std::int32_t x, std::int32_t y, std::int32_t k, bool ring) {
        painter.setPen(QPen(ToQColor(PaletteColour(SequenceColourCode(in.colourMode, DeviceColourCode(p.colour), 0,
                                                                      r++ % 7, k))),
                            1));
        if (ring) {
            painter.setBrush(Qt::black);
            painter.drawEllipse(QRect(x - 2, y - 2, 4, 4));
            painter.setBrush(Qt::NoBrush);
        } else if (p.blank) {
            painter.drawEllipse(QRect(x - 1, y - 1, 2, 2));
        } else if (have) {
            painter.drawLine(last, QPoint(x, y));
        }
        last = QPoint(x, y);
        have = true;
    };
    const TSequence& s = *in.sequence;
    std::int32_t x = 0, y = 0;
    for (const Path& path : s.Track1[0].Paths.get())
        for (const auto& p : path) {
            MapPreviewDrawingPoint(*p, in.geometry, x, y);
            point(*p, x, y, -1, in.pointDraw);
        }
    r = 0;  // each track counts its own points
    const TSectionRecord& row = s.Track2[0].Sections[0];
    const EffectPhases phases = (*in.states)[1].Phases();
    for (const Path& path : row.Paths.get())
        for (const auto& p : path) {
            MapPreviewSectionPoint(*p, row, phases, in.geometry, x, y);
            point(*p, x, y, row.K, in.pointDraw || row.O != 0);
        }
    r = 0;
    for (const auto& p : s.Track3[0].IldaImage->Frames[0].Points) {
        MapPreviewIldaPoint(*p, in.geometry, x, y);
        point(*p, x, y, -1, in.pointDraw);
    }
    return image;
}

TEST(SequencePreview, PictureIsThePerPointReferencePixelForPixel)
{
    ResetPlayState();
    // Colour runs of different lengths, blanked points, and a row with every effect on.
    auto rose = [](int n, int size, int offset) {
        Path path;
        for (int i = 0; i < n; ++i) {
            auto p = std::make_unique<LaserPoint>();
            const double t = 0.05 * i;
            p->x = offset + int(size * std::cos(3 * t) * std::cos(t));
            p->y = offset + int(size * std::cos(3 * t) * std::sin(t));
            p->colour = std::uint8_t(1 + (i / (1 + i % 9)) % 12);
            p->blank = i % 37 == 0;
            path.push_back(std::move(p));
        }
        return path;
    };
    TSequence seq;
    seq.Track1.push_back(Item("d.ddr", 10));
    Drawing drawing;
    drawing.push_back(rose(400, 120, 128));
    drawing.push_back(rose(50, 30, 60));
    seq.Track1.back().Paths = std::move(drawing);
    seq.Track2.push_back(Item("s.sec", 10));
    TSectionRecord row = Row(50, 0, 1);
    Drawing rowDrawing;
    rowDrawing.push_back(rose(300, 100, 128));
    row.Paths = std::move(rowDrawing);
    for (auto [field, value] : {std::pair{&TSectionRecord::C, 4}, {&TSectionRecord::E, 3}, {&TSectionRecord::G, 2},
                                {&TSectionRecord::J, 1}, {&TSectionRecord::L, 17}, {&TSectionRecord::M, 33},
                                {&TSectionRecord::Q, 5}, {&TSectionRecord::R, -7}, {&TSectionRecord::K, kColourAuto}})
        row.*field = value;
    seq.Track2.back().Sections.push_back(std::move(row));
    seq.Track3.push_back(Item("i.ild", 10));
    TILDAimage ilda;
    TILDAframe frame;
    frame.Points = rose(250, 100, 0);
    ilda.Frames.push_back(std::move(frame));
    seq.Track3.back().IldaImage = std::move(ilda);

    std::array<TrackState, kTrackCount> states;
    states[1].TrackSlowDrawPrefix.store(1000);
    states[1].TrackRotationPhase.store(77);
    states[1].TrackHStretchPhase.store(120);
    SequencePreviewInput in;
    in.sequence = &seq;
    in.states = &states;
    in.running = {true, true, true};
    QImage image(256, 256, QImage::Format_RGB32);
    struct Look {
        int angle;
        bool mirrorX, mirrorY, pointDraw;
        int offsetX, sizeX;
    };
    for (const Look look : {Look{0, false, false, false, 0, 20}, Look{30, false, false, false, 10, 20},
                            Look{-135, true, false, false, -20, 25}, Look{271, false, true, true, 0, 14},
                            Look{720, true, true, false, 3, 20}}) {
        SCOPED_TRACE(look.angle);
        in.geometry = {};
        in.geometry.outputAngle = look.angle;
        in.geometry.mirrorX = look.mirrorX;
        in.geometry.mirrorY = look.mirrorY;
        in.geometry.offsetX = look.offsetX;
        in.geometry.sizeX = look.sizeX;
        in.pointDraw = look.pointDraw;
        EXPECT_EQ(RenderSequencePreview(image, in), 450 + 300 + 250);
        const QImage reference = ReferencePreview(in);
        EXPECT_TRUE(image == reference);
        EXPECT_GT(std::count_if(reinterpret_cast<const QRgb*>(image.constBits()),
                                reinterpret_cast<const QRgb*>(image.constBits()) + 256 * 256,
                                [](QRgb c) { return qGray(c) > 0; }),
                  1000);
    }
}

TEST(SequencePreview, FourEndBranches)
{
    // {drew, loop} -> {end music, stop}: a loop plays on; only a quiet pass on loop keeps the music.
    for (const auto& [drew, loop, endMusic, stop] : {std::tuple{true, false, true, true}, {true, true, true, false},
                                                    {false, false, true, true}, {false, true, false, false}}) {
        SCOPED_TRACE(std::to_string(drew) + std::to_string(loop));
        const auto end = EndOfSequence(drew, loop);
        EXPECT_EQ(std::pair(end.endMusic, end.stop), std::pair(endMusic, stop));
    }
}
