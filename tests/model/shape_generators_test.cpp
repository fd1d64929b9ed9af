#include "model/shape_generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

using Xy = std::pair<int, int>;
using Pts = std::vector<Xy>;

Pts Xys(const Path& path)
{
    Pts out;
    for (const auto& p : path)
        out.emplace_back(p->x, p->y);
    return out;
}

double Dist(Xy a, Xy b) { return std::hypot(double(a.first - b.first), double(a.second - b.second)); }

Pts Line(int x1, int y1, int x2, int y2, int step)
{
    Path out;
    GenerateLinePoints(x1, y1, x2, y2, step, out);
    return Xys(out);
}

// Strictly between the ends, within a pixel of the ideal line, advancing.
void ExpectOnSegment(const Pts& pts, Xy a, Xy b)
{
    const double len = Dist(a, b);
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const auto [x, y] = pts[i];
        const double cross = double(b.first - a.first) * (y - a.second) - double(b.second - a.second) * (x - a.first);
        EXPECT_LE(std::abs(cross) / len, 1.0) << x << "," << y;
        EXPECT_LT(Dist(pts[i], b), Dist(i ? pts[i - 1] : a, b)) << x << "," << y;
        EXPECT_GT(Dist(pts[i], b), 0.0);
    }
}

// Consecutive points at least the point distance apart (so never repeated).
void ExpectThinned(const Pts& pts, double pointDistance)
{
    for (std::size_t i = 1; i < pts.size(); ++i)
        EXPECT_GE(Dist(pts[i], pts[i - 1]), pointDistance) << "point " << i;
}

TEST(LinePoints, AxisLinesStepFromTheFirstEndAndStopBeforeTheSecond)
{
    EXPECT_EQ(Line(0, 0, 0, 100, 30), (Pts{{0, 30}, {0, 60}, {0, 90}}));
    EXPECT_EQ(Line(100, 5, 0, 5, 30), (Pts{{70, 5}, {40, 5}, {10, 5}}));
    EXPECT_TRUE(Line(0, 0, 30, 0, 30).empty());  // not longer than the step
    EXPECT_TRUE(Line(0, 0, 12, 7, 20).empty());
}

TEST(LinePoints, StepOneOrLessEndsAndGivesEveryMajorStep)
{
    // At step 1 the major-axis step of most slanted lines rounds down to 0.
    struct Case { Xy a, b; int step; };
    for (const Case& c : {Case{{0, 0}, {100, 100}, 1}, Case{{10, 10}, {183, 110}, 1},
                         Case{{300, 20}, {200, 320}, 1}, Case{{50, 60}, {10, 5}, 0},
                         Case{{0, 0}, {100, 100}, -4}}) {
        SCOPED_TRACE(testing::Message() << c.b.first << "," << c.b.second << " step " << c.step);
        const Pts pts = Line(c.a.first, c.a.second, c.b.first, c.b.second, c.step);
        EXPECT_EQ(int(pts.size()), std::max(std::abs(c.b.first - c.a.first), std::abs(c.b.second - c.a.second)) - 1);
        ExpectOnSegment(pts, c.a, c.b);
    }
}

// The slope and intercept are held in single precision. Both lines pass
// exactly through a lattice point; single precision puts the line a hair
// below it, so the truncated point is one unit off where double precision
// would land.
TEST(LinePoints, SlopeIsHeldInSinglePrecision)
{
    const Pts steep = Line(3, 5, 137, 253, 5);  // y-major: x from y
    ASSERT_GT(steep.size(), 30u);
    EXPECT_EQ(steep[30], Xy(69, 129));
    const Pts flat = Line(3, 5, 211, 89, 5);  // x-major: y from x
    ASSERT_GT(flat.size(), 12u);
    EXPECT_EQ(flat[12], Xy(55, 25));
}

