#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "decoded_bitmap.h"
#include "model/outline/png_check.h"

namespace klu {

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
