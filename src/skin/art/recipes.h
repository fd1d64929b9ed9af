#pragma once
// The painter of each kind of theme picture.

#include "skin/theme_pictures.h"

#include <QImage>

/// The picture for the entry, at its size, RGB32, keyed as entry.key says.
QImage PaintThemePicture(const ThemePictureEntry& entry);
