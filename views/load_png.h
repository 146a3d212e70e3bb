#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "decoded_bitmap.h"

namespace klu {

// Larger pictures are not decoded (8192 x 8192 is the largest square that is).
inline constexpr int64_t kMaxPicturePixels = int64_t{64} << 20;

// Decodes the PNG picture that starts at byte offset of the file into an 8-bit bitmap:
// - a picture with a palette keeps its pixel values, and the palette is the colour table;
// - a true-colour picture with a suggested palette is mapped to that palette, one without to
//   the colour cube (ColourCubeTable), each pixel to the nearest colour;
// - a grey-scale picture gets a 256-level grey ramp, its levels scaled to 8 bits;
// - alpha and a transparent colour are painted on white, except in palette pictures, whose
//   transparency is ignored; 16-bit samples keep their high byte.
// Gives nothing when the file cannot be read, the data is no complete PNG picture, or the
// picture is larger than kMaxPicturePixels. Reads through a 4096-byte buffer.
std::unique_ptr<DecodedBitmap> LoadPNG(const std::string& path, int64_t offset);

}  // namespace klu
