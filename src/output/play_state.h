#pragma once
// Play flags and output settings shared by the windows (GUI thread) and the
// play loops (worker threads).
//
// Each value is a single byte or a 32-bit integer that one side writes and
// the other polls, so each is an atomic (the stop flag one with a wait): a
// plain variable polled in a loop is a data race and the compiler may hoist
// the read out of the loop. Relaxed order is enough for the flags
// themselves; the play lists a loop reads get their ordering from the thread
// start and the join of the hand-over, never from these flags.
//
// Names are the ones the windows and loops use. The master and extra device
// names and the multi-device flag are not here: they are published as one
// immutable device-targets snapshot. Ending the music goes through the
// hand-over's music hook, not through a shared process handle.

#include "output/stop_signal.h"

#include <array>
#include <atomic>
#include <cstdint>

// ---- play control ---------------------------------------------------------

/// Raised by every stop control, every play start, the show timer and shut-down;
/// polled by every loop, and a raise ends a loop's wait for its frame's time at
/// once. Starts raised: nothing plays until a start clears it.
inline StopSignal StopRequested{1};
/// Repeat the play (loop tool buttons of the play windows).
inline std::atomic<std::uint8_t> LoopPlay{0};
/// Mirror x or y before the effects.
inline std::atomic<std::uint8_t> MirrorX{0};
inline std::atomic<std::uint8_t> MirrorY{0};
/// Hold: no frame advance, no play-time count, no effect step.
inline std::atomic<std::uint8_t> FreezePlay{0};
/// Previews must redraw.
inline std::atomic<std::uint8_t> FrameChanged{0};
/// 1 while a play-thread loop runs; the windows' preview timers poll it.
inline std::atomic<std::uint8_t> PlayLoopRunning{0};
/// The play mode (1..8) of the play thread started last: whose loop
/// `PlayLoopRunning` and `FrameChanged` speak for. Written on the GUI thread
/// before that thread starts, so a preview never acts on another window's play.
inline std::atomic<std::uint8_t> PlayLoopOwner{0};

/// GUI thread. Whether the play thread runs the loop of `mode`.
inline bool PlayLoopRunningFor(std::uint8_t mode)
{
    return PlayLoopRunning.load(std::memory_order_relaxed) != 0
           && PlayLoopOwner.load(std::memory_order_relaxed) == mode;
}

/// GUI thread. Takes `FrameChanged` for the loop of `mode`: true (and cleared)
/// when that loop raised it; a change raised by another window's loop stays.
inline bool TakeFrameChanged(std::uint8_t mode)
{
    if (PlayLoopOwner.load(std::memory_order_relaxed) != mode)
        return false;
    return FrameChanged.exchange(0, std::memory_order_relaxed) != 0;
}

// ---- output settings (loaded from and saved to the settings file) --------

/// First byte of the settings packet: 100 minus the send speed.
inline std::atomic<std::uint8_t> SendSpeedByte{0};
/// Second byte of the settings packet: 0 port 1 only, 1 port 2 only, 2 both, 3 none.
inline std::atomic<std::uint8_t> PortSelection{0};
/// Bulk pipe of every write (1 or 2 once the settings are loaded).
inline std::atomic<std::uint8_t> OutputChannel{0};
/// Subtracted from x and y after the effects.
inline std::atomic<std::int32_t> OffsetX{0};
inline std::atomic<std::int32_t> OffsetY{0};
/// Rotation in degrees after the effects.
inline std::atomic<std::int32_t> OutputAngle{0};
/// Output size 0..40; 20 is 1:1.
inline std::atomic<std::int32_t> SizeX{0};
inline std::atomic<std::int32_t> SizeY{0};
/// Frame time of ILDA playback in timer milliseconds (2..200).
inline std::atomic<std::int32_t> IldaFrameInterval{0};

// ---- the loops' copies of the settings at their last change check --------

inline std::atomic<std::int32_t> LastOffsetX{0};
inline std::atomic<std::int32_t> LastOffsetY{0};
inline std::atomic<std::int32_t> LastSizeX{0};
inline std::atomic<std::int32_t> LastSizeY{0};
inline std::atomic<std::int32_t> LastOutputAngle{0};
inline std::atomic<std::uint8_t> LastMirrorX{0};
inline std::atomic<std::uint8_t> LastMirrorY{0};

// ---- pacing: raised by a window's timer, consumed by its loop ------------

/// Draw window frame tick.
inline std::atomic<std::uint8_t> EditorFrameTick{0};
/// Section window tick.
inline std::atomic<std::uint8_t> SectionTick{0};
/// Play window frame tick.
inline std::atomic<std::uint8_t> PlayFrameTick{0};

// ---- sequence tracks (index 0..2 is track 1..3) ---------------------------

inline constexpr int kTrackCount = 3;
using TrackFlags = std::array<std::atomic<std::uint8_t>, kTrackCount>;

/// 1 while the track's thread body runs; the sequence preview polls it for the end.
inline TrackFlags TrackRunning{};
/// Raised by every time-base tick; consumed by the track to count its elapsed ticks.
inline TrackFlags TrackTimeTick{};
/// Raised by every time-base tick; consumed by the ILDA and section players of a track.
inline TrackFlags TrackFrameTick{};
/// 1 once a track thread has started; cleared by the Sequence window.
inline std::atomic<std::uint8_t> SequencePlaying{0};

/// GUI thread, with no loop running: every value above back to its start-up value.
void ResetPlayState();
