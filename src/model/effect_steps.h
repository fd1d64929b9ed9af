#pragma once
// The per-point effect steps of the play loops and previews, and the edge
// crossings the text scrollers use to cut segments at the output square.
//
// Everything works in output space: 0..255 on both axes, centre (128, 128).
// Coordinates are doubles changed in place; phases and parameters are plain
// integers. Saved shows were made with these exact comparisons, thresholds
// and truncations, so a step that looks like it could be "tidied" (a 63 next
// to a 64, a 127 next to a 128) must stay as it is or shows play differently.
//
// Every function here is pure, allocates nothing and may run on any thread.

#include <cstdint>

/// Any thread. Horizontal stretch: x moves outward by phase (0..509) and
/// reflects at 0 and 255; phase 0 and 510 leave x unchanged.
void ApplyHStretch(std::int32_t phase, double& x) noexcept;
/// Any thread. Vertical stretch: the same arithmetic on y.
void ApplyVStretch(std::int32_t phase, double& y) noexcept;

/// Any thread. Horizontal bounce: x moves toward 0 by phase (0..509),
/// reflects at 0 and 255, and is back where it started at 510.
void ApplyHBounce(std::int32_t phase, double& x) noexcept;
/// Any thread. Vertical bounce: the same arithmetic on y.
void ApplyVBounce(std::int32_t phase, double& y) noexcept;

/// Any thread. Scales both coordinates about 128 by L/20 (L 0..40), truncating
/// to whole numbers; the result always lies in 0..255.
void ApplyGoboSize(std::int32_t L, double& x, double& y) noexcept;

/// Any thread. The output setting Size X (0..40, 20 is 1:1) applied to v; the
/// result lies in 0..255.
std::int32_t ApplySizeX(std::int32_t v, std::int32_t size) noexcept;
/// Any thread. The output setting Size Y, the same arithmetic as ApplySizeX.
std::int32_t ApplySizeY(std::int32_t v, std::int32_t size) noexcept;

/// Any thread. Rotates (x, y) about (128, 128) by degrees; with y downwards a
/// positive angle turns clockwise on screen. The centre itself never moves.
void RotateByAngle(std::int32_t degrees, double& x, double& y) noexcept;

/// A rotation about (128, 128) with its sine and cosine taken once; the same results as RotateByAngle.
struct PreparedRotation {
    long double c = 1, s = 0, kc = 0, ks = 0;
    std::int32_t degrees = 0;
    explicit PreparedRotation(std::int32_t angle = 0) noexcept;
    /// Re-prepares only when the angle differs.
    void Set(std::int32_t angle) noexcept;
    void Apply(double& x, double& y) const noexcept
    {
        if (x == 128 && y == 128)
            return;
        const long double x0 = x;
        const long double y0 = y;
        x = static_cast<double>((c * x0 - s * y0) + kc + ks);
        y = static_cast<double>((s * x0 + c * y0) + kc - ks);
    }
};

/// Any thread. Turn about the vertical axis, phase 0..255: the figure narrows
/// to the centre line and widens again mirrored. The result is a whole number.
void ApplyHRotate(std::int32_t phase, double& x) noexcept;
/// Any thread. Turn about the horizontal axis: the same arithmetic on y.
void ApplyVRotate(std::int32_t phase, double& y) noexcept;

/// Any thread. Where the line through (x1, y1) and (x2, y2) meets x = 0; a
/// vertical line or a single point gives (x2, y2).
void IntersectLeftEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t& x, std::int32_t& y) noexcept;
/// Any thread. Where the line meets x = 255; vertical or single point: (x2, y2).
void IntersectRightEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                        std::int32_t& x, std::int32_t& y) noexcept;
/// Any thread. Where the line meets y = 0; horizontal or single point: (x2, y2).
void IntersectTopEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                      std::int32_t& x, std::int32_t& y) noexcept;
/// Any thread. Where the line meets y = 255; horizontal or single point: (x2, y2).
void IntersectBottomEdge(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                         std::int32_t& x, std::int32_t& y) noexcept;
