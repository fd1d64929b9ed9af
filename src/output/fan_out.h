#pragma once
// Sending packets to the chosen controllers: the master first, then, in
// multi-device mode, every extra controller in list order. An extra equal to
// the master is not written twice. A failed write is skipped: the others
// still get the packet, and the loop goes on with its next frame.

#include "output/device_targets.h"
#include "output/packets.h"

#include <cstdint>
#include <optional>
#include <span>

/// Any thread. Writes `packet` to every target on `pipe`; returns how many controllers took it.
int SendToDevices(std::span<const std::uint8_t> packet, const DeviceTargets& targets, std::uint32_t pipe);

/// Any thread. Settings packet (when given) to every target, then the frame to every target; returns how many took the frame.
int SendFrame(const FramePacket& frame, const std::optional<DeviceSettingsPacket>& settings,
              const DeviceTargets& targets, std::uint32_t pipe);

/// Any thread. SendFrame to the published targets on pipe OutputChannel.
int SendFrame(const FramePacket& frame, const std::optional<DeviceSettingsPacket>& settings = std::nullopt);

/// Any thread. The settings packet alone to the published targets on pipe OutputChannel; returns how many took it.
int SendSettings(const DeviceSettingsPacket& settings);

/// Any thread. The settings packet of the live output settings (SendSpeedByte, PortSelection).
DeviceSettingsPacket CurrentDeviceSettings();

/// One play loop's memory of the settings it last sent, so that it resends
/// them only at its start and after they change. Owned by one loop thread.
class SettingsPacketGate {
public:
    /// True when `current` must be sent (first call, or it differs from the last one); remembers it as sent.
    bool NeedsSending(const DeviceSettingsPacket& current);
    /// Forgets what was sent: the next NeedsSending is true.
    void Reset() { last_.reset(); }

private:
    std::optional<DeviceSettingsPacket> last_;
};
