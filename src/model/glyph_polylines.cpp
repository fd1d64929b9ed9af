#include "model/glyph_polylines.h"

#include "model/trunc_to_int.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

struct CellPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool corner = false;
};

// 16.16 to pixels plus half a pixel, in single precision: the fraction is
// scaled by 1/65536 and the half added after, so -1 + 0xFFFF/65536 lands just
// below 0.5.
float FixedToFloat(std::int32_t raw)
{
    const std::int32_t whole = raw >> 16;
    const auto fraction = static_cast<std::uint16_t>(raw & 0xFFFF);
    return static_cast<float>(whole) + static_cast<float>(fraction) * (1.0f / 65536.0f) + 0.5f;
}

// A spline record becomes a polyline through the midpoints of consecutive
// control points: each piece lists its start once more, then the midpoint,
// both inside the curve; the record's end point is a corner.
void AppendSpline(const std::vector<CellPoint>& q, std::vector<CellPoint>& list)
{
    if (q.empty())
        return;
    for (std::size_t i = 0; i + 1 < q.size(); ++i) {
        const CellPoint p0 = list.back();
        const CellPoint& c = q[i];
        const CellPoint& n = q[i + 1];
        // 64-bit sums: saturated cell coordinates must not overflow.
        const CellPoint m{static_cast<std::int32_t>((std::int64_t{c.x} + n.x) / 2),
                          static_cast<std::int32_t>((std::int64_t{c.y} + n.y) / 2), false};
        const auto c1x = static_cast<float>(p0.x / 3 + (2 * std::int64_t{c.x}) / 3);
        const auto c1y = static_cast<float>(p0.y / 3 + (2 * std::int64_t{c.y}) / 3);
        const auto c2x = static_cast<float>((2 * std::int64_t{c.x}) / 3 + m.x / 3);
        const auto c2y = static_cast<float>((2 * std::int64_t{c.y}) / 3 + m.y / 3);
        // Sampled at t = 0 and t = 1 only: the piece's two ends.
        for (float t = 0.0f; t <= 1.0f; t += 1.0f) {
            const float u = 1.0f - t;
            const float bx = u * u * u * static_cast<float>(p0.x) + 3 * t * u * u * c1x + 3 * t * t * u * c2x
                             + t * t * t * static_cast<float>(m.x);
            const float by = u * u * u * static_cast<float>(p0.y) + 3 * t * u * u * c1y + 3 * t * t * u * c2y
                             + t * t * t * static_cast<float>(m.y);
            list.push_back({TruncToInt(bx), TruncToInt(by), false});
        }
    }
    CellPoint last = q.back();
    last.corner = true;
    list.push_back(last);
}

bool ContainsByte(const char* set, const QByteArray& character)
{
    return character.size() == 1 && std::char_traits<char>::find(set, std::char_traits<char>::length(set), character[0]);
}

int Factor(int f)
{
    return std::max(f, 1);
}

}  // namespace

ReferenceScale ScaleOf(const BlackBox& reference)
{
    const std::int64_t d = static_cast<std::int64_t>(reference.boxX) + reference.originX;
    return {static_cast<std::int32_t>(std::clamp<std::int64_t>(d, INT32_MIN, INT32_MAX)),
            static_cast<std::int32_t>(std::min<std::uint32_t>(reference.boxY, INT32_MAX))};
}

void OutlinePointToCell(PointFx point, const GlyphBox& box, const ReferenceScale& scale,
                        std::int32_t& x, std::int32_t& y)
{
    const float fxv = FixedToFloat(point.x);
    const float fyv = FixedToFloat(point.y);
    x = TruncToInt(static_cast<double>(box.width) * (static_cast<double>(fxv) / scale.D) + box.x0);
    y = TruncToInt(static_cast<double>(box.height) * ((scale.B - static_cast<double>(fyv)) / scale.D) + box.y0);
}

