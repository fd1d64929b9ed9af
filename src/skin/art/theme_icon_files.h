#pragma once
// Finds and renders icons of an installed freedesktop icon theme (Breeze) at
// build time; nothing reads the theme when the program runs.

#include <QImage>
#include <QString>

/// The scalable file of `name` in the theme folder: the contexts (actions,
/// places, status, devices...) are searched in the 22 px folder first, then
/// 16, 24 and 32 px, then any other size. Links are followed; a link to
/// nothing does not count. Empty when the theme has no such icon.
QString FindThemeIconFile(const QString& themeDir, const QString& name);

/// The file rendered at size x size (ARGB32); null when it cannot be read.
QImage RenderIconFile(const QString& file, int size);
