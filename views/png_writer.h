#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace klu {

// The PNG colour types.
enum class PngKind { Grey, GreyAlpha, Palette, Rgb, Rgba };

struct PngColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const PngColor&) const = default;
};

// A picture to encode: one value per sample, rows top first, the channels of a pixel side by
// side (grey, alpha / red, green, blue, alpha / a palette index). Values must fit the depth.
struct PngPicture {
    PngPicture() = default;
    PngPicture(int w, int h, PngKind k, int depth)
        : width(w), height(h), kind(k), bitDepth(depth) {}

    int width = 0;
    int height = 0;
    PngKind kind = PngKind::Rgb;
    int bitDepth = 8;                 // 1, 2, 4, 8 or 16, as the kind allows
    std::vector<uint16_t> samples;    // width * height * channels values
    std::vector<PngColor> palette;    // PLTE: required for Palette, a suggestion otherwise
    std::vector<uint16_t> histogram;  // hIST, one count per palette entry; may be empty
    std::vector<uint8_t> alphas;      // tRNS of a palette picture; may be empty
    bool interlaced = false;

    int Channels() const;
};

// The file bytes of the picture, or nothing when libpng refuses it (an empty string).
std::string EncodePng(const PngPicture& picture);

// Writes the encoded picture to a file; false when it cannot be encoded or written.
bool WritePngFile(const std::string& path, const PngPicture& picture);

}  // namespace klu
