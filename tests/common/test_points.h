#pragma once
// Laser points for building drawings and frames in tests.

#include "model/show_model.h"

#include <cstdint>
#include <memory>

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
