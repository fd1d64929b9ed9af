#pragma once
// The picture of the current frame a play window shows: the source drawing
// drawn through the preview chain (the loop's chain seen unturned, offsets
// added) with the animation state the running loop published.

#include "player/effect_chain.h"

#include <QImage>

/// What one preview picture is drawn from.
struct PreviewFrame {
    const Drawing* drawing = nullptr;
    LoopOptions options = kSectionRowPreview;
    EffectParameters params;
    EffectPhases phases;
    OutputGeometry geometry;
    /// At most this many points are drawn (the SlowDraw prefix + 1).
    std::int64_t maxPoints = 0;
};

/// GUI thread. Fills `image` (256 x 256) black and draws the frame: with point draw a
/// black-filled ring of the pen colour at every point, else lines between lit points
/// and a small ring at every blanked one. The first lit point starts a line, never
/// continues one from nowhere.
void RenderPreview(QImage& image, const PreviewFrame& frame);

/// GUI thread. The row number in white at the top-left corner.
void DrawRowNumber(QImage& image, int number);

/// GUI thread. A drawing's thumbnail: every path in palette colours at half size on black.
void RenderThumbnail(QImage& image, const Drawing& drawing);
/// GUI thread. As RenderThumbnail, onto what the image holds (no fill).
void DrawThumbnailPaths(QImage& image, const Drawing& drawing);
