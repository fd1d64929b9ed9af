#pragma once
// A frame sink that records every packet a loop sends and lets a test act
// between frames (raise a tick, a stop, a freeze) instead of waiting.

#include "output/play_state.h"
#include "player/frame_sink.h"

#include <functional>
#include <vector>

struct SentFrame {
    std::optional<DeviceSettingsPacket> settings;
    std::vector<DevicePoint> points;
};

class RecordingSink final : public FrameSink {
public:
    std::vector<DeviceSettingsPacket> startSettings;
    std::vector<SentFrame> frames;
    int idles = 0;
    /// Runs after each recorded frame (and each idle pass) with the number of frames so far.
    std::function<void(std::size_t)> afterFrame;
    /// Stop after this many frames at the latest: a test never hangs.
    std::size_t limit = 10000;

    void SendSettings(const DeviceSettingsPacket& settings) override { startSettings.push_back(settings); }
    void SendFrame(const std::optional<DeviceSettingsPacket>& settings, const FramePacket& frame) override
    {
        SentFrame f;
        f.settings = settings;
        const auto bytes = frame.Bytes();
        for (std::size_t i = 0; i + 3 < bytes.size(); i += 4)
            f.points.push_back({bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]});
        frames.push_back(std::move(f));
        if (afterFrame)
            afterFrame(frames.size());
        if (frames.size() >= limit)
            StopRequested.store(1);
    }
    void Idle() override
    {
        ++idles;
        if (afterFrame)
            afterFrame(frames.size());
        if (idles >= 1000)
            StopRequested.store(1);
    }
};
