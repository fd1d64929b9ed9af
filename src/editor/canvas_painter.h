#pragma once
// Paints the Draw window's canvas: the grid (and background picture), the
// drawing with its markers, and the rubber band of the tool in progress.
// No widgets; the window shows the image it fills.

#include "editor/draw_document.h"
#include "editor/tool_engine.h"

#include <QImage>

class BackgroundPicture;

/// GUI thread. Repaints `canvas` (made 512 x 512) from the document and the band.
/// Erased points must have been purged (DrawDocument::PurgeErasedPoints) before.
void PaintCanvas(QImage& canvas, BackgroundPicture& pictures, const DrawDocument& doc, const RubberBand& band);
