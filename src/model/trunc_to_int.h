#pragma once
// Saturating conversions to int32. A plain cast of a double that is NaN or
// outside the int32 range is undefined behaviour, and so is an int32 sum that
// leaves the range; show files and settings are not trusted, so every "trunc"
// of the show arithmetic, and every coordinate sum that may run past the
// limits, goes through here.

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

/// A 64-bit result clamped to the int32 range: coordinate arithmetic is done in
/// 64 bits and lands on the nearest limit instead of wrapping.
constexpr std::int32_t SaturateToInt(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}
