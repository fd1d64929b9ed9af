#pragma once
// The painter of each kind of theme picture.

#include "skin/theme_pictures.h"

#include <QImage>

/// The picture for the spec, at its size, RGB32, keyed as spec.key says.
QImage PaintThemePicture(const ThemePictureSpec& spec);
