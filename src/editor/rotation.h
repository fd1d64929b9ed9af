#pragma once
// Rotation of the Draw window's selection about the canvas point (256, 256)
// by whole degrees. The angle uses 3.1416 for pi and the result is truncated
// toward zero, so a full turn can move a point by a unit; operators' drawings
// were made with exactly this arithmetic.

#include "model/painters.h"
#include "model/show_model.h"

/// Pi as the rotation dialog has always used it (not the full value).
inline constexpr double kRotationPi = 3.1416;
/// The canvas point rotations turn about.
inline constexpr int kRotationCentre = 256;

enum class RotationMode { InPlace, Copies };

/// Any thread. Radians for a track-bar position; negated when converse.
double RotationAngleFor(int position, bool converse);

/// Any thread. (x, y) rotated by angle about (256, 256), truncated toward zero.
void RotateXY(std::int32_t& x, std::int32_t& y, double angle);

/// Any thread. Rotated copies of the selected points, in order (colour, blank
/// and mark kept), for the preview.
Path RotatedCopies(const PointRefs& selection, double angle);

/// Any thread. InPlace: rotates each distinct selected point once.
/// Copies: for every path holding selected points, appends a new path
/// of rotated, unselected copies of them (z, colour, blank kept); the
/// originals stay as they are. True when a point moved or a copy was added.
bool RotateSelection(Drawing& drawing, const PointRefs& selection, double angle, RotationMode mode);
