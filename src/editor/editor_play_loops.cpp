#include "editor/editor_play_loops.h"

#include "output/fan_out.h"
#include "output/play_state.h"

#include <algorithm>
#include <chrono>

namespace {

constexpr auto r = std::memory_order_relaxed;

bool Stopped() { return StopRequested.load(r) != 0; }

// Takes the current offsets, sizes, angle and mirrors as the loop's last-seen copies.
void RememberOutputSettings()
{
    LastOffsetX.store(OffsetX.load(r), r);
    LastOffsetY.store(OffsetY.load(r), r);
    LastSizeX.store(SizeX.load(r), r);
    LastSizeY.store(SizeY.load(r), r);
    LastOutputAngle.store(OutputAngle.load(r), r);
    LastMirrorX.store(MirrorX.load(r), r);
    LastMirrorY.store(MirrorY.load(r), r);
}

bool OutputSettingsChanged()
{
    return OffsetX.load(r) != LastOffsetX.load(r) || OffsetY.load(r) != LastOffsetY.load(r)
           || SizeX.load(r) != LastSizeX.load(r) || SizeY.load(r) != LastSizeY.load(r)
           || OutputAngle.load(r) != LastOutputAngle.load(r) || MirrorX.load(r) != LastMirrorX.load(r)
           || MirrorY.load(r) != LastMirrorY.load(r);
}

void SendSettingsWhenChanged(SettingsPacketGate& gate)
{
    const DeviceSettingsPacket current = CurrentDeviceSettings();
    if (gate.NeedsSending(current))
        SendSettings(current);
}

}  // namespace

void EditorPlayShared::Publish(std::shared_ptr<const PlayList> list, int frameIndex)
{
    std::lock_guard lock(mutex_);
    shown_.list = std::move(list);
    shown_.EditorFrameIndex = frameIndex;
}

EditorPlayShared::Shown EditorPlayShared::Current() const
{
    std::lock_guard lock(mutex_);
    return shown_;
}

void WaitUnsentFrame(std::size_t points, const std::atomic<std::uint8_t>* tick)
{
    using namespace std::chrono;
    const auto scan = microseconds(std::int64_t(points) * 1'000'000 / kUnsentScanPointsPerSecond);
    // One sleep: a stop or the tick (whose timer wakes the waiters) ends it at once.
    StopRequested.WaitUntil(steady_clock::now() + std::max<microseconds>(scan, milliseconds(1)), tick);
}

void EditorPlayIldaLoop(EditorPlayShared& shared)
{
    const std::shared_ptr<const PlayList> list = shared.EditorIldaPlayList;
    RememberOutputSettings();
    FrameChanged.store(0, r);
    SettingsPacketGate gate;
    SendSettingsWhenChanged(gate);

    FramePacket frame;
    do {
        for (std::size_t i = 0; i < list->size() && !Stopped(); ++i) {
            shared.Publish(list, int(i));
            FrameChanged.store(1, r);
            SendSettingsWhenChanged(gate);
            const PlayPath& path = (*list)[i];
            while (!Stopped()) {
                if (OutputSettingsChanged()) {
                    RememberOutputSettings();
                    FrameChanged.store(1, r);
                }
                if (EditorFrameTick.exchange(0, r) != 0 && FreezePlay.load(r) == 0)
                    break;
                // A speed or port change during a held frame reaches the controllers at once.
                SendSettingsWhenChanged(gate);
                if (SendPlayFrame(frame, path, OutputTransform::Current()) == 0)
                    WaitUnsentFrame(frame.PointCount(), &EditorFrameTick);
            }
        }
    } while (LoopPlay.load(r) != 0 && !Stopped());
}

void EditorPlayDrawingLoop(EditorPlayShared& shared)
{
    const std::shared_ptr<const PlayList> list = shared.EditorDrawingPlayList;
    SettingsPacketGate gate;
    SendSettingsWhenChanged(gate);
    FramePacket frame;
    while (!Stopped()) {
        SendSettingsWhenChanged(gate);
        const int took = SendDrawingPlayFrame(frame, *list, OutputTransform::Current());
        if (took == 0 && !Stopped())
            WaitUnsentFrame(frame.PointCount(), nullptr);
    }
}
