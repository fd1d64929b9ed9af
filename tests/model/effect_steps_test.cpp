#include "model/effect_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using CoordStep = void (*)(std::int32_t, double&) noexcept;

double Apply(CoordStep step, std::int32_t phase, double c)
{
    step(phase, c);
    return c;
}

constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

// Each case runs through the horizontal and the vertical step alike.
struct StepCase {
    CoordStep h, v;
    std::int32_t phase;
    double in, out;
};
constexpr CoordStep kHStretch = ApplyHStretch, kVStretch = ApplyVStretch, kHBounce = ApplyHBounce,
                    kVBounce = ApplyVBounce, kHRotate = ApplyHRotate, kVRotate = ApplyVRotate;

TEST(EffectSteps, WorkedValues)
{
    const StepCase cases[] = {
        {kHStretch, kVStretch, 255, 127, 128}, {kHStretch, kVStretch, 255, 128, 127},
        {kHStretch, kVStretch, 509, 0, 1},
        // The stretch splits between 127 and 128.
        {kHStretch, kVStretch, 1, 128, 129},   {kHStretch, kVStretch, 1, 127, 126},
        {kHStretch, kVStretch, 10, 130.25, 140.25},
        {kHBounce, kVBounce, 100, 150, 50},    {kHBounce, kVBounce, 100, 60, 40},
        {kHBounce, kVBounce, 100, 0, 100},     {kHBounce, kVBounce, 300, 0, 210},
        // The 3-D turn divides by 63 left of the centre and by 64 right of it.
        {kHRotate, kVRotate, 0, 0, 252},       {kHRotate, kVRotate, 0, 255, 1},
        {kHRotate, kVRotate, 128, 0, -1},      {kHRotate, kVRotate, 128, 255, 254},
        {kHRotate, kVRotate, 64, 0, 126},      {kHRotate, kVRotate, 64, 255, 128},
        {kHRotate, kVRotate, 128, 128.9, 127},
        // It splits the coordinate at 128 (below: left of the centre, divided
        // by 63; from 128 on: right, divided by 64) and the phase at 128 (both
        // 127 and 128 are edge-on, k 0).
        {kHRotate, kVRotate, 0, 127.99, 127},  {kHRotate, kVRotate, 0, 128, 128},
        {kHRotate, kVRotate, 128, 127.99, 128}, {kHRotate, kVRotate, 128, 128, 127},
        {kHRotate, kVRotate, 126, 0, 1},       {kHRotate, kVRotate, 127, 0, -1},
        {kHRotate, kVRotate, 129, 0, 1},       {kHRotate, kVRotate, 127, 255, 254},
        {kHRotate, kVRotate, 129, 255, 252},   {kHRotate, kVRotate, 63, 0, 127},
        {kHRotate, kVRotate, 192, 255, 128},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(Apply(c.h, c.phase, c.in), c.out) << "phase " << c.phase << " c " << c.in;
        EXPECT_EQ(Apply(c.v, c.phase, c.in), c.out) << "phase " << c.phase << " c " << c.in;
    }
}

// A period of 510 brings every point home and no phase carries a point off
// the square: slips in the reflection bounds show up here.
TEST(EffectSteps, StretchAndBouncePeriodAndRange)
{
    for (CoordStep step : {kHStretch, kHBounce}) {
        for (int c = 0; c <= 255; ++c) {
            EXPECT_EQ(std::pair(Apply(step, 0, c), Apply(step, 510, c)), std::pair(double(c), double(c)));
            for (int phase = 0; phase < 510; ++phase) {
                const double out = Apply(step, phase, c);
                ASSERT_TRUE(out >= 0 && out <= 255) << "phase " << phase << " c " << c;
            }
        }
    }
}

double Gobo(std::int32_t L, double c)
{
    double x = c, y = c;
    ApplyGoboSize(L, x, y);
    EXPECT_EQ(x, y);
    return x;
}

