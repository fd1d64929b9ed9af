#include "output/fan_out.h"

#include "output/device_access.h"
#include "output/play_state.h"

int SendToDevices(std::span<const std::uint8_t> packet, const DeviceTargets& targets, std::uint32_t pipe)
{
    int written = BulkWrite(packet, targets.Master, pipe) ? 1 : 0;
    if (!targets.MultiDevice)
        return written;
    for (const QString& extra : targets.Extras) {
        // The master may also sit in the extra list; it must not get every packet twice.
        if (!targets.Master.isEmpty() && extra.compare(targets.Master, Qt::CaseInsensitive) == 0)
            continue;
        if (BulkWrite(packet, extra, pipe))
            ++written;
    }
    return written;
}

int SendFrame(const FramePacket& frame, const std::optional<DeviceSettingsPacket>& settings,
              const DeviceTargets& targets, std::uint32_t pipe)
{
    if (settings) {
        const auto bytes = settings->Bytes();
        SendToDevices(bytes, targets, pipe);
    }
    return SendToDevices(frame.Bytes(), targets, pipe);
}

int SendFrame(const FramePacket& frame, const std::optional<DeviceSettingsPacket>& settings)
{
    const std::shared_ptr<const DeviceTargets> targets = CurrentDeviceTargets();
    return SendFrame(frame, settings, *targets, OutputChannel.load(std::memory_order_relaxed));
}

int SendSettings(const DeviceSettingsPacket& settings)
{
    const std::shared_ptr<const DeviceTargets> targets = CurrentDeviceTargets();
    const auto bytes = settings.Bytes();
    return SendToDevices(bytes, *targets, OutputChannel.load(std::memory_order_relaxed));
}

DeviceSettingsPacket CurrentDeviceSettings()
{
    return {SendSpeedByte.load(std::memory_order_relaxed), PortSelection.load(std::memory_order_relaxed)};
}

bool SettingsPacketGate::NeedsSending(const DeviceSettingsPacket& current)
{
    if (last_ && *last_ == current)
        return false;
    last_ = current;
    return true;
}
