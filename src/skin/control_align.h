#pragma once
// Where a control docks inside its parent. Controls that size themselves from
// a picture keep the dimension that docking fixes.

#include <cstdint>

enum class TAlign : std::uint8_t { alNone = 0, alTop = 1, alBottom = 2, alLeft = 3, alRight = 4, alClient = 5 };
