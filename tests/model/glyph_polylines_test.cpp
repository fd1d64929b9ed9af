#include "model/gbk_text.h"
#include "model/glyph_polylines.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

constexpr std::int32_t Fx(int whole) { return whole * 65536; }

PointFx Pt(int x, int y) { return {Fx(x), Fx(y)}; }

// An outline source with hand-made glyphs: the reference box gives D = 60 + 4 = 64, B = 64.
class FakeSource : public GlyphOutlineSource {
public:
    std::optional<BlackBox> reference = BlackBox{60, 64, 4, 64};
    std::map<std::uint16_t, GlyphOutline> glyphs;
    std::vector<std::uint16_t> asked;
    std::map<char32_t, GlyphOutline> unicodeGlyphs;

    std::optional<BlackBox> ReferenceMetrics(const FontChoice&) override { return reference; }
    GlyphOutline Outline(const FontChoice&, std::uint16_t code) override
    {
        asked.push_back(code);
        auto it = glyphs.find(code);
        return it != glyphs.end() ? it->second : GlyphOutline{};
    }
    GlyphOutline UnicodeOutline(const FontChoice&, char32_t unicode) override
    {
        auto it = unicodeGlyphs.find(unicode);
        return it != unicodeGlyphs.end() ? it->second : GlyphOutline{};
    }
};

// start (10,60), a line record of 3 points, a spline record of 3 points.
OutlineContour SampleContour()
{
    return {Pt(10, 60),
            {{kOutlineLine, {Pt(20, 60), Pt(20, 40), Pt(10, 40)}},
             {kOutlineQuadratic, {Pt(0, 30), Pt(0, 20), Pt(10, 10)}}}};
}

// {x, y, z, blank} of each point; every point has colour 7 and no mark.
using Want = std::vector<std::array<int, 4>>;
Want Points(const Path& path)
{
    Want out;
    for (const auto& p : path) {
        EXPECT_TRUE(p->mark == 0 && p->colour == 7);
        out.push_back({p->x, p->y, p->z, p->blank});
    }
    return out;
}

GlyphRequest Request(QByteArray text, int cellWidth = 32)
{
    return {{0, 0, cellWidth, 32}, std::move(text), {"Test", 11}, 7};
}

TEST(GlyphToPolylines, LinesAndSplinesBecomeOneClosedRunWithCornersAndTheBlankedStart)
{
    FakeSource source;
    source.glyphs['A'] = {GlyphOutline::Status::Ok, {SampleContour()}};
    Path out;
    GlyphToPolylines(source, Request("A"), out, std::nullopt);
    // Box 64 wide (twice the cell for one byte), 32 high: x = fx + 0.5, y = (64 - (fy + 0.5)) / 2.
    // The spline lists each piece's start again, then the midpoints (0,18) and (5,23), then its end.
    EXPECT_EQ(Points(out), (Want{{10, 1, 2, 1}, {20, 1, 2, 0}, {20, 11, 2, 0}, {10, 11, 2, 0}, {10, 11, 0, 0},
                                 {0, 18, 0, 0}, {0, 18, 0, 0}, {5, 23, 0, 0},
                                 {10, 26, 2, 0}, {10, 1, 2, 0}}));

    // A cubic record follows the same rule; one of a single point is just its corner.
    source.glyphs['C'] = {GlyphOutline::Status::Ok,
                          {{Pt(0, 64), {{kOutlineCubic, {Pt(10, 64), Pt(20, 64)}}, {kOutlineCubic, {Pt(30, 64)}}}}}};
    Path cubic;
    GlyphToPolylines(source, Request("C"), cubic, std::nullopt);
    EXPECT_EQ(Points(cubic),
              (Want{{0, 0, 2, 1}, {0, 0, 0, 0}, {15, 0, 0, 0}, {20, 0, 2, 0}, {30, 0, 2, 0}, {0, 0, 2, 0}}));
}

TEST(GlyphToPolylines, TheBoxIsTwiceTheAdvanceSoTwoByteCharactersGetHalfTheWidth)
{
    FakeSource source;
    const OutlineContour edge{Pt(64, 0), {}};  // at the reference glyph's right edge
    source.glyphs['A'] = {GlyphOutline::Status::Ok, {edge}};
    source.glyphs[0xB0A1] = {GlyphOutline::Status::Ok, {edge}};
    Path one, two, pair;
    GlyphToPolylines(source, Request("A"), one, std::nullopt);
    GlyphToPolylines(source, Request("\xB0\xA1"), two, std::nullopt);
    ASSERT_TRUE(one.size() == 2u && two.size() == 2u);
    EXPECT_EQ(std::pair(one[0]->x, two[0]->x), std::pair(64, 32));  // 64 * 64.5 / 64 and 32 * 64.5 / 64
    // Two one-byte characters share the cell: the second starts at the advance, 16.
    GlyphToPolylines(source, Request("AA"), pair, std::nullopt);
    ASSERT_EQ(pair.size(), 4u);
    EXPECT_EQ(std::pair(pair[0]->x, pair[2]->x), std::pair(32, 16 + 32));
    // An odd cell loses a unit for a two-byte character: advance 33 / 2 = 16.
    Path odd;
    GlyphToPolylines(source, Request("\xB0\xA1", 33), odd, std::nullopt);
    EXPECT_EQ(odd[0]->x, 32);
}

