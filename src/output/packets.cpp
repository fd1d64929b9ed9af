#include "output/packets.h"

namespace {

std::uint8_t ToCoordinate(double v)
{
    // Clamp in doubles first: converting NaN or an out-of-range double is undefined.
    if (!(v > 0.0))
        return 0;
    if (v >= 255.0)
        return 255;
    return static_cast<std::uint8_t>(v);
}

}  // namespace

DevicePoint MakeDevicePoint(double x, double y, std::uint8_t colour, std::uint8_t blank,
                            std::int32_t z, PointDraw pointDraw)
{
    DevicePoint p;
    p.x = ToCoordinate(x);
    p.y = ToCoordinate(y);
    // An unknown code would leave the beam colour to the firmware's mercy; dark is safe.
    p.colour = colour <= kMaxDeviceColour ? colour : 0;
    if (blank != 0 || pointDraw == PointDraw::On)
        p.flags |= kPointFlagBlank;
    if (z > 1)
        p.flags += kPointFlagVertex;
    return p;
}

FramePacket::FramePacket() : buffer_(kMaxBytes) {}

void FramePacket::Clear()
{
    count_ = 0;
    dropped_ = 0;
}

bool FramePacket::Append(const DevicePoint& point)
{
    if (count_ == kMaxPoints) {
        ++dropped_;
        return false;
    }
    std::uint8_t* at = buffer_.data() + count_ * sizeof(DevicePoint);
    at[0] = point.x;
    at[1] = point.y;
    at[2] = point.colour;
    at[3] = point.flags;
    ++count_;
    return true;
}

std::span<const std::uint8_t> FramePacket::Bytes() const
{
    return {buffer_.data(), count_ * sizeof(DevicePoint)};
}
