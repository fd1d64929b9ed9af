#include "model/effect_steps.h"

#include "model/slope_line.h"
#include "model/trunc_to_int.h"

#include <algorithm>
#include <cmath>

// Precision notes. Shows were tuned against x87 arithmetic: the gobo product
// and the rotation are formed in extended precision (long double on x86-64
// GCC), the edge slopes are held in single precision. A plain double here
// moves some points by one unit. Integer intermediates are 64-bit so that
// parameters from an untrusted show file cannot overflow; for every value a
// 32-bit product could hold the result is the same.

namespace {

// Shared by the H and V stretch: values of 127 or less travel toward 0, the
// others toward 255, reflecting at the ends.
double Stretch(std::int32_t phase, double c) noexcept
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

double Bounce(std::int32_t phase, double c) noexcept
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
double Gobo(std::int32_t L, double c) noexcept
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

std::int32_t Size(std::int32_t v, std::int32_t size) noexcept
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

// k runs 127..0 over phases 0..127 and 0..127 over 128..255. Results left of
// the centre divide by 63, results right of it by 64: the asymmetry is what
// shows were made with.
double Turn(std::int32_t phase, double c) noexcept
{
    const std::int64_t k = phase < 128 ? 127 - std::int64_t{phase} : std::int64_t{phase} - 128;
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

// Where the line meets the vertical edge x = edge (left 0, right 255). A
// horizontal line meets it at y2; a vertical line or a single point gives its
// second end, as the scrollers expect.
void CrossVerticalEdge(std::int32_t edge, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                       std::int32_t y2, std::int32_t& x, std::int32_t& y) noexcept
{
    if (y1 == y2 && x1 != x2) {
        x = edge;
        y = y2;
    } else if (x1 == x2) {
        x = x2;
        y = y2;
    } else {
        const SlopeLine l = SlopeLineThrough(x1, y1, x2, y2);
        x = edge;
        y = TruncToInt(static_cast<long double>(l.k) * edge + l.b);
    }
}

// Where the line meets the horizontal edge y = edge (top 0, bottom 255). The
// horizontal test comes first: a single point gives its second end.
void CrossHorizontalEdge(std::int32_t edge, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                         std::int32_t y2, std::int32_t& x, std::int32_t& y) noexcept
{
    if (y1 == y2) {
        x = x2;
        y = y2;
    } else if (x1 == x2) {
        x = x2;
        y = edge;
    } else {
        const SlopeLine l = SlopeLineThrough(x1, y1, x2, y2);
        x = TruncToInt((edge - static_cast<long double>(l.b)) / l.k);
        y = edge;
    }
}

} // namespace

void ApplyHStretch(std::int32_t phase, double& x) noexcept { x = Stretch(phase, x); }
void ApplyVStretch(std::int32_t phase, double& y) noexcept { y = Stretch(phase, y); }

void ApplyHBounce(std::int32_t phase, double& x) noexcept { x = Bounce(phase, x); }
void ApplyVBounce(std::int32_t phase, double& y) noexcept { y = Bounce(phase, y); }

void ApplyGoboSize(std::int32_t L, double& x, double& y) noexcept
{
    x = Gobo(L, x);
    y = Gobo(L, y);
}

std::int32_t ApplySizeX(std::int32_t v, std::int32_t size) noexcept { return Size(v, size); }
std::int32_t ApplySizeY(std::int32_t v, std::int32_t size) noexcept { return Size(v, size); }

void RotateByAngle(std::int32_t degrees, double& x, double& y) noexcept
{
    // pi to seven decimals, as the shows were made with; the angle itself is
    // kept as a double before sine and cosine are taken.
    const double a = static_cast<double>(degrees * 3.1415926L * (1.0L / 180.0L));
    if (x == 128 && y == 128)
        return;
    const long double c = std::cos(static_cast<long double>(a));
    const long double s = std::sin(static_cast<long double>(a));
    const long double x0 = x;
    const long double y0 = y;
    x = static_cast<double>((c * x0 - s * y0) + (1 - c) * 128 + s * 128);
    y = static_cast<double>((s * x0 + c * y0) + (1 - c) * 128 - s * 128);
}

void ApplyHRotate(std::int32_t phase, double& x) noexcept { x = Turn(phase, x); }
void ApplyVRotate(std::int32_t phase, double& y) noexcept { y = Turn(phase, y); }

void IntersectLeftEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t& x, std::int32_t& y) noexcept
{
    CrossVerticalEdge(0, x1, y1, x2, y2, x, y);
}

void IntersectRightEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                        std::int32_t& x, std::int32_t& y) noexcept
{
    CrossVerticalEdge(255, x1, y1, x2, y2, x, y);
}

void IntersectTopEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                      std::int32_t& x, std::int32_t& y) noexcept
{
    CrossHorizontalEdge(0, x1, y1, x2, y2, x, y);
}

void IntersectBottomEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                         std::int32_t& x, std::int32_t& y) noexcept
{
    CrossHorizontalEdge(255, x1, y1, x2, y2, x, y);
}