TEST(ShapeGenerators, AppendOnlyBarePointsAfterWhatTheListHolds)
{
    Path out;
    out.push_back(std::make_unique<LaserPoint>(LaserPoint{1, 2, 2, 9, 1, 1}));
    GenerateLinePoints(0, 0, 0, 100, 30, out);
    GenerateEllipsePoints(0, 0, 40, 20, 3, out);
    GenerateArcPoints(0, 0, 30, 0, 0, 30, 3, out);
    GeneratePolygonPoints(0, 0, 30, 0, 5, out);
    ASSERT_GT(out.size(), 20u);
    EXPECT_EQ(out[0]->colour, 9);
    for (std::size_t i = 1; i < out.size(); ++i)
        EXPECT_EQ(out[i]->z | out[i]->colour | out[i]->mark | out[i]->blank, 0) << i;
}

TEST(ShapeGenerators, DegenerateInputsGiveNothing)
{
    Path out;
    for (int sides : {2, 0, -3})
        GeneratePolygonPoints(100, 100, 150, 100, sides, out);
    GeneratePolygonPoints(100, 100, 100, 100, 5, out);
    GenerateArcPoints(50, 50, 50, 50, 80, 80, 3, out);  // radius 0
    GenerateArcPoints(50, 50, 90, 50, 50, 50, 3, out);  // end at the centre
    GenerateEllipsePoints(10, 10, 10, 90, 2, out);
    GenerateEllipsePoints(10, 10, 90, 10, 2, out);
    EXPECT_TRUE(out.empty());
}

// A candidate becomes a corner as soon as its distance from the last corner
// is within one unit of the chord, so each corner comes a little early: the
// square's first corner is just right of straight below the centre, not on it.
TEST(PolygonPoints, CornerIsTakenOnceTheChordIsWithinOneUnit)
{
    Path square;
    GeneratePolygonPoints(200, 200, 300, 200, 4, square);
    EXPECT_EQ(Xys(square), (Pts{{201, 299}, {100, 201}, {197, 100}, {299, 195}, {201, 299}}));
    for (int sides : {3, 6}) {
        SCOPED_TRACE(sides);
        Path out;
        GeneratePolygonPoints(200, 200, 300, 200, sides, out);
        const Pts pts = Xys(out);
        ASSERT_EQ(int(pts.size()), sides + 1);
        EXPECT_EQ(pts.front(), pts.back());
        for (std::size_t i = 0; i < pts.size(); ++i) {
            EXPECT_NEAR(Dist(pts[i], {200, 200}), 100.0, 1.5);
            if (i > 0 && i + 1 < pts.size()) {  // the closing side comes out a little short
                EXPECT_NEAR(Dist(pts[i], pts[i - 1]), 200.0 * std::sin(M_PI / sides), 3.0);
            }
        }
    }
    // Only the distance of the clicked corner counts, not its direction.
    Path right, aslant;
    GeneratePolygonPoints(200, 200, 250, 200, 5, right);
    GeneratePolygonPoints(200, 200, 230, 160, 5, aslant);
    EXPECT_EQ(Xys(right), Xys(aslant));
}

// Tiny shapes must not pile points onto a few spots (a dwell that burns):
// never more points than the outline's walked length (up to sqrt(2) times the
// outline, for a staircase of unit steps) at the point distance allows, plus
// one, and never the same point twice in a row.
TEST(ShapeGenerators, TinyShapesStayWithinTheirOutline)
{
    auto expectBounded = [](const Pts& pts, double length, int pointDistance, std::size_t corners) {
        EXPECT_FALSE(pts.empty());
        EXPECT_LE(pts.size(), std::max<std::size_t>(corners, std::size_t(std::sqrt(2.0) * length / pointDistance) + 1));
        for (std::size_t i = 1; i < pts.size(); ++i)
            EXPECT_NE(pts[i], pts[i - 1]) << "point " << i;
    };
    for (int r : {1, 2, 3, 5, 8, 20}) {
        for (int sides : {3, 4, 6, 12, 100}) {
            SCOPED_TRACE(testing::Message() << "polygon r " << r << " sides " << sides);
            Path out;
            GeneratePolygonPoints(100, 100, 100 + r, 100, sides, out);
            expectBounded(Xys(out), sides * 2.0 * r * std::sin(M_PI / sides), 1, std::size_t(sides) + 1);
        }
        for (int d : {1, 3}) {
            SCOPED_TRACE(testing::Message() << "r " << r << " distance " << d);
            Path arc;  // three quarters of a turn: from the right, the long way to straight above
            GenerateArcPoints(100, 100, 100 + r, 100, 100, 100 - r, d, arc);
            expectBounded(Xys(arc), r * 4.7123889, d, 2);
            Path ellipse;
            GenerateEllipsePoints(100, 100, 100 + 2 * r, 100 + r, d, ellipse);
            expectBounded(Xys(ellipse), M_PI * (1.5 * r + r / 2.0) , d, 4);  // above the ellipse's length
        }
    }
    Path triangle;
    GeneratePolygonPoints(100, 100, 101, 100, 3, triangle);
    EXPECT_LE(triangle.size(), 6u);
}

