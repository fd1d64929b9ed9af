#pragma once
// The program's own mark: a laser beam drawn as a "Z" on a dark tile. It is the
// window icon and the control box of every title bar.

#include <QPainter>
#include <QRectF>

/// Paints the mark into `area` (square or not; it keeps its proportions).
void PaintProgramEmblem(QPainter& p, const QRectF& area);