void ThinPath(Path& path, int distance)
{
    if (path.empty())
        return;
    const std::int64_t limit = static_cast<std::int64_t>(distance) * distance;
    const LaserPoint* ref = path.front().get();
    std::vector<bool> drop(path.size(), false);
    for (std::size_t i = 1; i < path.size(); ++i) {
        const LaserPoint* p = path[i].get();
        const std::int64_t dx = static_cast<std::int64_t>(ref->x) - p->x;
        const std::int64_t dy = static_cast<std::int64_t>(ref->y) - p->y;
        if (dx * dx + dy * dy < limit)
            drop[i] = true;
        else
            ref = p;
    }
    std::size_t i = 0;
    std::erase_if(path, [&](const std::unique_ptr<LaserPoint>&) { return drop[i++]; });
}

void GlyphToPolylines(GlyphOutlineSource& source, const GlyphRequest& request, Path& output,
                      std::optional<int> thinningDistance)
{
    const QByteArray& text = request.text;
    // A character GBK cannot hold comes by its code point and counts as two bytes.
    const bool byCodePoint = text.isEmpty();
    if (byCodePoint && request.unicode == 0)
        return;
    const std::int32_t W = request.cell.right - request.cell.left;
    const std::int32_t H = request.cell.bottom - request.cell.top;
    const auto L = byCodePoint ? std::int32_t{2} : static_cast<std::int32_t>(text.size());
    const std::int32_t advance = W / L;

    const std::optional<BlackBox> reference = source.ReferenceMetrics(request.font);
    const ReferenceScale scale = reference ? ScaleOf(*reference) : ReferenceScale{};

    for (std::int32_t k = 0; k < L;) {
        const GlyphBox box{request.cell.left + k * advance, request.cell.top, 2 * advance, H};
        GlyphOutline outline;
        if (byCodePoint) {
            outline = source.UnicodeOutline(request.font, request.unicode);
            k = L;
        } else {
            const auto lead = static_cast<unsigned char>(text[k]);
            std::uint16_t code = lead;
            if (lead < 0x80) {
                k += 1;
            } else {
                if (k + 1 >= L)  // a lead byte without its second byte
                    break;
                code = static_cast<std::uint16_t>(lead * 256 + static_cast<unsigned char>(text[k + 1]));
                k += 2;
            }
            outline = source.Outline(request.font, code);
        }
        if (outline.status == GlyphOutline::Status::NoOutline)
            break;
        if (outline.status == GlyphOutline::Status::ReadFailed)
            return;
        // Without a usable reference glyph the scale is unknown: nothing for this character.
        if (scale.D <= 0)
            continue;

        auto convert = [&](PointFx p, bool corner) {
            CellPoint c;
            OutlinePointToCell(p, box, scale, c.x, c.y);
            c.corner = corner;
            return c;
        };
        for (const OutlineContour& contour : outline.contours) {
            std::vector<CellPoint> list;
            list.push_back(convert(contour.start, true));
            for (const OutlineRecord& record : contour.records) {
                if (record.type == kOutlineLine) {
                    for (const PointFx& p : record.points)
                        list.push_back(convert(p, true));
                } else {
                    std::vector<CellPoint> q;
                    q.reserve(record.points.size());
                    for (const PointFx& p : record.points)
                        q.push_back(convert(p, false));
                    AppendSpline(q, list);
                }
            }
            list.push_back(list.front());  // closed

            for (std::size_t i = 0; i < list.size(); ++i) {
                auto point = std::make_unique<LaserPoint>();
                point->x = list[i].x;
                point->y = list[i].y;
                point->z = list[i].corner ? 2 : 0;
                point->colour = request.colour;
                point->mark = kMarkNone;
                point->blank = i == 0 ? 1 : 0;
                output.push_back(std::move(point));
            }
        }
    }
    if (thinningDistance)
        ThinPath(output, *thinningDistance);
}

CellRect CharacterCell(const QByteArray& character, int widthFactor, int heightFactor)
{
    const int F = Factor(widthFactor);
    const int G = Factor(heightFactor);
    const int width = ContainsByte("wWmM", character) ? 180 : 256;
    return {0, 0, width / F, 256 / G};
}

std::int32_t NarrowLetterShift(const QByteArray& character, int widthFactor)
{
    return ContainsByte("ijlrtfIJ", character) ? 1000 / (9 * Factor(widthFactor)) : 0;
}