// A point exactly the point distance from the last kept point is kept; only
// closer ones go.
TEST(ArcPoints, QuarterArcStaysOnTheCircleAndIsThinned)
{
    Path far;
    GenerateArcPoints(200, 200, 300, 200, 200, 450, 5, far);  // the end only gives the angle
    for (int d : {3, 5, 7}) {
        SCOPED_TRACE(d);
        Path out;
        GenerateArcPoints(200, 200, 300, 200, 200, 300, d, out);
        const Pts pts = Xys(out);
        ASSERT_GT(pts.size(), 20u);
        if (d == 5) {
            EXPECT_EQ(pts, Xys(far));
        }
        EXPECT_EQ(pts.front(), Xy(300, 200));
        EXPECT_LE(Dist(pts.back(), {200, 300}), d + 1.0);
        int exact = 0;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            EXPECT_NEAR(Dist(pts[i], {200, 200}), 100.0, 1.5);
            EXPECT_TRUE(pts[i].first >= 200 && pts[i].second >= 200) << pts[i].first << "," << pts[i].second;
            exact += i > 0 && Dist(pts[i], pts[i - 1]) == double(d);
        }
        EXPECT_GT(exact, 0);
        ExpectThinned(pts, d);
    }
}

TEST(ArcPoints, StartStraightAboveSweepsTheLongWayRound)
{
    // Straight above counts as three quarters of a turn, so an arc from there
    // to the right runs downwards in angle, through the left and the bottom.
    Path out;
    GenerateArcPoints(200, 200, 200, 100, 300, 200, 10, out);
    const Pts pts = Xys(out);
    ASSERT_FALSE(pts.empty());
    EXPECT_LE(std::min_element(pts.begin(), pts.end())->first, 101);
    EXPECT_GE(std::max_element(pts.begin(), pts.end(), [](Xy a, Xy b) { return a.second < b.second; })->second, 299);
}

TEST(EllipsePoints, RunsRightBottomLeftTopInsideTheBox)
{
    for (auto [a, b] : {std::pair{Xy(100, 150), Xy(300, 250)}, std::pair{Xy(300, 250), Xy(100, 150)}}) {
        SCOPED_TRACE(testing::Message() << a.first << "," << a.second);
        Path out;
        GenerateEllipsePoints(a.first, a.second, b.first, b.second, 5, out);
        const Pts pts = Xys(out);
        ASSERT_GT(pts.size(), 40u);
        EXPECT_EQ(pts.front(), Xy(300, 200));
        EXPECT_LE(Dist(pts.back(), pts.front()), 6.0);
        std::size_t bottom = 0, left = 0, top = 0;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const auto [x, y] = pts[i];
            EXPECT_TRUE(x >= 100 && x <= 300 && y >= 150 && y <= 250) << x << "," << y;
            EXPECT_NEAR(std::pow((x - 200) / 100.0, 2) + std::pow((y - 200) / 50.0, 2), 1.0, 0.06);
            bottom = y > pts[bottom].second ? i : bottom;
            left = x < pts[left].first ? i : left;
            top = y < pts[top].second ? i : top;
        }
        EXPECT_TRUE(0 < bottom && bottom < left && left < top);
        EXPECT_GE(pts[bottom].second, 249);
        EXPECT_LE(pts[top].second, 151);
        ExpectThinned(pts, 5.0);
    }
    for (int pointDistance : {1, 0}) {  // small boxes and distances: still no repeats
        Path out;
        GenerateEllipsePoints(10, 10, 17, 40, pointDistance, out);
        ASSERT_FALSE(out.empty());
        ExpectThinned(Xys(out), 1.0);
    }
}

}  // namespace
