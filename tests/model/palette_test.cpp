#include "model/palette.h"
#include "model/screen_colour.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// (index, 0x00BBGGRR, device code): the fixed entries, both ends of every
// range and the shades, as the palette is defined.
constexpr std::array<std::array<std::uint32_t, 3>, 29> kListed{{
    {0, 0x000000, 0},   {1, 0xFFFFFF, 1},   {2, 0x0000FF, 2},   {3, 0x00FFFF, 3},
    {4, 0x00FF00, 4},   {5, 0xFFFF00, 5},   {6, 0xFF0000, 6},   {7, 0xFF00FF, 7},
    {8, 0x8080FF, 2},   {19, 0x80FFFF, 3},  {73, 0x8C80FF, 2},  {85, 0x00FFFF, 3},
    {96, 0x00FF00, 4},  {107, 0xFFFF00, 5}, {118, 0xFF0000, 6}, {129, 0xFF00FF, 7},
    {139, 0x1700FF, 2}, {140, 0x000080, 2}, {205, 0x0C0080, 7}, {206, 0xC0C0FF, 2},
    {207, 0x4040FF, 2}, {208, 0x0000C0, 2}, {209, 0x000040, 2}, {210, 0xC0FFFF, 3},
    {221, 0x404000, 5}, {229, 0x400040, 7}, {230, 0x6060FF, 2}, {231, 0xFFFFFF, 1},
    {255, 0x000000, 0},
}};

TEST(Palette, ListedEntriesAndByteOrder)
{
    for (const auto& [index, colour, code] : kListed) {
        EXPECT_EQ(PaletteColour(std::uint8_t(index)), colour) << index;
        EXPECT_EQ(DeviceColourCode(std::uint8_t(index)), code) << index;
    }
    EXPECT_EQ(ToQColor(PaletteColour(2)), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(PaletteColour(140)), QColor(128, 0, 0));
}

TEST(Palette, RampStepsBandEdgesAndGreys)
{
    // The first sextant of each ramp walks green up the ramp's steps.
    const std::array<int, 11> steps[3] = {
        {128, 140, 151, 163, 174, 186, 197, 209, 220, 232, 243},
        {0, 23, 46, 70, 93, 116, 139, 162, 185, 209, 232},
        {0, 12, 23, 35, 47, 58, 70, 81, 93, 105, 116}};
    const int bases[3] = {8, 74, 140};
    for (int r = 0; r < 3; ++r) {
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ((PaletteColour(std::uint8_t(bases[r] + i)) >> 8) & 0xFF, std::uint32_t(steps[r][i]));
        // Band edges by position in the ramp; only the dark ramp's tail stays magenta.
        const int edges[][2] = {{5, 2},  {6, 3},  {16, 3}, {17, 4}, {27, 4}, {28, 5}, {38, 5},
                                {39, 6}, {49, 6}, {50, 7}, {60, 7}, {61, r == 2 ? 7 : 2},
                                {65, r == 2 ? 7 : 2}};
        for (const auto& [p, code] : edges)
            EXPECT_EQ(DeviceColourCode(std::uint8_t(bases[r] + p)), code) << bases[r] + p;
    }
    const int greys[] = {245, 235, 224, 213, 203, 192, 181, 171, 160, 149, 139, 128,
                         117, 107, 96,  85,  75,  64,  53,  43,  32,  21,  11};
    for (int n = 232; n <= 254; ++n) {
        EXPECT_EQ(PaletteColour(std::uint8_t(n)), std::uint32_t(greys[n - 232]) * 0x010101u) << n;
        EXPECT_EQ(DeviceColourCode(std::uint8_t(n)), 1) << n;
    }
}

// A dark code blanks the beam: only the two black entries may give it.
TEST(Palette, OnlyTheBlackEntriesPlayDark)
{
    for (int n = 0; n <= 255; ++n) {
        const int code = DeviceColourCode(std::uint8_t(n));
        EXPECT_LE(code, 7) << n;
        EXPECT_EQ(code == 0, n == 0 || n == 255) << n;
        EXPECT_EQ(PaletteColour(std::uint8_t(n)) == 0, n == 0 || n == 255) << n;
    }
}

} // namespace
