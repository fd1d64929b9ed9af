#pragma once
// The fixed 256-entry palette: screen colours for the previews and the
// device colour codes sent to the controllers.

#include <cstdint>

/// Screen colour of a palette index, as 0x00BBGGRR (red in the low byte).
std::uint32_t PaletteColour(std::uint8_t index);

/// Device colour code 0..7 of a palette index: 0 black (blanked), 1 white,
/// 2 red, 3 yellow, 4 green, 5 cyan, 6 blue, 7 magenta.
std::uint8_t DeviceColourCode(std::uint8_t index);
