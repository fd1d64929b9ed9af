#pragma once
// The 64 x 64 pictures of the frame pages: a frame drawn small with its
// number, and the mark of the selected frame.

#include "model/show_model.h"

#include <QImage>
#include <QPoint>

#include <cstdint>

inline constexpr int kThumbnailSize = 64;

/// GUI thread. Black, the frame's points at ((x + 128) / 4, (128 - y) / 4): moves to the
/// first and to blanked points (ringed), lines to the others in their palette colours;
/// the 1-based number `frameIndex + 1` in white at the top left.
QImage DrawFrameThumbnail(const TILDAframe& frame, int frameIndex);

/// Any thread. Surface flood fill: every pixel connected to `seed` (4-neighbours)
/// that has the seed's colour gets the brush, a red cross-hatch whose lines
/// fall every 8 pixels; the other pixels of the region keep their colour.
/// Returns how many pixels the region held.
int FloodFillCrossHatch(QImage& image, QPoint seed, std::uint32_t hatchBbggrr);

/// GUI thread. Marks the selected frame's thumbnail: the hatch fills the
/// background from the centre and from the bottom-left corner.
void MarkThumbnail(QImage& thumbnail);
