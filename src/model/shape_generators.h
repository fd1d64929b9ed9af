#pragma once
// Shape generators: turn a drawing tool's clicked points into the points of a
// line, ellipse, arc or polygon in editor space. They append new points with
// only x and y set (every other field 0); the calling tool fills in colour,
// z, blank and mark. Points already in the output list are never touched.
//
// The arithmetic keeps its historical precision (single-precision slope in
// the line generator, 3.1416 / 6.2832 in the polygon walk, 0.001-radian
// steps), because saved drawings and operators expect the same points.
// Only where those walks would pile points onto a few spots (shapes a few
// units across, where a laser dwells and burns) is the result bounded: never
// more points than the outline's length at the point distance allows (one
// unit for the polygon), plus one, yet at least the shape's corners, and
// never the same point twice in a row.

#include "model/show_model.h"

/// Any thread. Points strictly between (x1, y1) and (x2, y2), about step apart (a step below 1 counts as 1).
void GenerateLinePoints(int x1, int y1, int x2, int y2, int step, Path& output);

/// Any thread. The ellipse inscribed in the box (x1, y1)-(x2, y2), from the right middle through the
/// bottom, left and top back to the right middle, thinned to pointDistance (below 1 counts as 1);
/// nothing for a box of zero width or height.
void GenerateEllipsePoints(int x1, int y1, int x2, int y2, int pointDistance, Path& output);

/// Any thread. The circular arc around (cx, cy) through the start point's radius, from the start
/// point's angle to the end point's, thinned to pointDistance (below 1 counts as 1); nothing when
/// the radius is 0 or the end point is the centre.
void GenerateArcPoints(int cx, int cy, int startX, int startY, int endX, int endY,
                       int pointDistance, Path& output);

/// Any thread. The corners of a regular polygon around (cx, cy) with the radius of the clicked
/// corner, starting to the right of the centre, closed by a copy of the first corner; nothing for
/// fewer than 3 sides or a radius of 0.
void GeneratePolygonPoints(int cx, int cy, int cornerX, int cornerY, int sides, Path& output);
