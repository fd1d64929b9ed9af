#include "model/shape_generators.h"

#include "model/slope_line.h"
#include "model/trunc_to_int.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Xy {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Xy&) const = default;
};

// Angles are walked in these steps (radians) by the arc and polygon.
constexpr double kAngleStep = 0.001;
constexpr double kHalfPi = 1.5707963;
constexpr double kPi = 3.1415926;
constexpr double kThreeHalfPi = 4.7123889;

void Append(Path& output, std::int64_t x, std::int64_t y)
{
    auto p = std::make_unique<LaserPoint>();
    p->x = TruncToInt(x);
    p->y = TruncToInt(y);
    output.push_back(std::move(p));
}

void AppendAll(Path& output, const std::vector<Xy>& points)
{
    for (const Xy& p : points)
        Append(output, p.x, p.y);
}

std::int64_t SquaredDistance(Xy a, Xy b)
{
    const std::int64_t dx = std::int64_t(a.x) - b.x;
    const std::int64_t dy = std::int64_t(a.y) - b.y;
    return dx * dx + dy * dy;
}

// Marks every point closer than pointDistance to the last point kept, walking
// from the second point; the first point is always kept.
void MarkCrowded(const std::vector<Xy>& points, int pointDistance, std::vector<bool>& erased)
{
    if (points.empty())
        return;
    const std::int64_t limit = std::int64_t(pointDistance) * pointDistance;
    Xy kept = points.front();
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (SquaredDistance(points[i], kept) < limit)
            erased[i] = true;
        else
            kept = points[i];
    }
}

// Marks every point equal to the one before it in the list.
void MarkRepeated(const std::vector<Xy>& points, std::vector<bool>& erased)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i] == points[i - 1])
            erased[i] = true;
}

std::vector<Xy> WithoutMarked(const std::vector<Xy>& points, const std::vector<bool>& erased)
{
    std::vector<Xy> out;
    out.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        if (!erased[i])
            out.push_back(points[i]);
    return out;
}

// At most as many points as the outline's length at the point distance
// allows, and never fewer than minimum (the shape's corners). The walks below
// truncate to whole units, so a tiny shape would otherwise pile hundreds of
// points onto a few spots, where a laser dwells and burns. Only then is the
// list cut down, to points spread evenly along it, first and last kept.
// The walks step a whole unit along x or y, so a staircase along a slanted
// outline is up to sqrt(2) times its length: that much is allowed, which
// leaves every shape of ordinary size exactly as the walk made it.
std::vector<Xy> LimitToOutline(std::vector<Xy> points, double length, int pointDistance,
                               std::size_t minimum)
{
    const double walked = std::sqrt(2.0) * std::max(length, 0.0);
    const double allowed = std::floor(walked / std::max(pointDistance, 1)) + 1.0;
    const std::size_t limit = std::max<std::size_t>(
        std::max<std::size_t>(minimum, 1), allowed < 1e9 ? std::size_t(allowed) : std::size_t(1e9));
    if (points.size() <= limit)
        return points;
    std::vector<Xy> kept;
    kept.reserve(limit);
    const std::size_t last = points.size() - 1;
    for (std::size_t k = 0; k < limit; ++k) {
        const std::size_t i = limit == 1 ? 0 : (k * last + (limit - 1) / 2) / (limit - 1);
        if (kept.empty() || !(kept.back() == points[i]))
            kept.push_back(points[i]);
    }
    return kept;
}

// Perimeter of the ellipse with semi-axes a and b (Ramanujan's approximation).
double EllipsePerimeter(double a, double b)
{
    return kPi * (3.0 * (a + b) - std::sqrt((3.0 * a + b) * (a + 3.0 * b)));
}

