#include "chain_fixtures.h"
#include "recording_sink.h"

#include "square_glyphs.h"

#include "player/text_scroll.h"

#include <thread>

namespace {

struct P {
    int x, y, blank;
    bool operator==(const P&) const = default;
};

Path MakePath(const std::vector<P>& points)
{
    Path path;
    for (const P& p : points) {
        auto q = std::make_unique<LaserPoint>();
        q->x = p.x;
        q->y = p.y;
        q->blank = std::uint8_t(p.blank);
        q->colour = 4;
        q->z = 2;
        path.push_back(std::move(q));
    }
    return path;
}

std::vector<P> Points(const Path& path)
{
    std::vector<P> out;
    for (const auto& p : path)
        out.push_back({p->x, p->y, p->blank});
    return out;
}

int MinX(const Path& path)
{
    int x = INT32_MAX;
    for (const auto& p : path)
        x = std::min(x, p->x);
    return x;
}

}  // namespace

TEST(TextClip, TheEdgeTable)
{
    // Left edge, placed copy equal to the source (delta 0).
    auto clip = [](const std::vector<P>& s, ClipEdge edge, int delta = 0) {
        const Path source = MakePath(s);
        return Points(ClipPath(source, source, edge, delta));
    };
    // Outside to inside: the edge point starts the visible part, blanked.
    EXPECT_EQ(clip({{-10, 0, 1}, {10, 20, 0}}, ClipEdge::Left), (std::vector<P>{{0, 10, 1}, {10, 20, 0}}));
    // Inside to outside: the beam draws up to the edge.
    EXPECT_EQ(clip({{10, 20, 1}, {-10, 0, 0}}, ClipEdge::Left), (std::vector<P>{{10, 20, 1}, {0, 10, 0}}));
    // Outside onto the line: that point becomes blanked, nothing inserted.
    EXPECT_EQ(clip({{-10, 0, 1}, {0, 5, 0}, {10, 5, 0}}, ClipEdge::Left),
              (std::vector<P>{{0, 5, 1}, {10, 5, 0}}));
    // A blanked point entering: no crossing point.
    EXPECT_EQ(clip({{-10, 0, 0}, {10, 20, 1}}, ClipEdge::Left), (std::vector<P>{{10, 20, 1}}));
    // All inside: unchanged; all outside: gone.
    EXPECT_EQ(clip({{1, 1, 1}, {254, 2, 0}}, ClipEdge::Left), (std::vector<P>{{1, 1, 1}, {254, 2, 0}}));
    EXPECT_TRUE(clip({{-1, 1, 1}, {-5, 2, 0}}, ClipEdge::Left).empty());
    // Right and bottom edges in the edge's own coordinates (delta moved the source by 250).
    EXPECT_EQ(clip({{0, 0, 1}, {10, 10, 0}}, ClipEdge::Right, 250).back(), (P{255, 5, 0}));
    EXPECT_EQ(clip({{0, 0, 1}, {10, 10, 0}}, ClipEdge::Bottom, 250).back(), (P{5, 255, 0}));
    EXPECT_EQ(clip({{0, -10, 1}, {20, 10, 0}}, ClipEdge::Top).front(), (P{10, 0, 1}));
}

