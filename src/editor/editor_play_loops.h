#pragma once
// The Draw window's two play loops (play-thread modes 1 and 2) and what they
// share with the window.
//
// The window fills the lists on the GUI thread only while no loop runs (the
// hand-over has joined the last one); a loop takes its list once when it
// starts and never sees it change. What the preview shows is published by
// the loop as a snapshot (the list and the frame index together), so the
// preview never reads a list that is being rebuilt or an index out of range.

#include "editor/editor_play_frame.h"

#include <cstdint>
#include <memory>
#include <mutex>

/// When no controller took a frame, a loop waits the frame's scan time at this rate.
inline constexpr int kUnsentScanPointsPerSecond = 30000;

// Fields keep the names the Draw window has always used for its play lists
// and for the frame being sent.
class EditorPlayShared {
public:
    /// GUI thread, with no loop running: the lists the next start plays.
    std::shared_ptr<const PlayList> EditorIldaPlayList = std::make_shared<const PlayList>();
    std::shared_ptr<const PlayList> EditorDrawingPlayList = std::make_shared<const PlayList>();

    /// What the image preview draws: the list being played and the frame being sent.
    struct Shown {
        std::shared_ptr<const PlayList> list;
        int EditorFrameIndex = -1;
        /// The frame's points, or null when the index lies outside the list.
        const PlayPath* frame() const
        {
            if (!list || EditorFrameIndex < 0 || EditorFrameIndex >= int(list->size()))
                return nullptr;
            return &(*list)[std::size_t(EditorFrameIndex)];
        }
    };
    /// Worker thread: the frame now being sent.
    void Publish(std::shared_ptr<const PlayList> list, int frameIndex);
    /// Any thread: the last published frame.
    Shown Current() const;

private:
    mutable std::mutex mutex_;
    Shown shown_;
};

/// Worker thread (mode 1). Sends the image's frames in order, each again and
/// again until the frame tick; hold keeps the current frame; repeat starts over.
void EditorPlayIldaLoop(EditorPlayShared& shared);

/// Worker thread (mode 2). Sends every path of the drawing as one frame, over
/// and over until stopped.
void EditorPlayDrawingLoop(EditorPlayShared& shared);

/// Worker thread. Waits the scan time of `points` at 30,000 points per second
/// (at least a millisecond) in one sleep; leaves early on a stop request or when
/// `tick` is raised (its raiser calls StopRequested.WakeWaiters).
void WaitUnsentFrame(std::size_t points, const std::atomic<std::uint8_t>* tick);
