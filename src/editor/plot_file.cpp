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
QByteArrayView Trimmed(QByteArrayView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && static_cast<unsigned char>(line[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(line[end - 1]) <= ' ')
        --end;
    return line.sliced(begin, end - begin);
}

bool IsPoint(QByteArrayView line)
{
    return line.startsWith("PU") || line.startsWith("PD");
}

bool IsPenOnly(QByteArrayView line)
{
    return line == "PU;" || line == "PD;" || line == "PU" || line == "PD";
}

bool IsSeparator(QByteArrayView line)
{
    return line.startsWith("LT");
}

// "PUx y;": x before the first space, y after it without the last character.
std::optional<std::pair<std::int32_t, std::int32_t>> ParsePoint(QByteArrayView line)
{
    const QByteArrayView rest = line.sliced(2);
    const qsizetype space = rest.indexOf(' ');
    if (space < 0)
        return std::nullopt;
    const QByteArrayView yText = rest.sliced(space + 1);
    if (yText.isEmpty())
        return std::nullopt;
    // A number is at most a few characters: a longer field is no number, and is not copied.
    constexpr qsizetype kLongestNumber = 64;
    if (space > kLongestNumber || yText.size() > kLongestNumber)
        return std::nullopt;
    const std::optional<std::int32_t> x = ParseInt32(QString::fromLatin1(rest.first(space)));
    const std::optional<std::int32_t> y = ParseInt32(QString::fromLatin1(yText.first(yText.size() - 1)));
    if (!x || !y)
        return std::nullopt;
    return std::pair{*x, *y};
}

// The bad line as the operator may find it in the file: 1-based, the text cut short.
QString BadLineText(qsizetype index, QByteArrayView line)
{
    constexpr qsizetype kShown = 40;
    QString text = QString::fromLatin1(line.first(std::min(line.size(), kShown)));
    if (line.size() > kShown)
        text += QStringLiteral("...");
    return QStringLiteral("a point line could not be read: line %1 \"%2\"").arg(index + 1).arg(text);
}

// The next line (only a line feed ends one: a carriage return inside a line
// is a fault of the line), trimmed; false at the end. A final line feed adds
// no line.
bool NextPlotLine(QByteArrayView text, qsizetype& pos, QByteArrayView& line)
{
    if (pos >= text.size())
        return false;
    qsizetype end = text.indexOf('\n', pos);
    if (end < 0)
        end = text.size();
    line = Trimmed(text.sliced(pos, end - pos));
    pos = end + 1;
    return true;
}

// The extent of the points read so far, and the first bad point line.
struct Extent {
    std::int64_t minX = std::numeric_limits<std::int64_t>::max();
    std::int64_t minY = std::numeric_limits<std::int64_t>::max();
    std::int64_t maxX = std::numeric_limits<std::int64_t>::min();
    std::int64_t maxY = std::numeric_limits<std::int64_t>::min();
    bool anyPoint = false;
    qsizetype badLine = -1;
    QByteArrayView badText;  // the bad line, a view into the text being parsed

    void Add(std::int64_t x, std::int64_t y)
    {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
        anyPoint = true;
    }
    void Join(const Extent& other)
    {
        if (badLine < 0) {
            badLine = other.badLine;
            badText = other.badText;
        }
        if (!other.anyPoint)
            return;
        Add(other.minX, other.minY);
        Add(other.maxX, other.maxY);
    }
};

}  // namespace

