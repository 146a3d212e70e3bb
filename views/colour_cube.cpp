#include "colour_cube.h"

#include <algorithm>
#include <cstdlib>

namespace klu {

namespace {

constexpr int kCubeFirst = 20;
constexpr int kCubeSteps = 6;
constexpr int kCubeStep = 51;
constexpr int kLevels = 32;  // of each channel cut to 5 bits

std::array<uint8_t, 32768> BuildLookup() {
    const ColourTable table = ColourCubeTable();
    std::array<uint8_t, 32768> lookup{};
    std::array<uint8_t, 32768> distance;
    distance.fill(0xFF);
    for (size_t i = 0; i < table.size(); ++i) {
        const int r = table[i].red >> 3;
        const int g = table[i].green >> 3;
        const int b = table[i].blue >> 3;
        for (int ir = 0; ir < kLevels; ++ir) {
            const int dr = std::abs(ir - r);
            for (int ig = 0; ig < kLevels; ++ig) {
                const int dg = std::abs(ig - g);
                for (int ib = 0; ib < kLevels; ++ib) {
                    const int db = std::abs(ib - b);
                    const int d = std::max({dr, dg, db}) + dr + dg + db;
                    const auto at = static_cast<size_t>(ir << 10 | ig << 5 | ib);
                    if (d < distance[at]) {
                        distance[at] = static_cast<uint8_t>(d);
                        lookup[at] = static_cast<uint8_t>(i);
                    }
                }
            }
        }
    }
    return lookup;
}

}  // namespace

ColourTable ColourCubeTable() {
    ColourTable table{};
    for (int r = 0; r < kCubeSteps; ++r) {
        for (int g = 0; g < kCubeSteps; ++g) {
            for (int b = 0; b < kCubeSteps; ++b) {
                const int entry = kCubeFirst + kCubeSteps * kCubeSteps * r + kCubeSteps * g + b;
                table[static_cast<size_t>(entry)] = {static_cast<uint8_t>(kCubeStep * r),
                                                     static_cast<uint8_t>(kCubeStep * g),
                                                     static_cast<uint8_t>(kCubeStep * b)};
            }
        }
    }
    return table;
}

const std::array<uint8_t, 32768>& ColourCubeLookup() {
    static const std::array<uint8_t, 32768> lookup = BuildLookup();
    return lookup;
}

}  // namespace klu
