#pragma once
// Choosing the colour of new points from the palette grid (4 columns of 64).

#include "model/palette.h"

#include <cstdint>

/// Rows of the palette grid; the index of a cell is column x 64 + row.
inline constexpr int kPaletteGridRows = 64;
inline constexpr int kPaletteGridCols = 4;

/// The palette index of a grid cell, 0..255; -1 outside the grid.
constexpr int PaletteIndexOfCell(int col, int row)
{
    if (col < 0 || col >= kPaletteGridCols || row < 0 || row >= kPaletteGridRows)
        return -1;
    return col * kPaletteGridRows + row;
}

/// What the colour display shows for a chosen index.
struct PaletteChoice {
    int index = 0;
    /// 0x00BBGGRR.
    std::uint32_t colour = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline PaletteChoice ChoosePaletteColour(int index)
{
    PaletteChoice c;
    c.index = index & 0xFF;
    c.colour = PaletteColour(std::uint8_t(c.index));
    c.red = int(c.colour & 0xFF);
    c.green = int((c.colour >> 8) & 0xFF);
    c.blue = int((c.colour >> 16) & 0xFF);
    return c;
}
