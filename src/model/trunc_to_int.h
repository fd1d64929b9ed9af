#pragma once
// Saturating truncation toward zero. A plain cast of a double that is NaN or
// outside the int32 range is undefined behaviour; show files and settings are
// not trusted, so every "trunc" of the show arithmetic goes through here.

#include <cmath>
#include <cstdint>
#include <limits>

constexpr std::int32_t TruncToInt(long double v)
{
    if (v != v)  // NaN
        return 0;
    if (v >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}