TEST(TextPlace, HorizontalPitchAgainstTheQuotientFirstEdgeTest)
{
    // TC = 7: the third unit is placed at (2 * 256) / 7 = 73 but tested at (256 / 7) * 2 = 72.
    Drawing window;
    window.push_back(MakePath({{5, 1, 1}, {6, 1, 0}}));
    window.push_back(MakePath({{5, 2, 1}}));
    window.push_back(MakePath({{182, 3, 1}, {183, 3, 0}, {184, 3, 0}}));
    Drawing frame;
    PlaceTextWindowHorizontal(window, frame, 0, 7);
    ASSERT_EQ(frame.size(), 3u);
    EXPECT_EQ(Points(frame[1]), (std::vector<P>{{41, 2, 1}}));
    // 72 + 183 = 255 is on the line and stays (placed at 256); 72 + 184 is outside and goes.
    EXPECT_EQ(Points(frame[2]), (std::vector<P>{{255, 3, 1}, {256, 3, 0}}));

    // An offset moves every unit left; the first is cut at x = 0.
    PlaceTextWindowHorizontal(window, frame, 6, 7);
    EXPECT_EQ(Points(frame[0]), (std::vector<P>{{0, 1, 1}})) << "reached from outside: blanked";
    // An empty window leaves the frame alone.
    PlaceTextWindowHorizontal(Drawing{}, frame, 0, 7);
    EXPECT_EQ(frame.size(), 3u);

    // Vertical: lines 512 / TC apart, moved down by the offset; an empty window empties the frame.
    Drawing lines;
    lines.push_back(MakePath({{3, 10, 1}}));
    lines.push_back(MakePath({{3, 10, 1}}));
    PlaceTextWindowVertical(lines, frame, 32, 8);
    ASSERT_EQ(frame.size(), 2u);
    EXPECT_EQ(frame[0][0]->y, 42);
    EXPECT_EQ(frame[1][0]->y, 64 + 42);
    PlaceTextWindowVertical(Drawing{}, frame, 0, 8);
    EXPECT_TRUE(frame.empty());
}

TEST(TextPrepare, UnitsPerCharacterAndVerticalLinesCutOnCharacters)
{
    SquareGlyphs glyphs;
    const FontChoice font{"Test", 11};
    // Horizontal: a unit per character, line ends play no part, no cut at 20 bytes.
    const Drawing h = PrepareTextHorizontal(glyphs, {QString(25, 'A'), QString(), "B C"}, font, 8, 8, 4);
    EXPECT_EQ(h.size(), 28u);
    EXPECT_TRUE(h[26].empty()) << "a blank is a unit without points";
    EXPECT_EQ(h[0].front()->colour, 4);
    // "i" is moved right by 1000 / TD before any scaling.
    const Drawing narrow = PrepareTextHorizontal(glyphs, {"Ai"}, font, 8, 8, 4);
    EXPECT_EQ(MinX(narrow[1]) - MinX(narrow[0]), 125);

    // Vertical: 19 single bytes and a two-byte character straddling byte 20 keep 19 bytes;
    // an empty line adds nothing; 12 bytes at TD = 8 give a column pitch of 256 / 12 = 21.
    const QString straddle = QString(19, 'x') + QString::fromUtf8("\u554A") + "yyyy";
    const Drawing v =
        PrepareTextVertical(glyphs, {straddle, QString(), QString(12, 'M'), QString(25, 'z')}, font, 8, 8, 4);
    ASSERT_EQ(v.size(), 3u);
    const std::size_t perChar = PrepareTextHorizontal(glyphs, {"x"}, font, 8, 8, 4)[0].size();
    EXPECT_EQ(v[0].size(), 19 * perChar);
    EXPECT_EQ(v[2].size(), 20 * perChar) << "25 bytes keep 20";
    const std::size_t mChar = PrepareTextHorizontal(glyphs, {"M"}, font, 8, 8, 4)[0].size();
    EXPECT_EQ(v[1][mChar * 5]->x - v[1][0]->x, 5 * 21);
    // A line of 4 bytes is spread at 256 / TD = 32.
    const Drawing wide = PrepareTextVertical(glyphs, {"abcd"}, font, 8, 8, 4);
    EXPECT_EQ(wide[0][perChar]->x - wide[0][0]->x, 32);
}

namespace {

class TextLoops : public PlayStateTest {
protected:
    RecordingSink sink;
    LiveParameters live;
    PublishedAnimation animation;
    std::atomic<std::uint8_t> tick{0};
    PlayLoopContext play{sink, live, animation, tick};
    TextScrollParameters text;
    TextFrameSnapshot published;
    TextLoopContext context{play, text, published};

    // Units of one point each at x = 12 u (so x / 12 = u) and y = 0.
    static Drawing Units(int n)
    {
        Drawing d;
        for (int u = 0; u < n; ++u)
            d.push_back(MakePath({{12 * u, 0, 1}}));
        return d;
    }
};

}  // namespace

