#pragma once
// The three hit tests of the Draw window's selection and point tools, in
// canvas coordinates. Their tolerances are fixed: operators are used to them.

#include "model/show_model.h"

/// Any thread. Q lies strictly less than 5 pixels from the click P on both axes.
bool PointBoxHit(const LaserPoint& q, int px, int py);

/// Any thread. The click P is near the segment S..E: for S == E, the point box of S; otherwise
/// the squared distance to the line is below 5 and P lies strictly between the ends in x or in y.
bool SegmentHit(const LaserPoint& s, const LaserPoint& e, int px, int py);

/// Any thread. Q lies inside the box spanned by the clicks A and B, border included.
bool BoxHit(const LaserPoint& q, int ax, int ay, int bx, int by);
