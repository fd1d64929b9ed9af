#pragma once
// The frame every fixed-size program window and dialog wears: a look, the
// panel colour, the caption in bold 11 px Tahoma, and a title bar with the
// control box, close and minimise buttons (no maximise).

#include "skin/skin_form.h"

#include <QString>

/// GUI thread. Applies the look first, then what the window keeps over it.
void SetUpWindowFrame(TskForm& frame, TskUIStyle style, TColor color, const QString& caption);
