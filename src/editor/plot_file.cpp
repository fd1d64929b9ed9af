#include "editor/plot_file.h"

#include "model/file_io.h"
#include "model/show_text.h"
#include "model/trunc_to_int.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Trims blanks and control characters at both ends, as the plotter lines are compared.
QByteArray Trimmed(const QByteArray& line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && static_cast<unsigned char>(line[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(line[end - 1]) <= ' ')
        --end;
    return line.mid(begin, end - begin);
}

bool IsPoint(const QByteArray& line)
{
    return line.startsWith("PU") || line.startsWith("PD");
}

bool IsPenOnly(const QByteArray& line)
{
    return line == "PU;" || line == "PD;" || line == "PU" || line == "PD";
}

// "PUx y;": x before the first space, y after it without the last character.
std::optional<std::pair<std::int32_t, std::int32_t>> ParsePoint(const QByteArray& line)
{
    const QByteArray rest = line.mid(2);
    const qsizetype space = rest.indexOf(' ');
    if (space < 0)
        return std::nullopt;
    const QByteArray yText = rest.mid(space + 1);
    if (yText.isEmpty())
        return std::nullopt;
    const std::optional<std::int32_t> x = ParseInt32(QString::fromLatin1(rest.left(space)));
    const std::optional<std::int32_t> y = ParseInt32(QString::fromLatin1(yText.left(yText.size() - 1)));
    if (!x || !y)
        return std::nullopt;
    return std::pair{*x, *y};
}

// The bad line as the operator may find it in the file: 1-based, the text cut short.
QString BadLineText(std::size_t index, const QByteArray& line)
{
    constexpr qsizetype kShown = 40;
    QString text = QString::fromLatin1(line.left(kShown));
    if (line.size() > kShown)
        text += QStringLiteral("...");
    return QStringLiteral("a point line could not be read: line %1 \"%2\"").arg(index + 1).arg(text);
}

struct RawPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

}  // namespace

PltImport ParsePlt(const QByteArray& text, int thinning, int sizeStep, std::uint8_t colour)
{
    // Only a line feed ends a line: a carriage return inside a line is a fault of the line.
    std::vector<QByteArray> lines;
    for (const QByteArray& line : text.split('\n'))
        lines.push_back(Trimmed(line));
    if (!lines.empty() && lines.back().isEmpty() && text.endsWith('\n'))
        lines.pop_back();

    auto firstSeparator = std::find_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("LT"); });
    if (firstSeparator == lines.end())
        return {PltImport::Status::NoSeparator, {}, QStringLiteral("no path found in this file")};

    std::vector<std::vector<RawPoint>> raw;
    std::int64_t minX = std::numeric_limits<std::int64_t>::max();
    std::int64_t minY = minX;
    std::int64_t maxX = std::numeric_limits<std::int64_t>::min();
    std::int64_t maxY = maxX;
    bool anyPoint = false;

    auto next = firstSeparator + 1;
    bool endedAtSeparator = true;
    while (endedAtSeparator) {
        // Through the next "LT" line, else through "SP0;", else nothing (an empty last path).
        auto end = std::find_if(next, lines.end(), [](const QByteArray& l) { return l.startsWith("LT"); });
        endedAtSeparator = end != lines.end();
        if (!endedAtSeparator)
            end = std::find(next, lines.end(), QByteArray("SP0;"));
        std::vector<RawPoint>& path = raw.emplace_back();
        if (end == lines.end())
            break;
        for (auto it = next; it != end + 1; ++it) {
            if (!IsPoint(*it) || IsPenOnly(*it))
                continue;
            const auto point = ParsePoint(*it);
            if (!point)
                return {PltImport::Status::ReadError, {}, BadLineText(std::size_t(it - lines.begin()), *it)};
            const RawPoint p{point->first, point->second};
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
            anyPoint = true;
            path.push_back(p);
        }
        next = end + 1;
    }

    PltImport result;
    const std::int64_t step = std::max(sizeStep, 0) + 1;
    std::int64_t d = 1;
    if (anyPoint)
        d = std::max<std::int64_t>(std::max((maxX - minX) / 512, (maxY - minY) / 512), 1);
    const std::int64_t limit = static_cast<std::int64_t>(std::max(thinning, 0)) * std::max(thinning, 0);
    for (const std::vector<RawPoint>& rawPath : raw) {
        Path& path = result.paths.emplace_back();
        std::int64_t px = 0;
        std::int64_t py = 0;
        for (std::size_t i = 0; i < rawPath.size(); ++i) {
            const std::int32_t x = TruncToInt(static_cast<long double>(rawPath[i].x - minX) / (d * step));
            // The plotter's y grows upwards, the canvas's downwards.
            const std::int32_t y = 510 - TruncToInt(static_cast<long double>(rawPath[i].y - minY) / (d * step));
            if (i > 0) {
                const std::int64_t dx = px - x;
                const std::int64_t dy = py - y;
                // A short diagonal step goes; a level or plumb one always stays.
                if (dx * dx + dy * dy < limit && x != px && y != py)
                    continue;
            }
            px = x;
            py = y;
            auto point = std::make_unique<LaserPoint>();
            point->x = x;
            point->y = y;
            point->colour = colour;
            point->blank = i == 0 ? 1 : 0;
            path.push_back(std::move(point));
        }
    }
    return result;
}

PltImport ReadPltFile(const QString& path, int thinning, int sizeStep, std::uint8_t colour)
{
    if (path.isEmpty())
        return {PltImport::Status::Missing, {}, QStringLiteral("no file chosen")};
    const FileBytes file = ReadFileBytes(path);
    if (file.read())
        return ParsePlt(file.bytes, thinning, sizeStep, colour);
    // Only a regular file is a plot file: a folder or a pipe is not found either.
    if (file.missing() || !QFileInfo(path).isFile())
        return {PltImport::Status::Missing, {}, QStringLiteral("file not found: ") + path};
    return {PltImport::Status::Unreadable, {}, QStringLiteral("the file could not be read: ") + file.reason};
}
