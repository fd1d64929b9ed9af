#include "editor/hit_tests.h"

bool PointBoxHit(const LaserPoint& q, int px, int py)
{
    const long long dx = (long long)q.x - px;
    const long long dy = (long long)q.y - py;
    return dx > -5 && dx < 5 && dy > -5 && dy < 5;
}

bool SegmentHit(const LaserPoint& s, const LaserPoint& e, int px, int py)
{
    // Double throughout: the squares overflow 32-bit integers for far-off points.
    const double a = double(s.y) - e.y;
    const double b = double(e.x) - s.x;
    const double c = double(s.x) * e.y - double(e.x) * s.y;
    const double norm = a * a + b * b;
    if (norm == 0)
        return PointBoxHit(s, px, py);
    const double along = a * px + b * py + c;
    const double d2 = along * along / norm;
    const double t1 = (double(s.x) - px) * (double(e.x) - px);
    const double t2 = (double(s.y) - py) * (double(e.y) - py);
    return d2 < 5.0 && (t1 < 0 || t2 < 0);
}

bool BoxHit(const LaserPoint& q, int ax, int ay, int bx, int by)
{
    const long long x = q.x;
    const long long y = q.y;
    return (ax - x) * (bx - x) < 1 && (ay - y) * (by - y) < 1;
}
