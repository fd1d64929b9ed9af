#pragma once
// Button and tool-bar icons, compiled into the program at build time: icons of
// the Breeze theme by their freedesktop names, and the laser-specific marks the
// theme has no icon for, drawn by the art generator under "zarn-" names.
// The names in use are listed in resources/icons.txt; nothing is read from an
// icon theme while the program runs.

#include <QIcon>
#include <QString>

#include <vector>

/// GUI thread. The icon of that name (22 px, with a 44 px rendering for dense screens); an unknown name gives
/// a lettered placeholder, never an empty square.
QIcon SkinIcon(const QString& name);

/// Whether an icon of that name is compiled in (SkinIcon gives no placeholder).
bool SkinIconExists(const QString& name);

/// Every compiled-in icon name, in the order of the list.
std::vector<QString> SkinIconNames();

/// The program's own mark at every size it is drawn in, for the windows'
/// icon and the title bars' control box.
QIcon ProgramIcon();