// Angle of (dx, dy) around the centre, y downwards. Straight above is 3/2 pi
// rather than atan2's -pi/2; an arc starting there sweeps the other way round.
double ArcAngle(std::int64_t dx, std::int64_t dy)
{
    if (dy == 0)
        return dx > 0 ? 0.0 : kPi;
    if (dx == 0)
        return dy > 0 ? kHalfPi : kThreeHalfPi;
    return std::atan2(double(dy), double(dx));
}

}  // namespace

void GenerateLinePoints(int x1, int y1, int x2, int y2, int step, Path& output)
{
    // A step of 0 would never advance.
    step = std::max(step, 1);
    const std::int64_t ddx = std::int64_t(x2) - x1;
    const std::int64_t ddy = std::int64_t(y2) - y1;
    const std::int64_t dx = std::abs(ddx);
    const std::int64_t dy = std::abs(ddy);

    if (dy == 0 || dx == 0) {
        const std::int64_t along = dy == 0 ? dx : dy;
        if (along <= step)
            return;
        const std::int64_t from = dy == 0 ? x1 : y1;
        const std::int64_t sign = (dy == 0 ? ddx : ddy) > 0 ? 1 : -1;
        for (std::int64_t i = step; i < along; i += step) {
            if (dy == 0)
                Append(output, from + sign * i, y1);
            else
                Append(output, x1, from + sign * i);
        }
        return;
    }

    const SlopeLine line = SlopeLineThrough(x1, y1, x2, y2);
    const long double k = line.k;
    const long double b = line.b;
    const double length = double(ddy) / std::sin(std::atan2(double(ddy), double(ddx)));
    const std::int64_t n = std::max<std::int64_t>(1, TruncToInt(length / step));

    if (dy > dx && dy > step) {
        // dy / n is 0 for most slanted lines at step 1; it must still advance.
        const std::int64_t yStep = std::max<std::int64_t>(1, dy / n);
        const std::int64_t sign = ddy > 0 ? 1 : -1;
        for (std::int64_t i = yStep; i < dy; i += yStep) {
            const std::int64_t y = y1 + sign * i;
            Append(output, TruncToInt((y - b) / k), y);
        }
    } else if (dy <= dx && dx > step) {
        const std::int64_t xStep = std::max<std::int64_t>(1, dx / n);
        const std::int64_t sign = ddx > 0 ? 1 : -1;
        for (std::int64_t i = xStep; i < dx; i += xStep) {
            const std::int64_t x = x1 + sign * i;
            Append(output, x, TruncToInt(k * x + b));
        }
    }
}

void GeneratePolygonPoints(int cx, int cy, int cornerX, int cornerY, int sides, Path& output)
{
    if (sides < 3)
        return;
    const double dx = double(cx) - cornerX;
    const double dy = double(cy) - cornerY;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r == 0.0)
        return;
    const double chord = 2.0 * r * std::sin(3.1416 / sides);

    std::vector<Xy> corners;
    double lastX = cx + r;
    double lastY = cy;
    for (double t = 0.0; t <= 6.2832; t += kAngleStep) {
        const double candX = cx + r * std::cos(t);
        const double candY = cy + r * std::sin(t);
        const double dist = std::hypot(candX - lastX, candY - lastY);
        // Accepted once the distance is within one unit of the chord.
        if (TruncToInt(chord - dist) != 0)
            continue;
        const Xy corner{TruncToInt(candX), TruncToInt(candY)};
        // A chord below one unit accepts every step: a corner must at least
        // move off the last one.
        if (!corners.empty() && corners.back() == corner)
            continue;
        corners.push_back(corner);
        lastX = corner.x;
        lastY = corner.y;
    }
    // The closing copy of the first corner counts as one of the points.
    corners = LimitToOutline(std::move(corners), sides * chord - 1.0, 1, std::size_t(sides));
    if (corners.empty())
        return;
    if (corners.size() > 1 && !(corners.back() == corners.front()))
        corners.push_back(corners.front());
    AppendAll(output, corners);
}

