#include "model/palette.h"

#include <array>

// The table is built at compile time from the rules that define it: fixed
// entries, three hue ramps, shades of the six hues and a grey ramp.

namespace {

struct Entry {
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::uint8_t code = 0;
};

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

// Device codes of the six hues red, yellow, green, cyan, blue, magenta.
constexpr std::uint8_t kRed = 2;
constexpr std::uint8_t kMagenta = 7;
constexpr int kRampLength = 66;
constexpr int kRampStep = 11;

// lo + round((hi - lo) * i / 11) in integers; no value falls on a half.
constexpr int RampLevel(int lo, int hi, int i)
{
    return lo + (2 * (hi - lo) * i + kRampStep) / (2 * kRampStep);
}

// A hue ramp of 66 entries running red, yellow, green, cyan, blue, magenta
// and back toward red. Each pure hue owns the five entries on either side of
// it; the tail after magenta plays as red, except in the dark ramp, whose
// tail stays magenta.
constexpr void FillRamp(std::array<Entry, 256>& t, int base, int lo, int hi, std::uint8_t tailCode)
{
    for (int p = 0; p < kRampLength; ++p) {
        const int s = p / kRampStep;
        const int i = p % kRampStep;
        const int up = RampLevel(lo, hi, i);
        const int down = RampLevel(lo, hi, kRampStep - i);
        std::uint32_t c = 0;
        switch (s) {
        case 0: c = Rgb(hi, up, lo); break;
        case 1: c = Rgb(down, hi, lo); break;
        case 2: c = Rgb(lo, hi, up); break;
        case 3: c = Rgb(lo, down, hi); break;
        case 4: c = Rgb(up, lo, hi); break;
        default: c = Rgb(hi, lo, down); break;
        }
        const int band = (p + 5) / kRampStep;  // 0..6
        const std::uint8_t code = band == 6 ? tailCode : std::uint8_t(kRed + band);
        t[std::size_t(base + p)] = {c, code};
    }
}

// Shades 206..229: four per hue, the hue's own channels at 255, 255, 192, 64
// and the others at 192, 64, 0, 0.
constexpr void FillShades(std::array<Entry, 256>& t)
{
    // Which of red, green, blue belong to each hue.
    constexpr bool own[6][3] = {
        {true, false, false}, {true, true, false}, {false, true, false},
        {false, true, true},  {false, false, true}, {true, false, true},
    };
    constexpr int ownLevel[4] = {255, 255, 192, 64};
    constexpr int otherLevel[4] = {192, 64, 0, 0};
    for (int g = 0; g < 6; ++g) {
        for (int j = 0; j < 4; ++j) {
            int ch[3] = {};
            for (int k = 0; k < 3; ++k)
                ch[k] = own[g][k] ? ownLevel[j] : otherLevel[j];
            t[std::size_t(206 + 4 * g + j)] = {Rgb(ch[0], ch[1], ch[2]), std::uint8_t(kRed + g)};
        }
    }
}

constexpr std::array<Entry, 256> BuildTable()
{
    std::array<Entry, 256> t{};
    t[0] = {Rgb(0, 0, 0), 0};
    t[1] = {Rgb(255, 255, 255), 1};
    constexpr std::uint32_t pure[6] = {
        Rgb(255, 0, 0), Rgb(255, 255, 0), Rgb(0, 255, 0),
        Rgb(0, 255, 255), Rgb(0, 0, 255), Rgb(255, 0, 255),
    };
    for (int h = 0; h < 6; ++h)
        t[std::size_t(2 + h)] = {pure[h], std::uint8_t(kRed + h)};
    FillRamp(t, 8, 128, 255, kRed);      // pastel
    FillRamp(t, 74, 0, 255, kRed);       // saturated
    FillRamp(t, 140, 0, 128, kMagenta);  // dark
    FillShades(t);
    t[230] = {Rgb(255, 96, 96), kRed};
    t[231] = {Rgb(255, 255, 255), 1};
    for (int n = 232; n <= 254; ++n) {
        const int v = ((255 - n) * 64 + 3) / 6;  // round((255 - n) * 32 / 3)
        t[std::size_t(n)] = {Rgb(v, v, v), 1};
    }
    t[255] = {Rgb(0, 0, 0), 0};
    return t;
}

constexpr std::array<Entry, 256> kTable = BuildTable();

} // namespace

std::uint32_t PaletteColour(std::uint8_t index) { return kTable[index].colour; }

std::uint8_t DeviceColourCode(std::uint8_t index) { return kTable[index].code; }
