#include "model/ilda_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr qsizetype kHeaderSize = 32;
// The closing header ends after its count: tag, format, names, count.
constexpr qsizetype kClosingHeaderSize = 26;
constexpr qsizetype kPointSizeWithZ = 8;
constexpr qsizetype kPointSizeWithoutZ = 6;
constexpr qsizetype kColourSize = 3;

constexpr std::uint8_t kFirstPaletteFormat = 2;
constexpr std::uint8_t kLastPaletteFormat = 3;

constexpr std::uint8_t kStatusLast = 0x80;
constexpr std::uint8_t kStatusBlank = 0x40;

constexpr std::uint32_t kMaxSixteenBit = std::numeric_limits<std::uint16_t>::max();

// Bounds-checked big-endian view over the file's bytes.
class Bytes {
public:
    explicit Bytes(const QByteArray& data) : data_(data) {}

    qsizetype size() const { return data_.size(); }
    bool has(qsizetype pos, qsizetype count) const
    {
        return pos >= 0 && count >= 0 && pos <= size() && count <= size() - pos;
    }
    std::uint8_t u8(qsizetype pos) const { return static_cast<std::uint8_t>(data_[pos]); }
    // The bytes from pos on, for a run whose bounds were checked with has().
    const unsigned char* at(qsizetype pos) const
    {
        return reinterpret_cast<const unsigned char*>(data_.constData()) + pos;
    }
    std::uint16_t u16(qsizetype pos) const
    {
        return static_cast<std::uint16_t>((u8(pos) << 8) | u8(pos + 1));
    }
    // Names are 8 raw bytes, padded with NULs by most writers; only ever displayed.
    QString name(qsizetype pos) const
    {
        const char* begin = data_.constData() + pos;
        const char* end = std::find(begin, begin + 8, '\0');
        return QString::fromLatin1(begin, end - begin);
    }
    bool isTag(qsizetype pos) const
    {
        return has(pos, 4) && data_[pos] == 'I' && data_[pos + 1] == 'L' && data_[pos + 2] == 'D'
               && data_[pos + 3] == 'A';
    }

private:
    const QByteArray& data_;
};

// The records of the image being replaced, handed out again for the points
// read. Reloading an image (the players do it on every start) then costs no
// heap traffic per point: freeing and reallocating a 16-byte record per point
// is most of a reader's time otherwise. Every field of a reused record is
// overwritten.
class PointRecords {
public:
    explicit PointRecords(TILDAimage& old)
    {
        std::size_t total = 0;
        for (const TILDAframe& frame : old.Frames)
            total += frame.Points.size();
        spare_.reserve(total);
        for (TILDAframe& frame : old.Frames)
            for (auto& p : frame.Points)
                spare_.push_back(std::move(p));
        old.Frames.clear();
    }

    std::unique_ptr<LaserPoint> Make(const LaserPoint& value)
    {
        if (next_ == spare_.size())
            return std::make_unique<LaserPoint>(value);
        // Handed out in their old order, so the writes walk memory forwards.
        std::unique_ptr<LaserPoint> p = std::move(spare_[next_++]);
        *p = value;
        return p;
    }

private:
    Path spare_;
    std::size_t next_ = 0;
};

FileResult ReadError()
{
    return FileResult::Failure(QString::fromLatin1(kIldaReadError));
}

// Reads the palette section at pos; returns the position after it, or -1 when
// the section runs past the data.
qsizetype ReadPalette(const Bytes& in, qsizetype pos, TILDAimage& image)
{
    if (!in.has(pos, kHeaderSize))
        return -1;
    const std::uint16_t count = in.u16(pos + 24);
    const qsizetype begin = pos + kHeaderSize;
    if (!in.has(begin, count * kColourSize))
        return -1;

    TILDAcolorplatte palette;
    palette.Name = in.name(pos + 8);
    palette.Company = in.name(pos + 16);
    palette.ColourCount = count;
    palette.PaletteNumber = in.u16(pos + 26);
    palette.Reserved = in.u16(pos + 28);
    palette.Projector = in.u8(pos + 30);
    palette.Reserved2 = in.u8(pos + 31);
    palette.Colours.reserve(count);
    for (qsizetype at = begin; at < begin + count * kColourSize; at += kColourSize)
        palette.Colours.push_back({in.u8(at), in.u8(at + 1), in.u8(at + 2)});
    image.Palettes.push_back(std::move(palette));
    return begin + count * kColourSize;
}

constexpr qsizetype kEndOfImage = -2;

// Reads the frame section at pos. The frame holds the records its header
// counts: other programs set the last-point bit on a frame's first point, so
// the bit cannot be trusted to end a frame. Returns the position after the
// section, kEndOfImage for a closing header (count 0), or -1 when the section
// runs past the data.
qsizetype ReadFrame(const Bytes& in, qsizetype pos, bool withZ, TILDAimage& image,
                    PointRecords& records)
{
    if (!in.has(pos, kClosingHeaderSize))
        return -1;
    const std::uint16_t count = in.u16(pos + 24);
    if (count == 0)
        return kEndOfImage;
    if (!in.has(pos, kHeaderSize))
        return -1;
    const qsizetype recordSize = withZ ? kPointSizeWithZ : kPointSizeWithoutZ;
    const qsizetype begin = pos + kHeaderSize;
    const qsizetype end = begin + count * recordSize;
    if (!in.has(begin, count * recordSize))
        return -1;

    TILDAframe frame;
    frame.Name = in.name(pos + 8);
    frame.Company = in.name(pos + 16);
    frame.PointCount = count;
    frame.FrameNumber = in.u16(pos + 26);
    frame.TotalFrames = in.u16(pos + 28);
    frame.ScannerHead = in.u8(pos + 30);
    frame.Reserved = in.u8(pos + 31);
    frame.Points.reserve(count);
    const qsizetype statusOffset = withZ ? 6 : 4;
    // The whole run was checked above: the records are read straight from the bytes.
    const unsigned char* record = in.at(begin);
    for (std::uint32_t i = 0; i < count; ++i, record += recordSize) {
        LaserPoint point;
        // Only the high byte of a coordinate is kept, as a signed value.
        point.x = static_cast<std::int8_t>(record[0]);
        point.y = static_cast<std::int8_t>(record[2]);
        point.z = withZ ? static_cast<std::int8_t>(record[4]) : 0;
        point.colour = record[statusOffset + 1];
        point.blank = (record[statusOffset] & kStatusBlank) ? 1 : 0;
        frame.Points.push_back(records.Make(point));
    }
    image.Frames.push_back(std::move(frame));
    return end;
}