TEST(OutlinePointToCell, HalfPixelInSinglePrecisionAndTruncationTowardZero)
{
    auto cell = [](PointFx p, GlyphBox box, ReferenceScale scale) {
        std::int32_t x = 0, y = 0;
        OutlinePointToCell(p, box, scale, x, y);
        return std::pair(x, y);
    };
    // Integer part -1 with fraction 0xFFFF is just under -0 plus a half: 2 * 0.49998 truncates to 0;
    // y = 2 * (2 - 1.5).
    EXPECT_EQ(cell({-1, Fx(1)}, {0, 0, 2, 2}, {1, 2}), std::pair(0, 1));
    // -2.0 gives -1.5, which truncates toward zero; the box offset is added before truncation:
    // trunc(-1.5 + 10) and trunc(2 - 3.5 + 20); -0.5 truncates to 0.
    EXPECT_EQ(cell({Fx(-2), Fx(3)}, {10, 20, 1, 1}, {1, 2}), std::pair(8, 18));
    EXPECT_EQ(cell({Fx(-2), Fx(0)}, {0, 0, 1, 1}, {1, 0}), std::pair(-1, 0));
}

TEST(GlyphToPolylines, ThinningKeepsDistanceFromTheLastKeptPointWhateverThePointIs)
{
    FakeSource source;
    source.glyphs['A'] = {GlyphOutline::Status::Ok, {SampleContour()}};
    Path kept;
    GlyphToPolylines(source, Request("A"), kept, 0);
    EXPECT_EQ(kept.size(), 10u);
    Path thinned;
    GlyphToPolylines(source, Request("A"), thinned, 3);
    // The repeated spline starts go; (5,23) stays at distance sqrt(50) from (0,18).
    EXPECT_EQ(Points(thinned), (Want{{10, 1, 2, 1}, {20, 1, 2, 0}, {20, 11, 2, 0}, {10, 11, 2, 0},
                                     {0, 18, 0, 0}, {5, 23, 0, 0}, {10, 26, 2, 0}, {10, 1, 2, 0}}));

    // A blanked start 2 units away goes too; a point exactly at the distance stays,
    // measured from the last kept point, not the dropped one.
    Path path;
    for (auto [x, blank] : {std::pair{0, 1}, {2, 1}, {3, 0}, {4, 1}, {5, 0}})
        path.push_back(std::make_unique<LaserPoint>(LaserPoint{x, 0, 0, 0, 0, static_cast<std::uint8_t>(blank)}));
    ThinPath(path, 3);
    ASSERT_EQ(path.size(), 2u);
    EXPECT_EQ(std::pair(path[0]->x, path[1]->x), std::pair(0, 3));
    Path empty;
    ThinPath(empty, 3);
    EXPECT_TRUE(empty.empty());
}

TEST(GlyphToPolylines, FailuresKeepWhatWasAppendedAndDifferOnlyInThinning)
{
    FakeSource source;
    source.glyphs['A'] = {GlyphOutline::Status::Ok, {SampleContour()}};
    source.glyphs['B'] = {GlyphOutline::Status::NoOutline, {}};
    source.glyphs['R'] = {GlyphOutline::Status::ReadFailed, {}};
    Path skipped;
    GlyphToPolylines(source, Request("ABA"), skipped, 1000);
    EXPECT_EQ(skipped.size(), 1u) << "a failed size query ends the walk but still thins";
    EXPECT_EQ(source.asked, (std::vector<std::uint16_t>{'A', 'B'}));
    Path stopped;
    GlyphToPolylines(source, Request("ARA"), stopped, 1000);
    EXPECT_EQ(stopped.size(), 10u) << "a failed read ends at once, without thinning";

    // A space has no outline and adds nothing; a trailing lone lead byte is never read past.
    source.asked.clear();
    Path spaced;
    GlyphToPolylines(source, Request(" A\xB0"), spaced, std::nullopt);
    EXPECT_EQ(spaced.size(), 10u);
    EXPECT_EQ(source.asked, (std::vector<std::uint16_t>{' ', 'A'}));

    Path none;
    GlyphToPolylines(source, Request(""), none, 0);
    EXPECT_TRUE(none.empty());
}

