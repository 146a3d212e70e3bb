#pragma once

#include <string>
#include <vector>

namespace klu::seeds {

// One starting input of the PNG decoder: a file name and its bytes.
struct RawSeed {
    std::string name;
    std::string bytes;
};

// Small pictures of every colour type and depth the decoder meets (palettes of 1 to 8 bits
// with and without transparency and histogram, true colour of 8 and 16 bits with and without
// alpha or a suggested palette, grey of 1 to 16 bits, interlaced ones), and two it rejects.
std::vector<RawSeed> PngSeeds();

}  // namespace klu::seeds
