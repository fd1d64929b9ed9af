#pragma once
// The arithmetic of the per-point effect steps, inline so that a loop running
// 16,384 points a frame through them pays no call per step. effect_steps.h
// is the interface; these are its bodies, and the only place they are written.
//
// Shows were tuned against x87 arithmetic: the gobo product is formed in
// extended precision (long double on x86-64 GCC); a plain double here moves
// some points by one unit. Integer intermediates are 64-bit so that
// parameters from an untrusted show file cannot overflow; for every value a
// 32-bit product could hold the result is the same.

#include "model/trunc_to_int.h"

#include <algorithm>
#include <cstdint>

namespace effect_arithmetic {

// Shared by the H and V stretch: values of 127 or less travel toward 0, the
// others toward 255, reflecting at the ends.
inline double Stretch(std::int32_t phase, double c) noexcept
{
    if (c > 127) {
        const double s = c + phase;
        if (s > 255 && s <= 510)
            return 510 - s;
        if (s > 510)
            return s - 510;
        return s;
    }
    if (phase <= c)
        return c - phase;
    if (phase <= c + 255)
        return phase - c;
    if (phase <= 510)
        return c + (510 - phase);
    return c;
}

inline double Bounce(std::int32_t phase, double c) noexcept
{
    if (phase > 0 && phase <= c)
        return c - phase;
    if (phase > c && phase <= c + 255)
        return phase - c;
    if (phase > c + 255 && phase <= 510)
        return c + (510 - phase);
    return c;
}

// The right half reaches at most 127 from the centre, the left half 128. The
// lower bounds only matter for a negative L and keep the result in 0..255.
inline double Gobo(std::int32_t L, double c) noexcept
{
    if (c > 128) {
        std::int32_t k = TruncToInt((static_cast<long double>(c) - 128.0L) * L * 0.05L);
        k = std::clamp(k, -128, 127);
        return 128 + k;
    }
    std::int32_t k = TruncToInt((128.0L - static_cast<long double>(c)) * L * 0.05L);
    k = std::clamp(k, -127, 128);
    return 128 - k;
}

inline std::int32_t Size(std::int32_t v, std::int32_t size) noexcept
{
    const std::int64_t v64 = v;
    std::int64_t r = 0;
    if (v64 > 128) {
        const std::int64_t k = std::min<std::int64_t>((v64 - 128) * size / 20, 127);
        r = 128 + k;
    } else {
        const std::int64_t k = std::min<std::int64_t>((128 - v64) * size / 20, 128);
        r = 128 - k;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(r, 0, 255));
}

// The depth of the 3-D turn at a phase: 127..0 over phases 0..127 and 0..127
// over 128..255. Fixed for an animation step.
inline std::int64_t TurnDepth(std::int32_t phase) noexcept
{
    return phase < 128 ? 127 - std::int64_t{phase} : std::int64_t{phase} - 128;
}

// Results left of the centre divide by 63, results right of it by 64: the
// asymmetry is what shows were made with.
inline double Turn(std::int64_t k, double c) noexcept
{
    if (c < 128) {
        const std::int64_t d = TruncToInt(127.0L - c);
        if (k < 64)
            return static_cast<double>(128 - d * (64 - k) / 63);
        return static_cast<double>(127 + d * (k - 64) / 64);
    }
    const std::int64_t d = TruncToInt(static_cast<long double>(c) - 128.0L);
    if (k < 64)
        return static_cast<double>(127 + d * (64 - k) / 64);
    return static_cast<double>(128 - d * (k - 64) / 63);
}

}  // namespace effect_arithmetic
