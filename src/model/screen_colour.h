#pragma once
// Screen colours of the palette (0x00BBGGRR) as Qt colours, for the painters.

#include <QColor>

#include <cstdint>

/// A 0x00BBGGRR screen colour as a QColor. QRgb has the opposite byte order,
/// so every screen colour crosses into Qt through here.
inline QColor ToQColor(std::uint32_t bbggrr)
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}
