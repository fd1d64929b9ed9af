#include "editor/rotation.h"

#include "model/trunc_to_int.h"

#include <cmath>
#include <unordered_set>

double RotationAngleFor(int position, bool converse)
{
    const int p = converse ? -position : position;
    return p * kRotationPi * (1.0 / 180.0);
}

void RotateXY(std::int32_t& x, std::int32_t& y, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double cx = kRotationCentre;
    const double x0 = x;
    const double y0 = y;
    x = TruncToInt(c * x0 - s * y0 + (1 - c) * cx + s * cx);
    y = TruncToInt(s * x0 + c * y0 + (1 - c) * cx - s * cx);
}

Path RotatedCopies(const PointRefs& selection, double angle)
{
    Path copies;
    copies.reserve(selection.size());
    for (const LaserPoint* p : selection) {
        auto copy = std::make_unique<LaserPoint>(*p);
        RotateXY(copy->x, copy->y, angle);
        copies.push_back(std::move(copy));
    }
    return copies;
}

bool RotateSelection(Drawing& drawing, const PointRefs& selection, double angle, RotationMode mode)
{
    if (mode == RotationMode::InPlace) {
        // The selection may list a point twice; turning it twice would move it by twice the angle.
        std::unordered_set<LaserPoint*> done;
        bool moved = false;
        for (LaserPoint* p : selection) {
            if (!done.insert(p).second)
                continue;
            const std::int32_t x = p->x;
            const std::int32_t y = p->y;
            RotateXY(p->x, p->y, angle);
            moved = moved || p->x != x || p->y != y;
        }
        return moved;
    }
    const std::unordered_set<const LaserPoint*> selected(selection.begin(), selection.end());
    Drawing copies;
    for (const Path& path : drawing) {
        Path copy;
        for (const auto& p : path) {
            if (!selected.count(p.get()))
                continue;
            auto point = std::make_unique<LaserPoint>();
            point->x = p->x;
            point->y = p->y;
            RotateXY(point->x, point->y, angle);
            point->z = p->z;
            point->colour = p->colour;
            point->blank = p->blank;
            point->mark = kMarkNone;
            copy.push_back(std::move(point));
        }
        if (!copy.empty())
            copies.push_back(std::move(copy));
    }
    const bool added = !copies.empty();
    for (Path& path : copies)
        drawing.push_back(std::move(path));
    return added;
}
