#pragma once
// The Section window's two play loops: the rows of a saved section, each
// row's drawing with the row's parameters for the row's play time, and the
// single drawing of the drawing list with the live parameters. Both run on
// the play thread and read only their own prepared, immutable play list.

#include "player/frame_sink.h"
#include "player/live_parameters.h"
#include "model/show_model.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

/// The rows a section play reads; shared read-only with the preview.
using SectionPlayList = std::vector<TSectionRecord>;

/// What a Section window loop reads and writes besides its play list.
struct SectionLoopContext {
    FrameSink& sink;
    const LiveParameters& live;
    PublishedAnimation& animation;
    /// The window's tick flag (`SectionTick`).
    std::atomic<std::uint8_t>& tick;
};

/// Worker thread. `PlaySectionLoop`: plays the rows in order until StopRequested,
/// after the last row again from the first while `LoopPlay` is set.
void PlaySectionLoop(const SectionPlayList& rows, SectionLoopContext& context);

/// Worker thread. `PlaySectionDrawingLoop`: plays the drawing (device colour codes)
/// with the live parameters until StopRequested; the frame being built when the stop
/// comes is sent as far as it got.
void PlaySectionDrawingLoop(const Drawing& drawing, SectionLoopContext& context);

/// The single-drawing play list: coordinates clamped to 0..255, colour = the device code,
/// mark = the palette index as read, blank 0 or 1. Erased points are left out.
Drawing PrepareSectionDrawing(const Drawing& listDrawing);
