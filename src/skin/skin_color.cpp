#include "skin/skin_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colours the skinned controls use, onto the palette roles that
// mean the same on this desktop.
QColor SystemColor(TColor c)
{
    const QPalette pal = QGuiApplication::palette();
    switch (c & 0xFFu) {
    case 0x03: return pal.color(QPalette::Inactive, QPalette::Window);
    case 0x05: return pal.color(QPalette::Base);
    case 0x08: return pal.color(QPalette::Text);
    case 0x0D: return pal.color(QPalette::Highlight);
    case 0x0E: return pal.color(QPalette::HighlightedText);
    case 0x0F: return pal.color(QPalette::Button);
    case 0x10: return pal.color(QPalette::Dark);
    case 0x11: return pal.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return pal.color(QPalette::ButtonText);
    default: return pal.color(QPalette::Window);
    }
}

}  // namespace

QColor ToQColor(TColor c)
{
    if (IsSystemColor(c))
        return SystemColor(c);
    if (c == clNone || c == clDefault)
        return {};
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColor FromQColor(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return RGBColor(rgb.red(), rgb.green(), rgb.blue());
}
