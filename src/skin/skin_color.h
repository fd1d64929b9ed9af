#pragma once
// Colours as the skinned controls store them: 0x00BBGGRR, with the system
// system colours as 0x80000000 | index.

#include <QColor>

#include <cstdint>

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clSkyBlue = 0xF0CAA6;  // the key colour of the theme pictures
inline constexpr TColor clInactiveCaption = 0x80000003;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

/// The stored form of a colour given as red, green and blue (0..255).
constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

/// True for the 0x80000000 | index system colours.
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }

/// GUI thread for system colours (read from the application palette).
/// clNone and clDefault give an invalid QColor.
QColor ToQColor(TColor c);

/// The stored form of an opaque Qt colour (alpha is dropped).
TColor FromQColor(const QColor& c);
