#include "model/palette.h"

// Placeholder until the generated table lands.
std::uint32_t PaletteColour(std::uint8_t) { return 0; }
std::uint8_t DeviceColourCode(std::uint8_t) { return 0; }
