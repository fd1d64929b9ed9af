#pragma once
// Saturating conversions to int32. A plain cast of a double that is NaN or
// outside the int32 range is undefined behaviour, and so is an int32 sum that
// leaves the range; show files and settings are not trusted, so every "trunc"
// of the show arithmetic, and every coordinate sum that may run past the
// limits, goes through here.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <type_traits>

constexpr std::int32_t TruncToInt(long double v)
{
    if (v != v)  // NaN
        return 0;
    if (v >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (std::is_constant_evaluated())
        return static_cast<std::int32_t>(v);
    // Casting an extended-precision value to int switches the x87 rounding
    // mode and back for every conversion, which stalls the effect chain. The
    // nearest double of v is truncated by SSE instead; only when that double
    // is a whole number can v lie just across it, and the remainder (exact
    // in extended precision) says so.
    const double nearest = static_cast<double>(v);
    std::int32_t t = static_cast<std::int32_t>(nearest);
    if (static_cast<double>(t) == nearest) {
        const long double rest = v - static_cast<long double>(nearest);
        if (v > 0 && rest < 0)
            --t;
        else if (v < 0 && rest > 0)
            ++t;
    }
    return t;
}

// A double needs no extended-precision step: SSE truncates it directly, with
// the same result as the extended-precision version.
constexpr std::int32_t TruncToInt(double v)
{
    if (v != v)  // NaN
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (v <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
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

// Whole numbers saturate as before (an int64 converts exactly to long double).
template <std::integral T>
constexpr std::int32_t TruncToInt(T v)
{
    return TruncToInt(static_cast<long double>(v));
}