TEST_F(TextLoops, HorizontalStepsHoldsAndWindows)
{
    // TC = 8, TA = 5, TB = 2: offsets 0, 5, ..., 30 below 32, each held for 2 ticks.
    std::vector<std::pair<std::size_t, int>> seen;  // units in the frame, x of the first point
    int firstY = -1;
    sink.afterFrame = [&](std::size_t n) {
        tick.store(1);
        const auto frame = published.Load();
        if (n == 1)
            firstY = frame->front().front()->y;
        seen.push_back({frame->size(), frame->front().empty() ? -1 : frame->front().front()->x});
    };
    PlayTextHorizontalLoop(Units(10), context);
    ASSERT_EQ(sink.frames.size(), 10u * 7u * 2u) << "ten window positions, seven steps, two ticks";
    EXPECT_EQ(seen[0].first, 9u) << "TC + 1 units while the text lasts";
    EXPECT_EQ(seen.back().first, 1u);
    // The first unit of window s sits at x = s; the offset moves it left until it leaves.
    EXPECT_EQ(seen[0].second, 0);
    EXPECT_EQ(seen[2].second, -1) << "moved left past the edge: clipped away";
    EXPECT_EQ(seen[14].second, 1);
    // The vertical centring of TE = 8: 128 - 16.
    EXPECT_EQ(firstY, 112);
    EXPECT_EQ(StopRequested.load(), 0) << "ended by itself";

    // StayTime 0 sends nothing but never spins: every step waits a tick.
    sink.frames.clear();
    text.StayTime.store(0);
    PlayTextHorizontalLoop(Units(2), context);
    EXPECT_TRUE(sink.frames.empty());
    EXPECT_EQ(sink.idles, 2 * 7);
}

TEST_F(TextLoops, VerticalOffsetsAndEmptyTextWithRepeat)
{
    // TC = 8: from 32 down by 5 while above -32: 32, 27, ..., -28 (13 steps), one tick each.
    text.StayTime.store(1);
    std::vector<int> ys;
    sink.afterFrame = [&](std::size_t) {
        tick.store(1);
        ys.push_back(published.Load()->front().empty() ? -999 : published.Load()->front().front()->y);
    };
    Drawing lines;
    lines.push_back(MakePath({{10, 10, 1}}));
    PlayTextVerticalLoop(lines, context);
    ASSERT_EQ(ys.size(), 13u);
    EXPECT_EQ(ys.front(), 42);
    EXPECT_EQ(ys[6], 12);
    EXPECT_EQ(ys.back(), -999) << "above the top: clipped";

    // No units with repeat: no frames, a waited tick per pass, until stopped.
    sink.frames.clear();
    LoopPlay.store(1);
    sink.afterFrame = [this](std::size_t) {
        if (sink.idles == 4)
            StopRequested.store(1);
    };
    PlayTextHorizontalLoop(Drawing{}, context);
    EXPECT_TRUE(sink.frames.empty());
    EXPECT_EQ(sink.idles, 4);
}

TEST_F(TextLoops, PreviewReadsSnapshotsWhileTheLoopRuns)
{
    // A preview thread takes snapshots while the loop rebuilds its frames (run under TSan).
    LoopPlay.store(1);
    text.StayTime.store(1);
    sink.limit = 3000;
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    sink.afterFrame = [&](std::size_t n) {
        tick.store(1);
        for (const int before = reads.load(); n % 500 == 0 && reads.load() == before;)
            std::this_thread::yield();  // let the preview catch up now and then
    };
    std::size_t widest = 0;
    std::thread preview([&] {
        for (; !done.load(); reads.fetch_add(1))
            widest = std::max(widest, published.Load()->size());
    });
    PlayTextHorizontalLoop(Units(12), context);
    done.store(true);
    preview.join();
    EXPECT_GE(reads.load(), 6);
    EXPECT_EQ(widest, 9u) << "a snapshot is one whole window, never a frame in the making";
}
