// Two-colour GIF pictures made by code, for the demo file and the tests.
#pragma once

#include <string>
#include <vector>

#include "media_png.h"

namespace klu::media {

// The bytes of a GIF picture of two colours; pixels holds 0 or 1 for each pixel, rows top
// first.
std::string TwoColourGif(int width, int height, Rgb zero, Rgb one,
                         const std::vector<uint8_t>& pixels);

}  // namespace klu::media
