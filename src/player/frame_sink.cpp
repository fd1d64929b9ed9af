#include "player/frame_sink.h"

#include "output/fan_out.h"
#include "output/play_state.h"


std::chrono::microseconds ScanTime(std::size_t points)
{
    if (points == 0)
        return kIdlePass;
    return std::chrono::microseconds(static_cast<std::int64_t>(points) * 1000000 / kScanPointsPerSecond);
}

void WaitUnlessStopped(std::chrono::microseconds duration)
{
    // One sleep for the whole frame: a raised stop wakes it at once.
    StopRequested.WaitUntil(std::chrono::steady_clock::now() + duration);
}

void DeviceFrameSink::SendSettings(const DeviceSettingsPacket& settings)
{
    ::SendSettings(settings);
}

void DeviceFrameSink::SendFrame(const std::optional<DeviceSettingsPacket>& settings, const FramePacket& frame)
{
    if (::SendFrame(frame, settings) == 0 || frame.PointCount() == 0)
        WaitUnlessStopped(ScanTime(frame.PointCount()));
}

void DeviceFrameSink::Idle()
{
    WaitUnlessStopped(kIdlePass);
}
