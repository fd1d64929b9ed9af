#pragma once
// The slope and intercept of the line through two points, held in single
// precision as drawings and text clipping have always computed them. Each is
// formed in extended precision and then rounded to float once; arithmetic on
// them is extended again, so only the stored values are single precision.

#include <cstdint>

struct SlopeLine {
    float k;  ///< (y2 - y1) / (x2 - x1)
    float b;  ///< y1 - x1 * k
};

/// Any thread. The line through two points with different x.
inline SlopeLine SlopeLineThrough(std::int64_t x1, std::int64_t y1, std::int64_t x2,
                                  std::int64_t y2) noexcept
{
    const long double dy = static_cast<long double>(y2 - y1);
    const long double dx = static_cast<long double>(x2 - x1);
    const float k = static_cast<float>(dy / dx);
    const float b = static_cast<float>(static_cast<long double>(y1) - static_cast<long double>(x1) * k);
    return {k, b};
}
