#include "output/play_state.h"

void ResetPlayState()
{
    constexpr auto r = std::memory_order_relaxed;
    StopRequested.store(1, r);
    for (auto* flag : {&LoopPlay, &MirrorX, &MirrorY, &FreezePlay, &FrameChanged, &PlayLoopRunning, &PlayLoopOwner,
                       &SendSpeedByte, &PortSelection, &OutputChannel, &LastMirrorX, &LastMirrorY,
                       &EditorFrameTick, &SectionTick, &PlayFrameTick, &SequencePlaying})
        flag->store(0, r);
    for (auto* value : {&OffsetX, &OffsetY, &OutputAngle, &SizeX, &SizeY, &IldaFrameInterval,
                        &LastOffsetX, &LastOffsetY, &LastSizeX, &LastSizeY, &LastOutputAngle})
        value->store(0, r);
    for (TrackFlags* flags : {&TrackRunning, &TrackTimeTick, &TrackFrameTick})
        for (auto& flag : *flags)
            flag.store(0, r);
}
