#pragma once
// Button and tool-bar icons, compiled into the program at build time: icons of
// the Breeze theme by their freedesktop names, and the laser-specific marks the
// theme has no icon for, drawn by the art generator under "zarn-" names.
// The names in use are listed in resources/icons.txt.

#include <QIcon>
#include <QString>

/// The icon of that name; an unknown name gives a lettered placeholder, never an empty square.
QIcon SkinIcon(const QString& name);
