#include "skin/art/art_palette.h"

QColor ThemeQColor(TskUIStyle style, int index)
{
    const TColor c = GetThemeColor(style, index);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    auto lerp = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()));
}

ArtPalette PaletteOf(TskUIStyle style)
{
    ArtPalette p;
    p.back = ThemeQColor(style, 9);
    p.accent = ThemeQColor(style, 11);
    p.track = ThemeQColor(style, 79);
    p.scroll = ThemeQColor(style, 84);
    switch (style) {
    case TskUIStyle::Pearl:
        p.border = QColor(127, 127, 127);
        p.faceTop = QColor(254, 254, 254);
        p.faceBottom = QColor(214, 214, 216);
        p.hot = QColor(57, 115, 196);
        p.mark = QColor(40, 84, 150);
        p.titleTop = QColor(252, 252, 252);
        p.titleBottom = QColor(206, 208, 212);
        p.titleEdge = QColor(127, 127, 127);
        p.titleGlyph = QColor(64, 64, 68);
        p.closeFace = QColor(214, 84, 68);
        p.radius = 3;
        break;
    case TskUIStyle::Azure:
        p.border = QColor(0, 60, 116);
        p.faceTop = QColor(255, 255, 255);
        p.faceBottom = QColor(220, 215, 203);
        p.hot = QColor(248, 179, 48);
        p.mark = QColor(33, 161, 33);
        p.titleTop = QColor(10, 110, 246);
        p.titleBottom = QColor(0, 44, 200);
        p.titleEdge = QColor(0, 30, 140);
        p.titleGlyph = QColor(255, 255, 255);
        p.closeFace = QColor(226, 88, 52);
        p.radius = 3;
        break;
    case TskUIStyle::Ivory:
        p.border = QColor(112, 110, 104);
        p.faceTop = QColor(255, 255, 253);
        p.faceBottom = QColor(230, 227, 216);
        p.hot = QColor(45, 48, 196);
        p.mark = QColor(45, 48, 150);
        p.titleTop = QColor(78, 78, 86);
        p.titleBottom = QColor(30, 30, 36);
        p.titleEdge = QColor(10, 10, 12);
        p.titleGlyph = QColor(245, 245, 245);
        p.closeFace = QColor(190, 52, 44);
        p.radius = 3;
        break;
    case TskUIStyle::Crystal:
        // Bright violet glass, rounded and glossy: never mistaken for Navy's
        // dark, flat blue.
        p.border = QColor(100, 82, 176);
        p.faceTop = QColor(255, 255, 255);
        p.faceBottom = QColor(214, 204, 250);
        p.hot = QColor(128, 98, 255);
        p.mark = QColor(84, 56, 200);
        p.titleTop = QColor(176, 148, 255);
        p.titleBottom = QColor(84, 52, 194);
        p.titleEdge = QColor(48, 26, 118);
        p.titleGlyph = QColor(255, 255, 255);
        p.closeFace = QColor(222, 62, 112);
        p.radius = 4.5;
        p.glossy = true;
        break;
    case TskUIStyle::Navy:
    case TskUIStyle::Custom:
    default:
        p.back = ThemeQColor(TskUIStyle::Navy, 9);
        p.accent = ThemeQColor(TskUIStyle::Navy, 11);
        p.track = ThemeQColor(TskUIStyle::Navy, 79);
        p.scroll = ThemeQColor(TskUIStyle::Navy, 84);
        // Deep navy, flat and square-cornered.
        p.border = QColor(34, 46, 86);
        p.faceTop = QColor(250, 251, 253);
        p.faceBottom = QColor(198, 207, 222);
        p.hot = QColor(50, 86, 160);
        p.mark = QColor(26, 40, 88);
        p.titleTop = QColor(44, 62, 114);
        p.titleBottom = QColor(12, 22, 56);
        p.titleEdge = QColor(6, 10, 30);
        p.titleGlyph = QColor(255, 255, 255);
        p.closeFace = QColor(176, 44, 52);
        p.radius = 1.5;
        break;
    }
    return p;
}