void GenerateArcPoints(int cx, int cy, int startX, int startY, int endX, int endY,
                       int pointDistance, Path& output)
{
    pointDistance = std::max(pointDistance, 1);
    const std::int64_t sdx = std::int64_t(startX) - cx;
    const std::int64_t sdy = std::int64_t(startY) - cy;
    const std::int64_t edx = std::int64_t(endX) - cx;
    const std::int64_t edy = std::int64_t(endY) - cy;
    if ((sdx == 0 && sdy == 0) || (edx == 0 && edy == 0))
        return;
    const double r = std::sqrt(double(sdx) * double(sdx) + double(sdy) * double(sdy));
    const double from = ArcAngle(sdx, sdy);
    const double to = ArcAngle(edx, edy);

    std::vector<Xy> points;
    auto add = [&](double t) {
        points.push_back({TruncToInt(cx + r * std::cos(t)), TruncToInt(cy + r * std::sin(t))});
    };
    if (from < to) {
        for (double t = from; t <= to; t += kAngleStep)
            add(t);
    } else {
        for (double t = from; t >= to; t -= kAngleStep)
            add(t);
    }

    std::vector<bool> erased(points.size(), false);
    MarkCrowded(points, pointDistance, erased);
    AppendAll(output, LimitToOutline(WithoutMarked(points, erased), r * std::abs(to - from),
                                     pointDistance, 2));
}

void GenerateEllipsePoints(int x1, int y1, int x2, int y2, int pointDistance, Path& output)
{
    pointDistance = std::max(pointDistance, 1);
    const std::int64_t w = std::abs(std::int64_t(x2) - x1);
    const std::int64_t h = std::abs(std::int64_t(y2) - y1);
    if (w == 0 || h == 0)
        return;
    // Halves truncate toward zero, so the centre leans toward the first corner.
    const std::int64_t cx = x1 + (std::int64_t(x2) - x1) / 2;
    const std::int64_t cy = y1 + (std::int64_t(y2) - y1) / 2;
    const double wd = double(w);
    const double hd = double(h);
    const std::int64_t n = std::max<std::int64_t>(1, TruncToInt(std::sqrt(wd * wd + hd * hd) * 0.2 + 2.0));
    const double angleStep = kHalfPi / double(n);

    // One quadrant is computed; the other three are its mirror images.
    std::vector<Xy> bottomRight, bottomLeft, topLeft, topRight;
    for (double t = 0.0; t < kHalfPi; t += angleStep) {
        const double tanT = std::tan(t);
        const double q = tanT * tanT / (hd * hd) + 1.0 / (wd * wd);
        if (q == 0.0)
            continue;
        const double x = 0.5 * std::sqrt(1.0 / q);
        const double y = x * tanT;
        bottomRight.push_back({TruncToInt(cx + x), TruncToInt(cy + y)});
        bottomLeft.push_back({TruncToInt(cx - x), TruncToInt(cy + y)});
        topLeft.push_back({TruncToInt(cx - x), TruncToInt(cy - y)});
        topRight.push_back({TruncToInt(cx + x), TruncToInt(cy - y)});
    }
    bottomRight.push_back({TruncToInt(cx), TruncToInt(std::max(y1, y2))});
    topLeft.push_back({TruncToInt(cx), TruncToInt(std::min(y1, y2))});

    std::vector<Xy> points = bottomRight;
    points.insert(points.end(), bottomLeft.rbegin(), bottomLeft.rend());
    points.insert(points.end(), topLeft.begin(), topLeft.end());
    points.insert(points.end(), topRight.rbegin(), topRight.rend());

    std::vector<bool> erased(points.size(), false);
    MarkCrowded(points, pointDistance, erased);
    MarkRepeated(points, erased);
    points = WithoutMarked(points, erased);
    erased.assign(points.size(), false);
    MarkRepeated(points, erased);
    AppendAll(output, LimitToOutline(WithoutMarked(points, erased), EllipsePerimeter(wd / 2, hd / 2),
                                     pointDistance, 4));
}
