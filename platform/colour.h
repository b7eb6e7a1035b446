#pragma once
#include <cstdint>

// A colour as 0x00BBGGRR: red in the low byte, the top byte unused. The skin's
// colour tables and the saved artwork values use this layout.
using Colour = std::uint32_t;

constexpr Colour rgbColour(int red, int green, int blue)
{
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
