#pragma once

#include <array>
#include <cstdint>

#include "decoded_bitmap.h"

namespace klu {

// The colour table of true-colour pictures: entries 20 to 235 hold the 6 x 6 x 6 colour cube,
// entry 20 + 36r + 6g + b being (51r, 51g, 51b); the 40 entries around them are black.
using ColourTable = std::array<BitmapColor, 256>;
ColourTable ColourCubeTable();

// For every colour cut to its top 5 bits of red, green and blue (index r << 10 | g << 5 | b),
// the entry of that table nearest to it, chosen as libpng's full quantizing chooses: the least
// of the largest channel distance plus the sum of the channel distances, the first entry on a
// tie. Built on first use, then shared.
const std::array<uint8_t, 32768>& ColourCubeLookup();

// The cube entry for an 8-bit colour.
inline uint8_t ColourCubeEntry(const std::array<uint8_t, 32768>& lookup, uint8_t red, uint8_t green,
                               uint8_t blue) {
    return lookup[static_cast<size_t>((red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3))];
}

}  // namespace klu
