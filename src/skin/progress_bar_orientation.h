#pragma once
// Orientation shared by the progress bar, the track bar and the scroll bar.

#include <cstdint>

enum class TskProgressBarOrientation : std::uint8_t { skHorizontal = 0, skVertical = 1 };
