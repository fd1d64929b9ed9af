// Real fonts of this machine (fonts-liberation2, fonts-wqy-microhei). Exact
// coordinates change with font versions, so these check structure and bounds.
#include "model/glyph_polylines.h"
#include "platform/freetype_glyph_source.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_EQ(a.status, GlyphOutline::Status::Ok);
    EXPECT_FALSE(a.contours.empty());
    EXPECT_TRUE(source.ReferenceMetrics(missing).has_value());
}

TEST_F(FreeTypeGlyphs, TheReferenceGlyphComesFromTheFallbackWhenTheFaceLacksIt)
{
    const FontChoice liberation{"Liberation Sans", 11};
    const std::optional<BlackBox> box = source.ReferenceMetrics(liberation);
    ASSERT_TRUE(box.has_value()) << "WenQuanYi Micro Hei is not installed";
    EXPECT_EQ(source.ReferenceFamily(liberation), "WenQuanYi Micro Hei");
    const ReferenceScale scale = ScaleOf(*box);
    EXPECT_GE(scale.D, 8);
    EXPECT_LE(scale.D, 14);
    EXPECT_GE(scale.B, 7);

    const FontChoice wqy{"WenQuanYi Micro Hei", 11};
    EXPECT_EQ(source.ReferenceFamily(wqy), "WenQuanYi Micro Hei");
    // The reference glyph itself, asked for by its GBK code, has several contours.
    const GlyphOutline ah = source.Outline(wqy, kReferenceGlyphCode);
    EXPECT_EQ(ah.status, GlyphOutline::Status::Ok);
    EXPECT_GE(ah.contours.size(), 3u);
}

TEST_F(FreeTypeGlyphs, RecordsContinueFromTheStartAndSplinesEndOnTheCurve)
{
    const GlyphOutline o = source.Outline({"Liberation Sans", 48}, 'O');
    ASSERT_EQ(o.status, GlyphOutline::Status::Ok);
    ASSERT_EQ(o.contours.size(), 2u);
    for (const OutlineContour& contour : o.contours) {
        ASSERT_FALSE(contour.records.empty());
        bool spline = false;
        for (const OutlineRecord& record : contour.records) {
            EXPECT_FALSE(record.points.empty());
            EXPECT_TRUE(record.type == kOutlineLine || record.type == kOutlineQuadratic);
            spline |= record.type == kOutlineQuadratic;
            // 48 px: every coordinate within the em square, in 16.16.
            for (const PointFx& p : record.points) {
                EXPECT_LT(std::abs(p.x), 48 * 65536);
                EXPECT_LT(std::abs(p.y), 48 * 65536);
            }
        }
        EXPECT_TRUE(spline) << "an O is made of curves";
    }
    EXPECT_TRUE(source.Outline({"Liberation Sans", 48}, ' ').contours.empty());
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
        EXPECT_EQ(run.front()->blank, 1);
        EXPECT_EQ(run.front()->x, run.back()->x);
        EXPECT_EQ(run.front()->y, run.back()->y);
        EXPECT_EQ(run.back()->blank, 0);
        for (const auto& p : run) {
            // A one-byte character's box is twice the cell wide.
            EXPECT_GE(p->x, 0);
            EXPECT_LT(p->x, 512);
            EXPECT_GE(p->y, 0);
            EXPECT_LE(p->y, 256);
            EXPECT_EQ(p->colour, 3);
        }
    }
    // Upright: the apex is above (smaller y than) the feet.
    int top = 256, bottom = 0;
    for (const auto& p : runs[0]) {
        top = std::min(top, p->y);
        bottom = std::max(bottom, p->y);
    }
    EXPECT_GT(bottom - top, 100);
}

}  // namespace
