#pragma once
// Pictures of the dialogs, font boxes and side channel: named without a look
// prefix, shared by every look.

#include "skin/theme_pictures.h"

#include <QImage>
/// The picture of one of those names; null for any other name.
QImage PaintExtraPicture(const ThemePictureEntry& entry);