void AppendBigEndian16(QByteArray& out, std::uint32_t value)
{
    out.append(static_cast<char>((value >> 8) & 0xFF));
    out.append(static_cast<char>(value & 0xFF));
}

// Tag, three zeros, format 0, both names and the count: the part of a header
// that the closing header also has.
void AppendHeaderStart(QByteArray& out, std::uint32_t count)
{
    out.append("ILDA", 4);
    out.append(4, '\0');
    out.append("IIIIIIII", 8);
    out.append("IIIIIIII", 8);
    AppendBigEndian16(out, count);
}

// The format keeps one signed byte per coordinate; clamp rather than let the
// low byte wrap a far-off point to the other side of the field.
char CoordinateByte(std::int32_t value)
{
    return static_cast<char>(static_cast<std::int8_t>(std::clamp<std::int32_t>(value, -128, 127)));
}

void AppendPoint(QByteArray& out, std::int32_t x, std::int32_t y, std::uint8_t status,
                 std::uint8_t colour)
{
    const char record[kPointSizeWithZ] = {
        CoordinateByte(x), 0, CoordinateByte(y), 0, 0, 0,
        static_cast<char>(status), static_cast<char>(colour)};
    out.append(record, kPointSizeWithZ);
}

}  // namespace

FileResult ReadIldaFile(const QString& path, TILDAimage& image)
{
    const FileBytes file = ReadFileBytes(path, kMaxIldaFileBytes);
    if (!file.read() && !file.missing())
        return CannotOpen(path, file);
    return ReadIldaBytes(file.bytes, image);
}

FileResult ReadIldaBytes(const QByteArray& bytes, TILDAimage& image)
{
    PointRecords records(image);  // empties image.Frames
    image.Palettes.clear();

    const Bytes in(bytes);
    qsizetype pos = 0;
    while (pos < in.size()) {
        if (!in.isTag(pos))
            return ReadError();
        if (!in.has(pos, 8))
            return ReadError();
        const std::uint8_t format = in.u8(pos + 7);
        // Formats 4 and 5 hold points with true colours in other layouts;
        // read as a palette they would turn point bytes into colours.
        if (format > kLastPaletteFormat)
            return ReadError();
        const qsizetype next = format >= kFirstPaletteFormat ? ReadPalette(in, pos, image)
                                                             : ReadFrame(in, pos, format == 0, image, records);
        if (next == kEndOfImage)
            break;
        if (next < 0)
            return ReadError();
        pos = next;
    }
    return FileResult::Success();
}

FileResult WriteIldaFile(const QString& path, const TILDAimage& image)
{
    const std::size_t frameCount = image.Frames.size();
    if (frameCount > kMaxSixteenBit)
        return FileResult::Failure(
            QStringLiteral("too many frames to save as ILDA: %1 (at most %2)")
                .arg(frameCount)
                .arg(kMaxSixteenBit));

    std::vector<std::vector<const LaserPoint*>> kept(frameCount);
    for (std::size_t i = 0; i < frameCount; ++i) {
        for (const auto& p : image.Frames[i].Points) {
            if (p->mark != kMarkErased)
                kept[i].push_back(p.get());
        }
    }

    qsizetype size = kClosingHeaderSize;
    for (std::size_t i = 0; i < frameCount; ++i) {
        const std::size_t points = kept[i].size();
        if (points > kMaxSixteenBit)
            return FileResult::Failure(
                QStringLiteral("frame %1 has too many points to save as ILDA: %2 (at most %3)")
                    .arg(i + 1)
                    .arg(points)
                    .arg(kMaxSixteenBit));
        size += kHeaderSize + kPointSizeWithZ * static_cast<qsizetype>(std::max<std::size_t>(points, 1));
    }

    QByteArray out;
    out.reserve(size);
    for (std::size_t i = 0; i < frameCount; ++i) {
        const std::vector<const LaserPoint*>& points = kept[i];
        // A count of 0 would end the file for every reader, cutting off the
        // frames after it; an empty frame is saved as one dark point instead.
        AppendHeaderStart(out, static_cast<std::uint32_t>(std::max<std::size_t>(points.size(), 1)));
        AppendBigEndian16(out, static_cast<std::uint32_t>(i));
        AppendBigEndian16(out, static_cast<std::uint32_t>(frameCount));
        out.append(2, '\0');  // scanner head, reserved
        if (points.empty()) {
            AppendPoint(out, 0, 0, kStatusLast | kStatusBlank, 0);
            continue;
        }
        for (std::size_t k = 0; k < points.size(); ++k) {
            const LaserPoint& p = *points[k];
            std::uint8_t status = p.blank ? kStatusBlank : 0;
            if (k + 1 == points.size())
                status |= kStatusLast;
            AppendPoint(out, p.x, p.y, status, p.colour);
        }
    }
    AppendHeaderStart(out, 0);

    return SaveWholeFile(path, out);
}
