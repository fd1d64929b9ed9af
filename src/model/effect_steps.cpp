#include "model/effect_steps.h"

#include "model/effect_step_arithmetic.h"
#include "model/slope_line.h"
#include "model/trunc_to_int.h"

#include <algorithm>
#include <cmath>

// The rotation is formed in extended precision and the edge slopes are held
// in single precision, as shows were tuned with; the arithmetic of the other
// per-point steps lives in effect_step_arithmetic.h.

namespace {

using namespace effect_arithmetic;

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

PreparedRotation::PreparedRotation(std::int32_t angle) noexcept
    : degrees(angle)
{
    // The angle is formed exactly as RotateByAngle forms it, so every product
    // and sum below is the same extended-precision value.
    const double a = static_cast<double>(degrees * 3.1415926L * (1.0L / 180.0L));
    c = std::cos(static_cast<long double>(a));
    s = std::sin(static_cast<long double>(a));
    kc = (1 - c) * 128;
    ks = s * 128;
}

void PreparedRotation::Set(std::int32_t angle) noexcept
{
    if (angle != degrees)
        *this = PreparedRotation(angle);
}

void ApplyHRotate(std::int32_t phase, double& x) noexcept { x = Turn(TurnDepth(phase), x); }
void ApplyVRotate(std::int32_t phase, double& y) noexcept { y = Turn(TurnDepth(phase), y); }

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