TEST(GlyphToPolylines, WithoutAUsableReferenceGlyphNothingIsAppended)
{
    FakeSource source;
    source.glyphs['A'] = {GlyphOutline::Status::Ok, {SampleContour()}};
    for (const std::optional<BlackBox>& reference :
         {std::optional<BlackBox>{}, std::optional<BlackBox>{BlackBox{0, 64, 0, 64}},
          std::optional<BlackBox>{BlackBox{2, 64, -5, 64}}}) {
        source.reference = reference;
        Path out;
        GlyphToPolylines(source, Request("AA"), out, 3);
        EXPECT_TRUE(out.empty());
    }
}

TEST(CharacterCell, NarrowAndWideLettersWithIntegerDivisions)
{
    auto width = [](const char* c, int f) { return CharacterCell(c, f, 7).right; };
    EXPECT_EQ(std::pair(width("a", 3), width("\xB0\xA1", 3)), std::pair(85, 85));
    for (const char* wide : {"w", "W", "m", "M"})
        EXPECT_EQ(width(wide, 3), 60) << wide;
    EXPECT_EQ(std::pair(CharacterCell("a", 3, 7).bottom, CharacterCell("a", 3, 7).left), std::pair(36, 0));
    EXPECT_EQ(CharacterCell("a", 0, 0).right, 256) << "a factor below 1 counts as 1";
    for (const char* narrow : {"i", "j", "l", "r", "t", "f", "I", "J"})
        EXPECT_EQ(NarrowLetterShift(narrow, 3), 37) << narrow;  // 1000 / 27
    for (const char* other : {"a", "L", "T", "\xB0\xA1", ""})
        EXPECT_EQ(NarrowLetterShift(other, 3), 0) << other;
}

TEST(GbkText, BytesCountedInCodePage936)
{
    EXPECT_EQ(ToGbk(QString::fromUtf8("A\u554A")), QByteArray("A\xB0\xA1"));
    // The euro sign would become a lone 0x80, read back as a lead byte.
    EXPECT_EQ(ToGbk(QString::fromUtf8("\u20AC\U0001F600x")), QByteArray("??x"));
    EXPECT_EQ((std::vector<char32_t>{GbkCodeToUnicode(0xB0A1), GbkCodeToUnicode('A'), GbkCodeToUnicode(0xFFFF)}),
              (std::vector<char32_t>{U'\u554A', U'A', 0}));
}

TEST(GbkText, ACharacterTheCodePageCannotHoldKeepsItsCodePointAndCountsTwoBytes)
{
    // Whatever this machine's iconv makes of the euro sign, a lone byte above 127 is no character.
    const QString text = QString::fromUtf8("A\u554A\u00DF\u20AC\U0001F600x");
    const std::vector<TextCharacter> all = TextCharacters(text);
    EXPECT_EQ(all, (std::vector<TextCharacter>{{"A", U'A'},
                                               {"\xB0\xA1", U'\u554A'},
                                               {{}, U'\u00DF'},
                                               {{}, U'\u20AC'},
                                               {{}, U'\U0001F600'},
                                               {"x", U'x'}}));
    EXPECT_EQ(TextCharacters(text, 6).size(), 3u) << "1 + 2 + 2 bytes; the euro sign would make 7";
    EXPECT_EQ(TextCharacters(text, 7).size(), 4u);
    EXPECT_TRUE(TextCharacters(text, 0).empty());
}

TEST(GlyphToPolylines, ACharacterByItsCodePointIsLaidOutAsATwoByteCharacter)
{
    FakeSource source;
    source.glyphs[0xB0A1] = {GlyphOutline::Status::Ok, {SampleContour()}};
    source.unicodeGlyphs[U'\u00DF'] = {GlyphOutline::Status::Ok, {SampleContour()}};
    Path gbk;
    Path byCodePoint;
    GlyphToPolylines(source, Request("\xB0\xA1"), gbk, std::nullopt);
    GlyphRequest request = Request({});
    request.unicode = U'\u00DF';
    GlyphToPolylines(source, request, byCodePoint, std::nullopt);
    EXPECT_EQ(Points(byCodePoint), Points(gbk)) << "the box of a two-byte character";
    EXPECT_EQ(CharacterCell({}, 3, 7).right, CharacterCell("\xB0\xA1", 3, 7).right);
    Path none;
    GlyphToPolylines(source, Request({}), none, 3);
    request.unicode = U'\u00F1';  // no glyph: left out
    GlyphToPolylines(source, request, none, 3);
    EXPECT_TRUE(none.empty());
}

}  // namespace
