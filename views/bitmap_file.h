#pragma once

#include <string>

namespace klu {

class DecodedBitmap;

// The bitmap as a Windows bitmap file: file header, 40-byte information header, the colour
// table (as many entries as the bitmap has colours) and the bottom-up rows, 8 bits per pixel,
// uncompressed.
std::string BmpFileBytes(const DecodedBitmap& bitmap);

// Writes that file in place of what is there, which a failed write leaves as it was; false
// when it cannot be written.
bool WriteBmpFile(const DecodedBitmap& bitmap, const std::string& path);

}  // namespace klu