// Two passes over the text, keeping nothing per line: the first finds the
// paths, the extent and the first bad line; the second makes the points.
PltImport ParsePlt(const QByteArray& text, int thinning, int sizeStep, std::uint8_t colour)
{
    // A path runs from an "LT" line to the next; the last one through its
    // first "SP0;" line, or it is empty and unread.
    qsizetype firstSeparator = -1;
    qsizetype lastSeparator = -1;
    qsizetype lastEnd = -1;  // the "SP0;" line ending the last path
    Extent whole;            // of the paths closed so far
    Extent open;             // of the path being read
    Extent beforeEnd;        // of the last path up to its "SP0;"
    std::size_t paths = 0;   // one a separator, made at once in the second pass
    {
        qsizetype pos = 0;
        QByteArrayView line;
        for (qsizetype index = 0; NextPlotLine(text, pos, line); ++index) {
            if (IsSeparator(line)) {
                ++paths;
                if (firstSeparator >= 0)
                    whole.Join(open);
                else
                    firstSeparator = index;
                lastSeparator = index;
                lastEnd = -1;
                open = Extent();
                continue;
            }
            if (firstSeparator < 0)
                continue;
            if (lastEnd < 0 && line == "SP0;") {
                lastEnd = index;
                beforeEnd = open;
            }
            if (!IsPoint(line) || IsPenOnly(line))
                continue;
            if (const auto point = ParsePoint(line))
                open.Add(point->first, point->second);
            else if (open.badLine < 0) {
                open.badLine = index;
                open.badText = line;
            }
        }
    }
    if (firstSeparator < 0)
        return {PltImport::Status::NoSeparator, {}, QStringLiteral("no path found in this file")};
    if (lastEnd >= 0)
        whole.Join(beforeEnd);
    if (whole.badLine >= 0)
        return {PltImport::Status::ReadError, {}, BadLineText(whole.badLine, whole.badText)};

    PltImport result;
    // Made to size: a list of paths that grows by doubling holds up to three
    // times their size while it moves, and a file of many short paths has millions.
    result.paths.reserve(paths);
    const std::int64_t step = std::max(sizeStep, 0) + 1;
    std::int64_t d = 1;
    if (whole.anyPoint)
        d = std::max<std::int64_t>(std::max((whole.maxX - whole.minX) / 512, (whole.maxY - whole.minY) / 512), 1);
    const std::int64_t limit = static_cast<std::int64_t>(std::max(thinning, 0)) * std::max(thinning, 0);
    std::size_t i = 0;
    std::int64_t px = 0;
    std::int64_t py = 0;
    qsizetype pos = 0;
    QByteArrayView line;
    for (qsizetype index = 0; NextPlotLine(text, pos, line); ++index) {
        if (index < firstSeparator)
            continue;
        if (IsSeparator(line)) {
            result.paths.emplace_back();
            i = 0;
            continue;
        }
        // The last path holds nothing past its "SP0;", and nothing without one.
        if (index > lastSeparator && (lastEnd < 0 || index > lastEnd))
            break;
        if (!IsPoint(line) || IsPenOnly(line))
            continue;
        const auto point = ParsePoint(line);
        const std::int32_t x = TruncToInt(static_cast<long double>(point->first - whole.minX) / (d * step));
        // The plotter's y grows upwards, the canvas's downwards.
        const std::int32_t y = 510 - TruncToInt(static_cast<long double>(point->second - whole.minY) / (d * step));
        if (i > 0) {
            const std::int64_t dx = px - x;
            const std::int64_t dy = py - y;
            // A short diagonal step goes; a level or plumb one always stays.
            if (dx * dx + dy * dy < limit && x != px && y != py) {
                ++i;
                continue;
            }
        }
        px = x;
        py = y;
        auto p = std::make_unique<LaserPoint>();
        p->x = x;
        p->y = y;
        p->colour = colour;
        p->blank = i == 0 ? 1 : 0;
        result.paths.back().push_back(std::move(p));
        ++i;
    }
    return result;
}

PltImport ReadPltFile(const QString& path, int thinning, int sizeStep, std::uint8_t colour)
{
    if (path.isEmpty())
        return {PltImport::Status::Missing, {}, QStringLiteral("no file chosen")};
    const FileBytes file = ReadFileBytes(path, kMaxPltFileBytes);
    if (file.read())
        return ParsePlt(file.bytes, thinning, sizeStep, colour);
    // Only a regular file is a plot file: a folder or a pipe is not found either.
    if (file.missing() || !QFileInfo(path).isFile())
        return {PltImport::Status::Missing, {}, QStringLiteral("file not found: ") + path};
    if (QFileInfo(path).size() > kMaxPltFileBytes)
        return {PltImport::Status::Unreadable, {}, QStringLiteral("the file could not be read: ") + CannotOpenMessage(path, file.reason)};
    return {PltImport::Status::Unreadable, {}, QStringLiteral("the file could not be read: ") + file.reason};
}
