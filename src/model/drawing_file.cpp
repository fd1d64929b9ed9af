#include "model/drawing_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr qsizetype kRecordSize = kDrawingRecordSize;
constexpr std::uint8_t kLastOfPath = 128;

std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

char DrawingByte(std::int32_t value, int divisor)
{
    // Integer division truncates toward zero before the clamp: -1 / 2 is 0.
    return static_cast<char>(static_cast<std::uint8_t>(std::clamp(value / divisor, 0, 255)));
}

}  // namespace

FileResult ReadDrawingFile(const QString& path, Drawing& paths, int factor)
{
    const FileBytes file = ReadFileBytes(path, kMaxDrawingFileBytes);
    if (!file.read() && !file.missing())
        return CannotOpen(path, file);
    paths = DrawingFromBytes(file.bytes, factor);
    return FileResult::Success();
}

Drawing DrawingFromBytes(const QByteArray& data, int factor)
{
    Drawing paths;
    // 1 to 4 trailing bytes do not make a record and are ignored.
    const qsizetype count = data.size() / kRecordSize;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    bool startPath = true;
    for (qsizetype i = 0; i < count; ++i) {
        const std::uint8_t* record = bytes + i * kRecordSize;
        if (startPath)
            paths.emplace_back();
        auto point = std::make_unique<LaserPoint>();
        point->x = Saturate(std::int64_t{record[0]} * factor);
        point->y = Saturate(std::int64_t{record[1]} * factor);
        point->z = record[2];
        point->colour = record[3];
        const std::uint8_t status = record[4];
        point->blank = (status != 0 && status != kLastOfPath) ? 1 : 0;
        paths.back().push_back(std::move(point));
        startPath = status >= kLastOfPath;
    }
    return paths;
}

FileResult WriteDrawingFile(const QString& path, const Drawing& paths, int divisor)
{
    if (divisor <= 0)
        divisor = 1;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(PointTotal(paths)) * kRecordSize);
    for (const Path& points : paths) {
        // The last point kept carries the end of the path.
        std::size_t last = points.size();
        for (std::size_t k = 0; k < points.size(); ++k) {
            if (points[k]->mark != kMarkErased)
                last = k;
        }
        for (std::size_t k = 0; k < points.size(); ++k) {
            const LaserPoint& p = *points[k];
            if (p.mark == kMarkErased)
                continue;
            std::uint8_t status = p.blank ? 1 : 0;
            if (k == last)
                status |= kLastOfPath;
            const char record[kRecordSize] = {
                DrawingByte(p.x, divisor), DrawingByte(p.y, divisor),
                static_cast<char>(static_cast<std::uint8_t>(p.z & 0xFF)),
                static_cast<char>(p.colour), static_cast<char>(status)};
            out.append(record, kRecordSize);
        }
    }
    return SaveWholeFile(path, out);
}

void DrawingToFrame(const Drawing& paths, TILDAframe& frame)
{
    frame.Points.clear();
    frame.Points.reserve(PointTotal(paths));
    // Paths are joined into one list; the blanked points that start them
    // keep the breaks.
    for (const Path& points : paths) {
        for (const auto& p : points) {
            if (p->mark == kMarkErased)
                continue;
            auto q = std::make_unique<LaserPoint>();
            q->x = Saturate(std::int64_t{p->x} - 128);
            q->y = Saturate(127 - std::int64_t{p->y});
            q->z = p->z;
            q->colour = p->colour;
            q->blank = p->blank;
            frame.Points.push_back(std::move(q));
        }
    }
}

void FrameToDrawing(Drawing& paths, const TILDAframe& frame)
{
    paths.clear();
    Path points;
    points.reserve(frame.Points.size());
    for (const auto& p : frame.Points) {
        if (p->mark == kMarkErased)
            continue;
        auto q = std::make_unique<LaserPoint>();
        q->x = Saturate(std::int64_t{p->x} + 128);
        q->y = Saturate(127 - std::int64_t{p->y});
        q->colour = p->colour;
        q->blank = p->blank;
        points.push_back(std::move(q));
    }
    paths.push_back(std::move(points));
}
