#pragma once
// Where a play loop's packets go. The device sink fans every packet out to
// the published controllers (master first, then the extras) and, when no
// controller took a frame, waits the frame's scan time as a controller would
// have made the loop wait: previews keep show speed and a loop with nothing
// attached never spins a core. Tests record packets with their own sink.

#include "output/packets.h"

#include <chrono>
#include <cstdint>
#include <optional>

class FrameSink {
public:
    virtual ~FrameSink() = default;
    /// Worker thread. The settings packet alone to every controller (loop start).
    virtual void SendSettings(const DeviceSettingsPacket& settings) = 0;
    /// Worker thread. The settings packet (when given) to every controller, then the frame to every controller.
    virtual void SendFrame(const std::optional<DeviceSettingsPacket>& settings, const FramePacket& frame) = 0;
    /// Worker thread. A pass that sent nothing (no rows): wait so the loop does not spin.
    virtual void Idle() = 0;
};

/// Scan rate of a controller: how long a frame of n points keeps it busy.
inline constexpr int kScanPointsPerSecond = 30000;
/// Shortest wait of a pass that sent no point: one system tick.
inline constexpr std::chrono::microseconds kIdlePass{15625};

/// The wait a frame of `points` points stands for when no controller took it.
std::chrono::microseconds ScanTime(std::size_t points);

class DeviceFrameSink final : public FrameSink {
public:
    /// Worker thread. One device-targets snapshot per packet round, on pipe OutputChannel.
    void SendSettings(const DeviceSettingsPacket& settings) override;
    /// Worker thread. Waits ScanTime when no controller took the frame; a stop ends the wait at once.
    void SendFrame(const std::optional<DeviceSettingsPacket>& settings, const FramePacket& frame) override;
    /// Worker thread. Waits one system tick; a stop ends the wait at once.
    void Idle() override;
};

/// Worker thread. Sleeps up to `duration`, returning early once StopRequested is raised.
void WaitUnlessStopped(std::chrono::microseconds duration);