TEST(EffectSteps, GoboAndSize)
{
    // 144 capped at 127, 156 capped at 128.
    EXPECT_EQ((std::vector<double>{Gobo(40, 200), Gobo(40, 50), Gobo(20, 130.7), Gobo(20, 125.3)}),
              (std::vector<double>{255, 0, 130, 126}));
    EXPECT_EQ((std::vector{ApplySizeX(255, 40), ApplySizeX(0, 40), ApplySizeX(200, 10), ApplySizeY(129, 19)}),
              (std::vector{255, 0, 164, 128}));
    for (int c = 0; c <= 255; ++c)
        EXPECT_EQ((std::vector<double>{Gobo(0, c), Gobo(20, c), double(ApplySizeX(c, 0)), double(ApplySizeY(c, 20))}),
                  (std::vector<double>{128, double(c), 128, double(c)})) << c;
    // Parameters from show files may be anything: the result stays a whole
    // number on the square, without overflow (the UB build checks that).
    for (std::int32_t p : {kMin, -40, -1, 41, kMax}) {
        for (double c : {-1e12, 0.0, 100.5, 128.0, 255.0, 1e12, std::nan("")}) {
            const double out = Gobo(p, c);
            EXPECT_TRUE(out >= 0 && out <= 255 && out == std::trunc(out)) << p << " " << c;
            const std::int32_t v = std::isnan(c) ? kMin : std::int32_t(std::clamp(c, -2e9, 2e9));
            EXPECT_TRUE(ApplySizeX(v, p) >= 0 && ApplySizeX(v, p) <= 255) << p << " " << v;
        }
    }
}

TEST(EffectSteps, RotationAboutTheCentre)
{
    for (int deg : {-90, 1, 45, 1000000}) {
        double x = 128, y = 128;
        RotateByAngle(deg, x, y);
        EXPECT_TRUE(x == 128 && y == 128) << deg;
    }
    // Clockwise on screen, with pi = 3.1415926: a quarter turn falls short by
    // about 2.7e-8 rad, which the full constant would not.
    double x = 228, y = 128;
    RotateByAngle(90, x, y);
    EXPECT_TRUE(std::abs(x - 128 - 2.6795e-6) < 1e-9 && std::abs(y - 228) < 1e-9) << x << "," << y;
    x = 128, y = 228;  // on the centre's column, yet not the centre
    RotateByAngle(-90, x, y);
    EXPECT_NEAR(x, 228, 1e-9);
}

using Intersect = void (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t&,
                           std::int32_t&) noexcept;

TEST(EffectSteps, EdgeIntersections)
{
    struct Case {
        Intersect fn;
        int x1, y1, x2, y2, x, y;
    };
    const Case cases[] = {
        {IntersectLeftEdge, 10, 20, 30, 60, 0, 0}, {IntersectRightEdge, 30, 30, 10, 20, 255, 142},
        {IntersectLeftEdge, 10, 20, 30, 30, 0, 15},  // slope 1/2, not 0
        {IntersectTopEdge, 10, 20, 30, 10, 50, 0}, {IntersectBottomEdge, 10, 20, 30, 10, -460, 255},
        // Single-precision slope and intercept: double arithmetic gives 5 and 7.
        {IntersectTopEdge, 1, 1, 6, 0, 6, 0},      {IntersectTopEdge, 1, 1, 7, 0, 6, 0},
        // Horizontal, vertical, single point.
        {IntersectLeftEdge, 5, 7, 9, 7, 0, 7},    {IntersectTopEdge, 5, 7, 9, 7, 9, 7},
        {IntersectRightEdge, 5, 7, 5, 20, 5, 20}, {IntersectBottomEdge, 5, 7, 5, 20, 5, 255},
        {IntersectLeftEdge, 5, 7, 5, 7, 5, 7},    {IntersectBottomEdge, 5, 7, 5, 7, 5, 7},
        // Crossings beyond the int range saturate.
        {IntersectTopEdge, -2000000000, 1, 2000000000, 2, kMin, 0},
        {IntersectBottomEdge, -2000000000, 1, 2000000000, 2, kMax, 255},
    };
    for (const Case& c : cases) {
        std::int32_t x = -1, y = -1;
        c.fn(c.x1, c.y1, c.x2, c.y2, x, y);
        EXPECT_TRUE(x == c.x && y == c.y)
            << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " gave " << x << "," << y;
    }
}

} // namespace
