#pragma once
// The shared painters: the empty editor canvas, a path scaled down for a
// preview, and a path of the editor with its point markers.
//
// Painters take const lists and never delete from them: a selection holds
// non-owning pointers and a preview may read a snapshot a worker published.
// Erased points (mark 2) are simply not drawn; whoever owns a path removes
// them with PurgeErased before it repaints, so point counts and undo
// snapshots see the same path as the screen.

#include "model/show_model.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class BackgroundPicture;

/// The editor canvas is 512 x 512 pixels (editor space 0..510).
inline constexpr int kEditorCanvasSize = 512;
/// Grid marks and the centre cross, as 0x00BBGGRR.
inline constexpr std::uint32_t kGridColour = 0x00808080u;
/// Marker of a selected point, as 0x00BBGGRR.
inline constexpr std::uint32_t kSelectedMarkerColour = 0x000000FFu;

/// A non-owning list of points (the editor's selection).
using PointRefs = std::vector<LaserPoint*>;

/// Any thread. Removes and frees every point marked erased; returns how many went.
std::size_t PurgeErased(Path& path);

/// GUI thread. Paints the empty editor canvas into bitmap (made 512 x 512 RGB32 when it is not):
/// background colour, the picture when pictureOn and readable, grid marks (none for a step below 1)
/// and the dashed centre cross.
void DrawEditorGrid(QImage& bitmap, BackgroundPicture& pictures, bool pictureOn,
                    const QString& pictureFile, int gridStepX, int gridStepY,
                    std::uint8_t backColour);

/// Any thread. Draws one path into bitmap at (x / divisor, y / divisor) (a divisor below 1 counts
/// as 1): segments in their end point's colour; a dark move in the blank colour, or not at all when
/// it is 0; a small square on every blanked point. Erased points are skipped.
void DrawPointList(QImage& bitmap, const Path& points, std::uint8_t blankColour, int divisor);
void DrawPointList(QImage& bitmap, const PointRefs& points, std::uint8_t blankColour, int divisor);

/// Any thread. Draws one editor path into bitmap at full scale, then its markers: a filled red
/// circle on a selected point when selectionOn; otherwise, with showPoints, a circle on a placed
/// vertex (z 2) and a small square below z 2; a larger square on z 3 and above whatever showPoints
/// says. Erased points are skipped.
void DrawObject(QImage& bitmap, const Path& points, bool selectionOn, bool showPoints,
                std::uint8_t blankColour);
void DrawObject(QImage& bitmap, const PointRefs& points, bool selectionOn, bool showPoints,
                std::uint8_t blankColour);
