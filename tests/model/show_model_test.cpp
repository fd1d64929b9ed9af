#include "model/show_model.h"
#include "model/trunc_to_int.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

Path OnePoint(int x, int y)
{
    Path path;
    path.push_back(std::make_unique<LaserPoint>(LaserPoint{x, y, 0, 0, 0, 0}));
    return path;
}

Drawing OnePointDrawing(int x, int y)
{
    Drawing d;
    d.push_back(OnePoint(x, y));
    return d;
}

// Run under the sanitizers: a sequence holding every kind of item, copied and
// destroyed, frees each record exactly once. The copy shares the drawings
// (play never changes them) and outlives the sequence it was copied from.
TEST(ShowModel, SequenceCopiesShareDrawingsAndFreeCleanly)
{
    auto seq = std::make_unique<TSequence>();
    seq->MusicFile = "song.mp3";
    seq->Track1.emplace_back().Paths = OnePointDrawing(1, 2);
    TSectionRecord row;
    row.O = 1;
    row.R = -7;
    row.Paths = OnePointDrawing(5, 6);
    seq->Track2.emplace_back().Sections.push_back(std::move(row));
    TILDAimage image;
    image.Frames.emplace_back().Points = OnePoint(-128, 127);
    image.Palettes.emplace_back().Colours.push_back({1, 2, 3});
    seq->Track3.emplace_back().IldaImage = std::move(image);

    const TSequence copy = CopySequence(*seq);
    EXPECT_TRUE(copy.Track1[0].Paths.SharesWith(seq->Track1[0].Paths));
    EXPECT_TRUE(copy.Track2[0].Sections[0].Paths.SharesWith(seq->Track2[0].Sections[0].Paths));
    EXPECT_TRUE(copy.Track3[0].IldaImage.SharesWith(seq->Track3[0].IldaImage));
    seq.reset();
    EXPECT_EQ(copy.MusicFile, "song.mp3");
    const TSectionRecord& r = copy.Track2[0].Sections[0];
    EXPECT_EQ((std::vector<int>{copy.Track1[0].Paths[0][0]->x, r.Paths[0][0]->y, r.O, r.R,
                                copy.Track3[0].IldaImage->Frames[0].Points[0]->x,
                                copy.Track3[0].IldaImage->Palettes[0].Colours[0].blue}),
              (std::vector<int>{1, 6, 1, -7, -128, 3}));
}

TEST(ShowModel, PlayCopiesLeaveErasedPointsOut)
{
    Drawing drawing;
    drawing.push_back(OnePoint(1, 1));
    drawing[0].push_back(std::make_unique<LaserPoint>(LaserPoint{2, 2, 0, 0, kMarkErased, 0}));
    drawing[0].push_back(std::make_unique<LaserPoint>(LaserPoint{3, 3, 0, 0, kMarkSelected, 0}));
    drawing.push_back(OnePoint(4, 4));
    drawing[1][0]->mark = kMarkErased;
    const Drawing copy = CopyDrawingWithoutErased(drawing);
    ASSERT_EQ(copy.size(), 1u);  // the path with nothing left is gone
    ASSERT_EQ(copy[0].size(), 2u);
    EXPECT_TRUE(copy[0][1]->x == 3 && copy[0][1].get() != drawing[0][2].get());
}

TEST(TruncToInt, TruncatesTowardZeroAndSaturates)
{
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    // Run-time calls: a list of constants would be folded by the compiler.
    std::vector<std::int32_t> got;
    for (double v : {130.7, -130.7, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()})
        got.push_back(TruncToInt(v));
    EXPECT_EQ(got, (std::vector<std::int32_t>{130, -130, kMax, kMin, kMax, 0}));
}

// Within range the result is the plain extended-precision truncation, also for
// values a hair either side of a whole or a half number, which round to a
// whole double and are where a cheaper truncation would slip by one.
TEST(TruncToInt, MatchesExtendedTruncationNextToWholeNumbers)
{
    const auto reference = [](long double v) { return static_cast<std::int32_t>(v); };
    const long double inf = std::numeric_limits<long double>::infinity();
    std::vector<long double> bases;
    for (int n = -600; n <= 600; ++n)
        bases.push_back(n * 0.5L);
    for (long double big : {2147483646.0L, 2147483000.5L, 1048576.25L})
        bases.insert(bases.end(), {big, -big});
    std::mt19937 random(7);
    std::uniform_real_distribution<double> wide(-3e9, 3e9);
    for (int i = 0; i < 2000; ++i)
        bases.push_back(std::trunc(wide(random)));
    int compared = 0;
    for (long double b : bases) {
        long double below = b, above = b;
        for (int step = 0; step < 4; ++step) {
            below = std::nextafter(below, -inf);
            above = std::nextafter(above, inf);
            for (long double v : {below, b, above}) {
                if (v >= 2147483647.0L || v <= -2147483648.0L)
                    continue;
                ASSERT_EQ(TruncToInt(v), reference(v)) << static_cast<double>(v);
                const double d = static_cast<double>(v);
                if (d < 2147483647.0 && d > -2147483648.0) {
                    ASSERT_EQ(TruncToInt(d), reference(d)) << d;
                }
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 30000);
}

}  // namespace
