#include "player/frame_sink.h"

#include "output/fan_out.h"
#include "output/play_state.h"

#include <algorithm>
#include <thread>

std::chrono::microseconds ScanTime(std::size_t points)
{
    if (points == 0)
        return kIdlePass;
    return std::chrono::microseconds(static_cast<std::int64_t>(points) * 1000000 / kScanPointsPerSecond);
}

void WaitUnlessStopped(std::chrono::microseconds duration)
{
    // Short slices: the stop button must end a play at once, not after a 0.5 s frame.
    constexpr std::chrono::microseconds kSlice{2000};
    const auto end = std::chrono::steady_clock::now() + duration;
    while (StopRequested.load(std::memory_order_relaxed) == 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end)
            return;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, end - now));
    }
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
