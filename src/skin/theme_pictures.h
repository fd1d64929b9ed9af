#pragma once
// Theme pictures by name ("AZURE_BUTTON_NORMAL", "MENU_CHECKED"...), compiled
// into the program as resources under ":/skin/<NAME>.png".

#include "skin/themes.h"

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <vector>

/// How a picture marks its transparent pixels, i.e. how its drawer reads it.
enum class PictureKey : std::uint8_t {
    Opaque,          // drawn as is: no magenta anywhere
    MagentaCorners,  // magenta outside the rounded corners (drawn with the transparent flag)
    TopLeftMagenta,  // keyed by its top-left pixel, which is magenta
    TopLeftColor,    // keyed by its top-left pixel, which is the control's own colour
    White,           // keyed by white (menu check mark)
};

/// One picture the program needs.
struct ThemePictureEntry {
    QString name;
    QSize size;
    PictureKey key = PictureKey::Opaque;
    TskUIStyle style = TskUIStyle::Custom;  // Custom for "MENU_CHECKED"
};

/// Every theme picture: the Str elements of the five tables, the fixed names
/// and "MENU_CHECKED", each once, with its size and transparency key.
const std::vector<ThemePictureEntry>& ThemePictureInventory();

/// GUI thread. The picture of that name, loaded once and cached (RGB32).
/// A name that is not present gives a null image (and one warning), never
/// an exception.
QImage ThemeImage(const QString& name);
/// GUI thread. As ThemeImage, as a pixmap.
QPixmap ThemePixmap(const QString& name);
/// GUI thread. Whether a picture of that name is compiled in.
bool ThemePictureExists(const QString& name);
/// A copy in ARGB32 with every pixel of colour `key` made fully transparent.
QImage MaskedImage(const QImage& picture, QRgb key);
