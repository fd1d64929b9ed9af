// Real fonts of this machine (fonts-liberation2, fonts-wqy-microhei). Exact
// coordinates change with font versions, so these check structure and bounds.
#include "model/gbk_text.h"
#include "model/glyph_polylines.h"
#include "platform/freetype_glyph_source.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

// The families of the installed faces that hold a character, from fontconfig's own list.
std::vector<std::string> FamiliesHolding(char32_t c)
{
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* charset = FcCharSetCreate();
    FcCharSetAddChar(charset, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, charset);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    std::vector<std::string> families;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
            families.emplace_back(reinterpret_cast<const char*>(family));
    }
    if (set)
        FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcCharSetDestroy(charset);
    FcPatternDestroy(pattern);
    return families;
}

bool SameContours(const GlyphOutline& a, const GlyphOutline& b)
{
    auto same = [](PointFx p, PointFx q) { return p.x == q.x && p.y == q.y; };
    if (a.contours.size() != b.contours.size())
        return false;
    for (std::size_t c = 0; c < a.contours.size(); ++c) {
        const OutlineContour& x = a.contours[c];
        const OutlineContour& y = b.contours[c];
        if (!same(x.start, y.start) || x.records.size() != y.records.size())
            return false;
        for (std::size_t r = 0; r < x.records.size(); ++r)
            if (x.records[r].type != y.records[r].type
                || !std::equal(x.records[r].points.begin(), x.records[r].points.end(),
                               y.records[r].points.begin(), y.records[r].points.end(), same))
                return false;
    }
    return true;
}

std::vector<Path> Contours(const Path& points)
{
    std::vector<Path> runs;
    for (const auto& p : points) {
        if (p->blank || runs.empty())
            runs.emplace_back();
        runs.back().push_back(std::make_unique<LaserPoint>(*p));
    }
    return runs;
}

class FreeTypeGlyphs : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (source.ResolvedFamily({"Liberation Sans", 11}) != "Liberation Sans")
            GTEST_SKIP() << "Liberation Sans is not installed";
    }
    FreeTypeGlyphSource source;
};

TEST_F(FreeTypeGlyphs, ArialResolvesToLiberationSansAndAnUnknownNameStillGivesAFace)
{
    EXPECT_EQ(source.ResolvedFamily({"Arial", 11}), "Liberation Sans");
    const FontChoice missing{"No Such Font Zarn", 11};
    EXPECT_FALSE(source.ResolvedFamily(missing).empty());
    const GlyphOutline a = source.Outline(missing, 'A');
    EXPECT_TRUE(a.status == GlyphOutline::Status::Ok && !a.contours.empty());
    EXPECT_TRUE(source.ReferenceMetrics(missing).has_value());
    EXPECT_TRUE(source.Outline({"Liberation Sans", 48}, ' ').contours.empty());
}

TEST_F(FreeTypeGlyphs, AFamilyNamedWithItsFoundryIsThatFamily)
{
    // The font dialog names a family several foundries make "Family [foundry]".
    const FontChoice plain{"Liberation Sans", 11};
    for (const char* named : {"Liberation Sans [1ASC]", "Liberation Sans [1asc]", "Liberation Sans [PfEd]"}) {
        const FontChoice suffixed{named, 11};
        EXPECT_EQ(source.ResolvedFamily(suffixed), "Liberation Sans") << named;
        EXPECT_TRUE(SameContours(source.Outline(suffixed, 'A'), source.Outline(plain, 'A'))) << named;
    }
    if (source.ResolvedFamily({"DejaVu Sans Mono", 11}) != "DejaVu Sans Mono")
        GTEST_SKIP() << "DejaVu Sans Mono is not installed";
    EXPECT_EQ(source.ResolvedFamily({"DejaVu Sans Mono [PfEd]", 11, true, true}), "DejaVu Sans Mono");
    EXPECT_EQ(source.ResolvedFamily({"DejaVu Sans Mono [1ASC]", 11}), "DejaVu Sans Mono")
        << "a foundry that does not make the family does not take another family";
}

