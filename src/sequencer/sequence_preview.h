#pragma once
// The Sequence window's play preview: what every running track sends right
// now (its drawing, ILDA frame or section row) drawn over each other in one
// 256 x 256 picture, and the decision taken when every track has ended.
//
// The preview draws from the sequence the tracks play, which is replaced only
// after the tracks were joined, and from the values each track publishes.

#include "sequencer/sequence_tracks.h"

#include <QImage>

#include <array>

/// What one preview picture is drawn from.
struct SequencePreviewInput {
    const TSequence* sequence = nullptr;
    const std::array<TrackState, kTrackCount>* states = nullptr;
    /// Which tracks still run (`TrackRunning`).
    std::array<bool, kTrackCount> running{};
    std::int32_t colourMode = kColourAuto;
    bool pointDraw = false;
    OutputGeometry geometry;
};

/// GUI thread. Fills `image` black and draws the current picture of every
/// running track, tracks 1, 2, 3 in order; returns the number of points drawn.
/// A section row draws at most its SlowDraw prefix + 1 points; an item of
/// another kind, or an index past its list, draws nothing.
int RenderSequencePreview(QImage& image, const SequencePreviewInput& input);

// The preview's mappings, point by point through the per-point steps: the reference the
// picture is drawn to (RenderSequencePreview prepares each rotation and row once).

/// The preview's mapping of a drawing point: mirrors, output angle, offsets added, size, clamp.
void MapPreviewDrawingPoint(const LaserPoint& p, const OutputGeometry& g, std::int32_t& x, std::int32_t& y);
/// The preview's mapping of an ILDA point: (x + 128, 255 - (y + 128)), then as a drawing point.
void MapPreviewIldaPoint(const LaserPoint& p, const OutputGeometry& g, std::int32_t& x, std::int32_t& y);
/// The preview's mapping of a section row's point: the row's effects with the
/// track's phases, offsets and Q, R added, size, clamp, and the mirrors last.
void MapPreviewSectionPoint(const LaserPoint& p, const TSectionRecord& row, const EffectPhases& phases,
                            const OutputGeometry& g, std::int32_t& x, std::int32_t& y);

/// What the preview does once no track runs.
struct SequenceEndAction {
    bool endMusic = false;
    /// Raise StopRequested and clear SequencePlaying.
    bool stop = false;
};

/// The end of the sequence, by whether this preview tick drew and whether loop play is on:
/// without loop play the music ends and play stops; with it the music ends only on a
/// tick that drew (else the repeat watcher ends it).
SequenceEndAction EndOfSequence(bool drewThisTick, bool loopPlay);
