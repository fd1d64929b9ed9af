#include "chain_fixtures.h"
#include "recording_sink.h"

#include "common/coded_glyphs.h"
#include "common/square_glyphs.h"

#include "model/gbk_text.h"
#include "platform/freetype_glyph_source.h"
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

struct Bounds {
    int left = INT32_MAX, right = INT32_MIN, top = INT32_MAX, bottom = INT32_MIN;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    double Middle() const { return (top + bottom) / 2.0; }
};

/// The box around points [from, from + n) of a path, all of it by default.
Bounds BoundsOf(const Path& path, std::size_t from = 0, std::size_t n = SIZE_MAX)
{
    Bounds b;
    for (std::size_t k = from; k < path.size() && k - from < n; ++k) {
        b.left = std::min(b.left, path[k]->x);
        b.right = std::max(b.right, path[k]->x);
        b.top = std::min(b.top, path[k]->y);
        b.bottom = std::max(b.bottom, path[k]->y);
    }
    return b;
}

}  // namespace

TEST(TextClip, TheEdgeTable)
{
    auto clip = [](const std::vector<P>& s, ClipEdge edge) { return Points(ClipPath(MakePath(s), edge)); };
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
    EXPECT_EQ(clip({{250, 0, 1}, {260, 10, 0}}, ClipEdge::Right).back(), (P{255, 5, 0}));
    EXPECT_EQ(clip({{0, 250, 1}, {10, 260, 0}}, ClipEdge::Bottom).back(), (P{5, 255, 0}));
    EXPECT_EQ(clip({{0, -10, 1}, {20, 10, 0}}, ClipEdge::Top).front(), (P{10, 0, 1}));
    // A corner: cut at both edges it crosses.
    Path corner = MakePath({{250, 250, 1}, {270, 270, 0}});
    ClipToSquare(corner);
    EXPECT_EQ(Points(corner), (std::vector<P>{{250, 250, 1}, {255, 255, 0}}));
}

TEST(TextPlace, EveryUnitIsCutToTheSquare)
{
    // TC = 7: the third unit is placed at (2 * 256) / 7 = 73; what passes x = 255 goes.
    Drawing window;
    window.push_back(MakePath({{5, 1, 1}, {6, 1, 0}}));
    window.push_back(MakePath({{5, 2, 1}}));
    window.push_back(MakePath({{182, 3, 1}, {183, 3, 0}, {184, 3, 0}}));
    Drawing frame;
    PlaceTextWindowHorizontal(window, frame, 0, 7);
    ASSERT_EQ(frame.size(), 3u);
    EXPECT_EQ(Points(frame[1]), (std::vector<P>{{41, 2, 1}}));
    EXPECT_EQ(Points(frame[2]), (std::vector<P>{{255, 3, 1}})) << "on the line stays, past it goes";

    // An offset moves every unit left; the first is cut at x = 0.
    PlaceTextWindowHorizontal(window, frame, 6, 7);
    EXPECT_EQ(Points(frame[0]), (std::vector<P>{{0, 1, 1}})) << "reached from outside: blanked";
    // An empty window leaves the frame alone.
    PlaceTextWindowHorizontal(Drawing{}, frame, 0, 7);
    EXPECT_EQ(frame.size(), 3u);

    // TC lowered from 8 to 4 during a play: the nine units of the window reach x = 512 +
    // 70; the middle ones past the edge are left out too, not pressed onto it.
    Drawing nine;
    for (int u = 0; u < 9; ++u)
        nine.push_back(MakePath({{0, 100, 1}, {70, 100, 0}, {70, 140, 0}}));
    PlaceTextWindowHorizontal(nine, frame, 0, 4);
    ASSERT_EQ(frame.size(), 9u);
    EXPECT_EQ(Points(frame[3]), (std::vector<P>{{192, 100, 1}, {255, 100, 0}})) << "cut where it leaves";
    for (std::size_t u = 4; u < 9; ++u)
        EXPECT_TRUE(frame[u].empty()) << u;

    // Vertical: lines 512 / TC apart, moved down by the offset; every line past the bottom is
    // left out; an empty window empties the frame.
    Drawing lines;
    for (int i = 0; i < 8; ++i)
        lines.push_back(MakePath({{3, 10, 1}, {3, 40, 0}}));
    PlaceTextWindowVertical(lines, frame, 32, 8);
    ASSERT_EQ(frame.size(), 8u);
    EXPECT_EQ(std::pair(frame[0][0]->y, frame[1][0]->y), std::pair(42, 64 + 42));
    EXPECT_EQ(Points(frame[3]), (std::vector<P>{{3, 234, 1}, {3, 255, 0}}));
    for (std::size_t i = 4; i < 8; ++i)
        EXPECT_TRUE(frame[i].empty()) << i;
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
    // "i" is moved right by 1000 / (9 TD) in its cell, a third of the cell once placed.
    const Drawing narrow = PrepareTextHorizontal(glyphs, {"Ai"}, font, 8, 8, 4);
    EXPECT_EQ(BoundsOf(narrow[1]).left - BoundsOf(narrow[0]).left, 13);

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
    // Letters at 3/4 across and full height: the square (0..43 in an "M" cell of 22) is
    // 0..32 wide, 0..31 high; squeezed to the pitch of 21 its width shrinks with it.
    const Drawing m = PrepareTextVertical(glyphs, {"MM"}, font, 8, 8, 4);
    EXPECT_EQ(BoundsOf(m[0], 0, mChar).Width(), 32);
    EXPECT_EQ(m[0][0]->y, 31);
    EXPECT_EQ(BoundsOf(v[1], 0, mChar).Width(), 21);
}