TEST_F(FreeTypeGlyphs, TheReferenceGlyphComesFromTheFallbackWhenTheFaceLacksIt)
{
    const FontChoice liberation{"Liberation Sans", 11};
    const std::optional<BlackBox> box = source.ReferenceMetrics(liberation);
    ASSERT_TRUE(box.has_value()) << "WenQuanYi Micro Hei is not installed";
    EXPECT_EQ(source.ReferenceFamily(liberation), "WenQuanYi Micro Hei");
    const ReferenceScale scale = ScaleOf(*box);
    EXPECT_TRUE(scale.D >= 8 && scale.D <= 14 && scale.B >= 7) << scale.D << " " << scale.B;

    const FontChoice wqy{"WenQuanYi Micro Hei", 11};
    EXPECT_EQ(source.ReferenceFamily(wqy), "WenQuanYi Micro Hei");
    // The reference glyph itself, asked for by its GBK code, has several contours.
    const GlyphOutline ah = source.Outline(wqy, kReferenceGlyphCode);
    EXPECT_TRUE(ah.status == GlyphOutline::Status::Ok && ah.contours.size() >= 3u);
}

TEST_F(FreeTypeGlyphs, CharactersTheFontLacksComeFromAFaceThatHoldsThem)
{
    const FontChoice liberation{"Liberation Sans", 11};
    for (const char* text : {"\u6FC0", "\u5149"}) {  // the two ideographs of "laser"
        const QByteArray gbk = ToGbk(QString::fromUtf8(text));
        ASSERT_EQ(gbk.size(), 2);
        const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(gbk[0]) * 256
                                                     + static_cast<unsigned char>(gbk[1]));
        const std::vector<std::string> holders = FamiliesHolding(GbkCodeToUnicode(code));
        if (holders.empty())
            GTEST_SKIP() << "no installed face holds " << text;
        const GlyphOutline drawn = source.Outline(liberation, code);
        ASSERT_EQ(drawn.status, GlyphOutline::Status::Ok);
        EXPECT_GE(drawn.contours.size(), 3u) << "an ideograph, not the missing-glyph box";
        const bool fromAHolder = std::any_of(holders.begin(), holders.end(), [&](const std::string& family) {
            return SameContours(drawn, source.Outline({family, 11}, code));
        });
        EXPECT_TRUE(fromAHolder) << text;
        EXPECT_NE(source.FamilyFor(liberation, code), "Liberation Sans");
    }
    // The font's own letters stay its own.
    EXPECT_EQ(source.FamilyFor(liberation, 'A'), "Liberation Sans");
    // A character that no installed face holds is left out, and the text goes on.
    if (FamiliesHolding(U'\x01').empty()) {
        const GlyphOutline none = source.Outline(liberation, 0x01);
        EXPECT_TRUE(none.status == GlyphOutline::Status::Ok && none.contours.empty() && source.FamilyFor(liberation, 0x01).empty());
    }
}

TEST_F(FreeTypeGlyphs, ACharacterByItsCodePointComesFromTheFontOrAFaceThatHoldsIt)
{
    const FontChoice liberation{"Liberation Sans", 11};
    for (char32_t c : {U'\u00DF', U'\u20AC', U'\u0152'}) {
        const GlyphOutline own = source.UnicodeOutline(liberation, c);
        EXPECT_TRUE(own.status == GlyphOutline::Status::Ok && !own.contours.empty()) << std::uint32_t(c);
    }
    const char32_t snowman = U'\u2603';
    if (!FamiliesHolding(snowman).empty()) {
        EXPECT_FALSE(source.UnicodeOutline(liberation, snowman).contours.empty());
    }
    if (FamiliesHolding(U'\U0010FFFD').empty()) {
        const GlyphOutline none = source.UnicodeOutline(liberation, U'\U0010FFFD');
        EXPECT_TRUE(none.status == GlyphOutline::Status::Ok && none.contours.empty()) << "left out";
    }
}

TEST_F(FreeTypeGlyphs, LetterAInLiberationSansGivesClosedContoursInsideItsBox)
{
    const GlyphRequest request{{0, 0, 256, 256}, "A", {"Liberation Sans", 11}, 3};
    Path points;
    GlyphToPolylines(source, request, points, std::nullopt);
    const std::vector<Path> runs = Contours(points);
    ASSERT_EQ(runs.size(), 2u) << "outer shape and the counter";
    for (const Path& run : runs) {
        ASSERT_GE(run.size(), 4u);
        EXPECT_TRUE(run.front()->blank && !run.back()->blank);
        EXPECT_TRUE(run.front()->x == run.back()->x && run.front()->y == run.back()->y) << "closed";
        for (const auto& p : run)  // a one-byte character's box is twice the cell wide
            EXPECT_TRUE(p->x >= 0 && p->x < 512 && p->y >= 0 && p->y <= 256 && p->colour == 3) << p->x << "," << p->y;
    }
    const auto [top, bottom] = std::minmax_element(runs[0].begin(), runs[0].end(),
                                                   [](const auto& a, const auto& b) { return a->y < b->y; });
    EXPECT_GT((*bottom)->y - (*top)->y, 100);
}

}  // namespace
