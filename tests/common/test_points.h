#pragma once
// Laser points for building drawings and frames in tests.

#include "model/show_model.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

inline std::unique_ptr<LaserPoint> TestPoint(int x, int y, int colour = 1, int blank = 0, int z = 0)
{
    auto p = std::make_unique<LaserPoint>();
    p->x = x;
    p->y = y;
    p->colour = static_cast<std::uint8_t>(colour);
    p->blank = static_cast<std::uint8_t>(blank);
    p->z = z;
    return p;
}

/// A closed polygon of n corners around (cx, cy), in palette colour `colour`;
/// corners are placed vertices (z 2) and the first point is blanked.
inline Drawing TestPolygon(int n, int cx, int cy, int r, std::uint8_t colour)
{
    Drawing d(1);
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * 3.14159265 * i / n;
        d[0].push_back(TestPoint(cx + int(r * std::cos(a)), cy + int(r * std::sin(a)), colour, i == 0, 2));
    }
    return d;
}

/// Every point of the drawing as (x, y), path after path: what an undo must bring back.
inline std::vector<std::pair<int, int>> PointPositions(const Drawing& drawing)
{
    std::vector<std::pair<int, int>> out;
    for (const Path& path : drawing)
        for (const auto& point : path)
            out.emplace_back(point->x, point->y);
    return out;
}
