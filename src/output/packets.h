#pragma once
// What the controllers receive: 4-byte points gathered into frame packets,
// and the 2-byte settings packet that goes ahead of the frames.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

/// Flag bit: the beam is dark on the way to this point (or point-draw mode is on).
inline constexpr std::uint8_t kPointFlagBlank = 1;
/// Added when the point's z is above 1: a vertex the drawing tools placed, a glyph corner.
inline constexpr std::uint8_t kPointFlagVertex = 2;
/// Highest device colour code (0 dark, 1 white, 2 red, 3 yellow, 4 green, 5 cyan, 6 blue, 7 magenta).
inline constexpr std::uint8_t kMaxDeviceColour = 7;

enum class PointDraw : std::uint8_t { Off, On };

/// One output point as sent: x, y, device colour code, flags.
struct DevicePoint {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t colour = 0;
    std::uint8_t flags = 0;

    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};
static_assert(sizeof(DevicePoint) == 4);

/// Packs one transformed point. x and y are clamped to 0..255 and truncated
/// toward zero (NaN gives 0); a colour code above 7 is sent dark.
DevicePoint MakeDevicePoint(double x, double y, std::uint8_t colour, std::uint8_t blank,
                            std::int32_t z, PointDraw pointDraw = PointDraw::Off);

/// One frame's points back to back, in a buffer sized once. Points past the
/// controller's 16,384-point capacity are dropped, never written past the buffer.
class FramePacket {
public:
    static constexpr std::size_t kMaxPoints = 16384;
    static constexpr std::size_t kMaxBytes = kMaxPoints * sizeof(DevicePoint);

    /// An empty packet with its 64 KB buffer allocated once.
    FramePacket();

    /// Empties the packet for the next frame, keeping the buffer.
    void Clear();
    /// Appends a point; false (and the point is dropped) once the packet is full.
    bool Append(const DevicePoint& point);
    /// Number of points held, at most kMaxPoints.
    std::size_t PointCount() const { return count_; }
    /// Points refused since the last Clear because the packet was full.
    std::size_t DroppedPoints() const { return dropped_; }
    /// Whether the next Append would be refused.
    bool Full() const { return count_ == kMaxPoints; }
    /// The wire bytes: 4 per point, no header.
    std::span<const std::uint8_t> Bytes() const;

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t count_ = 0;
    std::size_t dropped_ = 0;
};

/// The settings sent ahead of frames: speed byte (100 minus the send speed) and port selection.
struct DeviceSettingsPacket {
    std::uint8_t speed = 0;
    /// 0 Port1 only, 1 Port2 only, 2 both ports, 3 none.
    std::uint8_t ports = 0;

    /// The two wire bytes: speed, ports.
    std::array<std::uint8_t, 2> Bytes() const { return {speed, ports}; }
    friend bool operator==(const DeviceSettingsPacket&, const DeviceSettingsPacket&) = default;
};
