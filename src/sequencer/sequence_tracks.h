#pragma once
// The three tracks of a playing sequence: each runs on its own track thread,
// item after item, and hands every item to the player of its kind (".ddr"
// drawing, ".ild" ILDA image, ".sec" section rows). An item plays for its
// PlayTime in ticks of the window's time base, which raises TrackTimeTick
// and TrackFrameTick of every track at each tick (play_state.h).
//
// A track reads only the sequence it was given, which the window loaded
// after the previous tracks were joined; it writes only its own TrackState
// (the preview reads it) and the shared FrameChanged and last-seen output
// settings.

#include "model/show_model.h"
#include "output/play_state.h"
#include "player/effect_chain.h"
#include "player/frame_sink.h"

#include <atomic>
#include <cstdint>
#include <vector>

/// The Sequence window's colour controls, read by every track at every point.
struct SequenceControls {
    /// `SequenceColorMode`: 0..7, 257 Auto, 258 Rnd1, 259 Rnd2, 260 Rnd3.
    std::atomic<std::int32_t> SequenceColorMode{kColourAuto};
    /// `SequenceColorSpeed` N, 0..40.
    std::atomic<std::int32_t> SequenceColorSpeed{30};
    /// `SequencePointDraw`: every point goes out with flag bit 0.
    std::atomic<std::uint8_t> SequencePointDraw{0};
};

/// The per-track values of one track. The track thread writes them, the
/// preview reads them; the counters toward the next colour step are kept from
/// one play to the next (the track threads are joined in between).
struct TrackState {
    std::atomic<std::int32_t> TrackElapsed{0};
    std::atomic<std::int32_t> TrackItemIndex{0};
    std::atomic<std::int32_t> TrackRowIndex{0};
    std::atomic<std::int32_t> TrackFrameIndex{0};
    std::atomic<std::int32_t> TrackRowPointTotal{0};
    std::atomic<std::int32_t> TrackSlowDrawPrefix{0};
    std::atomic<std::int32_t> TrackRotationPhase{0};
    std::atomic<std::int32_t> TrackHStretchPhase{0}, TrackVStretchPhase{0};
    std::atomic<std::int32_t> TrackHRotatePhase{0}, TrackVRotatePhase{0};
    std::atomic<std::int32_t> TrackHBouncePhase{0}, TrackVBouncePhase{0};
    std::atomic<std::int32_t> TrackColourCycle{0};

    // Track thread only.
    std::int32_t TrackColourStepCount = 0;
    std::int32_t TrackIldaPointCount = 0;
    std::int32_t TrackIldaStepCount = 0;
    std::int32_t DrawingPointCount = 0;
    std::int32_t DrawingStepCount = 0;

    /// Any thread. The seven phases, the cycle and the SlowDraw prefix as one set.
    EffectPhases Phases() const;
};

/// What a track plays with.
struct TrackContext {
    /// Track index 0..2 (track 1..3): which tick flags it consumes.
    int track = 0;
    FrameSink& sink;
    const SequenceControls& controls;
    TrackState& state;
    /// Frames sent so far by this track.
    std::uint64_t framesSent = 0;
};

/// What a track item is, from its file extension (from the last ".", any case).
enum class TrackItemKind { Drawing, IldaImage, Section, Other };
TrackItemKind KindOf(const QString& fileName);

/// Worker thread. `PlayTrack1`..`PlayTrack3`: plays the items in order until
/// each has used its PlayTime or StopRequested is raised. Sets SequencePlaying.
void PlayTrack(const std::vector<TSequenceRecord>& items, TrackContext& context);

/// Worker thread. `PlayTrackDrawing`: one frame of the drawing.
void PlayTrackDrawing(const Drawing& paths, std::int32_t playTime, TrackContext& context);
/// Worker thread. `PlayTrackIldImage`: the frames of the image once, or until the item's time is used.
void PlayTrackIldImage(const TILDAimage& image, std::int32_t playTime, TrackContext& context);
/// Worker thread. `PlayTrackSection`: the rows in order, or until the item's time is used.
void PlayTrackSection(const std::vector<TSectionRecord>& rows, std::int32_t playTime, TrackContext& context);

// ---- the tables every track player and the preview share -------------------

/// Device colour code of a point with device code c under the window's mode M.
/// `sectionK`: the row's K when the item is a section (used under Auto), else
/// below 0. `cycle`: the track's colour cycle; `r`: the pass counter mod 7.
/// c == 0 is dark in every mode; an unknown mode or K sends 0.
std::uint8_t SequenceColourCode(std::int32_t M, std::uint8_t c, std::int32_t cycle, std::int32_t r,
                                std::int32_t sectionK = -1);

/// Flags byte: 1 for point draw (window box or row O) or a blanked point, plus 2 when z > 1.
std::uint8_t SequencePointFlags(bool pointDraw, std::uint8_t blank, std::int32_t z);

/// The output mapping of drawing and ILDA items: the source (drawing: 255 - p;
/// ILDA: 255 - (x + 128), y + 128), mirrors, output angle, offsets subtracted,
/// size, clamp to 0..255.
void MapTrackPoint(std::int32_t sourceX, std::int32_t sourceY, const OutputGeometry& g, std::int32_t& x,
                   std::int32_t& y);
/// The source coordinates of a drawing point for MapTrackPoint.
inline void DrawingSource(const LaserPoint& p, std::int32_t& x, std::int32_t& y)
{
    x = 255 - p.x;
    y = 255 - p.y;
}
/// The source coordinates of an ILDA point for MapTrackPoint.
inline void IldaSource(const LaserPoint& p, std::int32_t& x, std::int32_t& y)
{
    x = 255 - (p.x + 128);
    y = p.y + 128;
}

/// The ILDA frame interval in force: IldaFrameInterval kept within 2..200.
std::int32_t ClampedIldaFrameInterval();

/// Any thread. The settings check of every frame pass: when an output setting
/// differs from its last-seen copy, all copies are taken again and FrameChanged is raised.
void SequenceSettingsCheck();