TEST(TextPrepare, GbkTextKeepsItsUnits)
{
    const QStringList lines{"Wim Laser 8", QString::fromUtf8("\u6FC0\u5149 ijlrtf IJ mM"), QString(),
                            QString::fromUtf8("\u554A\u00B7\u2014xyz 12345678901234")};
    CodedGlyphs glyphs;
    EXPECT_EQ(LayoutDigest(PrepareTextHorizontal(glyphs, lines, {"Test", 11}, 7, 5, 4)),
              "b27bacfde4acee618f8eabd6c86771d012bf82a8");
    EXPECT_EQ(LayoutDigest(PrepareTextVertical(glyphs, lines, {"Test", 11}, 7, 5, 4)),
              "921c092fe43c7a8ae1e92fb78dd3a1b2111986e9");
}

TEST(TextPrepare, ACharacterGbkLacksCountsAsTwoBytes)
{
    CodedGlyphs glyphs;
    // Eight of them are 16 bytes: a vertical line squeezed to a pitch of 256 / 16.
    const Drawing v = PrepareTextVertical(glyphs, {QString(8, QChar(0xDF))}, {"Test", 11}, 8, 8, 4);
    ASSERT_EQ(v.size(), 1u);
    const std::size_t perChar = v[0].size() / 8;
    ASSERT_GT(perChar, 0u);
    EXPECT_EQ(v[0][perChar]->x - v[0][0]->x, 16);
    // Eleven are cut to ten, and the horizontal scroll keeps all of them.
    EXPECT_EQ(PrepareTextVertical(glyphs, {QString(11, QChar(0xDF))}, {"Test", 11}, 8, 8, 4)[0].size(), 10 * perChar);
    EXPECT_EQ(PrepareTextHorizontal(glyphs, {QString(11, QChar(0xDF))}, {"Test", 11}, 8, 8, 4).size(), 11u);
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

    // Units of one point each at x = 4 u (placed at 3/4: 3 u) and y = 0.
    static Drawing Units(int n)
    {
        Drawing d;
        for (int u = 0; u < n; ++u)
            d.push_back(MakePath({{4 * u, 0, 1}}));
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
    // The first unit of window s sits at x = 3 s; the offset moves it left until it leaves (-1: clipped away).
    EXPECT_EQ((std::vector<int>{seen[0].second, seen[2].second, seen[14].second}), (std::vector<int>{0, -1, 3}));
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

namespace {

// Every character a diamond: no side runs along an edge of the square, so a lit
// stroke along an edge can only be text pressed onto it.
class DiamondGlyphs : public GlyphOutlineSource {
public:
    std::optional<BlackBox> ReferenceMetrics(const FontChoice&) override { return BlackBox{64, 64, 0, 64}; }
    GlyphOutline Outline(const FontChoice&, std::uint16_t) override
    {
        auto fx = [](int v) { return v * 65536; };
        return {GlyphOutline::Status::Ok,
                {{{fx(16), fx(2)}, {{kOutlineLine, {{fx(30), fx(32)}, {fx(16), fx(62)}, {fx(2), fx(32)}}}}}}};
    }
};

}  // namespace

TEST_F(TextLoops, HelloAndLaserInTheDefaultFontFillTheirCellsAtTheDefaultFactors)
{
    FreeTypeGlyphSource fonts;
    const FontChoice arial{"Arial", 11};  // the default font, 8 points
    const QByteArray laser = ToGbk(QString::fromUtf8("\u6FC0"));
    if (fonts.ResolvedFamily(arial).empty()
        || fonts.FamilyFor(arial, std::uint16_t(std::uint8_t(laser[0]) * 256 + std::uint8_t(laser[1]))).empty())
        GTEST_SKIP() << "no installed face for the letters or the ideographs";
    const Drawing units =
        PrepareTextHorizontal(fonts, {QString::fromUtf8("HELLO \u6FC0\u5149")}, arial, 8, 8, 4);
    ASSERT_EQ(units.size(), 8u);
    sink.afterFrame = [this](std::size_t) { StopRequested.store(1); };
    PlayTextHorizontalLoop(units, context);
    const auto frame = published.Load();
    ASSERT_EQ(frame->size(), 8u) << "the first window: TC + 1 units while the text lasts";

    // 256 / TE = 32 high cells, centred on row 128.
    const Bounds h = BoundsOf((*frame)[0]);
    EXPECT_GE(h.Height(), 16) << "a capital at least half its cell";
    EXPECT_LE(h.Height(), 32);
    EXPECT_NEAR(h.Middle(), 128, 3);
    for (std::size_t ideograph : {6u, 7u}) {
        const Bounds b = BoundsOf((*frame)[ideograph]);
        EXPECT_GE(b.Height(), 26) << "nearly all of its cell";
        EXPECT_LE(b.Height(), 34);
        EXPECT_GE(b.Width(), 18);
        EXPECT_NEAR(b.Middle(), 128, 3);
    }
    // Each letter within its 32-wide pitch: none runs into the next.
    int lastRight = -1;
    for (std::size_t u = 0; u < frame->size(); ++u) {
        if ((*frame)[u].empty())
            continue;
        const Bounds b = BoundsOf((*frame)[u]);
        EXPECT_GT(b.left, lastRight) << u;
        EXPECT_GE(b.left, int(u) * 32) << u;
        EXPECT_LE(b.right, int(u) * 32 + 36) << u;
        lastRight = b.right;
    }
}

TEST_F(TextLoops, VerticalScrollOfTenLinesLeavesNothingOnTheEdges)
{
    DiamondGlyphs glyphs;
    QStringList memo;
    for (int i = 0; i < 10; ++i)
        memo << QStringLiteral("ABCD");
    const Drawing lines = PrepareTextVertical(glyphs, memo, {"Test", 11}, 8, 8, 4);
    ASSERT_EQ(lines.size(), 10u);
    text.StayTime.store(1);
    std::size_t outside = 0, largest = 0;
    sink.afterFrame = [&](std::size_t) {
        tick.store(1);
        std::size_t points = 0;
        for (const Path& path : *published.Load())
            for (const auto& p : path) {
                outside += p->x < 0 || p->x > 255 || p->y < 0 || p->y > 255;
                ++points;
            }
        largest = std::max(largest, points);
    };
    PlayTextVerticalLoop(lines, context);
    ASSERT_GT(sink.frames.size(), 100u);
    EXPECT_EQ(outside, 0u);
    // Four diamonds of 5 points per line: at most five lines in the square at once.
    EXPECT_LE(largest, 5u * 20u + 16u);
    // On the device: no lit stroke runs along an edge.
    std::size_t lit = 0, piled = 0;
    for (const SentFrame& f : sink.frames)
        for (std::size_t i = 1; i < f.points.size(); ++i) {
            const DevicePoint& a = f.points[i - 1];
            const DevicePoint& b = f.points[i];
            if (b.flags & 1)
                continue;
            ++lit;
            const bool alongY = a.y == b.y && (b.y == 0 || b.y == 255);
            const bool alongX = a.x == b.x && (b.x == 0 || b.x == 255);
            piled += alongX || alongY;
        }
    EXPECT_GT(lit, 1000u);
    EXPECT_EQ(piled, 0u);
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
    EXPECT_EQ((std::vector<int>{ys.front(), ys[6], ys.back()}), (std::vector<int>{42, 12, -999}))
        << "above the top: clipped";

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
    // Now and then the loop hands over explicitly: it waits until the preview has read a
    // snapshot taken after that frame was published, so the check never depends on timing.
    LoopPlay.store(1);
    text.StayTime.store(1);
    sink.limit = 3000;
    std::atomic<bool> done{false};
    std::atomic<int> asked{0}, answered{0}, reads{0};
    sink.afterFrame = [&](std::size_t n) {
        tick.store(1);
        // The first frame of a pass (12 windows of 7 frames) shows a window of all nine units.
        if (n % 84 == 1) {
            const int request = asked.fetch_add(1) + 1;
            while (answered.load() < request)
                std::this_thread::yield();
        }
    };
    std::size_t widest = 0;
    std::thread preview([&] {
        while (!done.load()) {
            const int request = asked.load();
            widest = std::max(widest, published.Load()->size());
            reads.fetch_add(1);
            answered.store(request);
        }
    });
    PlayTextHorizontalLoop(Units(12), context);
    done.store(true);
    preview.join();
    EXPECT_GE(asked.load(), 6);
    EXPECT_EQ(widest, 9u) << "a snapshot is one whole window, never a frame in the making";
}
