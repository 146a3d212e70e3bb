#include "seed_png.h"

#include <cstdint>

#include "views/png_writer.h"

namespace klu::seeds {
namespace {

constexpr int kWidth = 9;
constexpr int kHeight = 7;

// Samples that vary across the picture, within the depth.
PngPicture Pattern(PngKind kind, int depth) {
    PngPicture picture(kWidth, kHeight, kind, depth);
    const int top = (1 << depth) - 1;
    const int channels = picture.Channels();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < channels; ++c)
                picture.samples.push_back(
                    static_cast<uint16_t>((x * 37 + y * 91 + c * 53) % (top + 1)));
        }
    }
    return picture;
}

std::vector<PngColor> Palette(int count) {
    std::vector<PngColor> palette;
    for (int i = 0; i < count; ++i) {
        palette.push_back({static_cast<uint8_t>(i * 40), static_cast<uint8_t>(255 - i * 3),
                           static_cast<uint8_t>(i * 11)});
    }
    return palette;
}

PngPicture PalettePattern(int depth, int colors) {
    PngPicture picture = Pattern(PngKind::Palette, depth);
    for (uint16_t& s : picture.samples)
        s = static_cast<uint16_t>(s % colors);
    picture.palette = Palette(colors);
    return picture;
}

}  // namespace

std::vector<RawSeed> PngSeeds() {
    std::vector<RawSeed> seeds;
    auto add = [&seeds](std::string name, const PngPicture& picture) {
        seeds.push_back({"png_" + std::move(name), EncodePng(picture)});
    };
    for (const int depth : {1, 2, 4, 8})
        add("palette" + std::to_string(depth), PalettePattern(depth, 1 << depth));
    PngPicture marked = PalettePattern(8, 16);
    marked.histogram.assign(16, 3);
    marked.alphas = {0, 64, 255};
    add("palette_trns_hist", marked);
    PngPicture interlaced_palette = PalettePattern(4, 16);
    interlaced_palette.interlaced = true;
    add("palette_interlaced", interlaced_palette);

    for (const int depth : {8, 16}) {
        const std::string bits = std::to_string(depth);
        add("rgb" + bits, Pattern(PngKind::Rgb, depth));
        add("rgba" + bits, Pattern(PngKind::Rgba, depth));
        add("grey_alpha" + bits, Pattern(PngKind::GreyAlpha, depth));
    }
    PngPicture suggested = Pattern(PngKind::Rgb, 8);
    suggested.palette = Palette(12);
    suggested.histogram.assign(12, 1);
    add("rgb_suggested_palette", suggested);
    PngPicture interlaced = Pattern(PngKind::Rgba, 8);
    interlaced.interlaced = true;
    add("rgba_interlaced", interlaced);

    for (const int depth : {1, 2, 4, 8, 16})
        add("grey" + std::to_string(depth), Pattern(PngKind::Grey, depth));

    // Cut inside the image data, and not a picture at all.
    const std::string whole = EncodePng(Pattern(PngKind::Rgb, 8));
    seeds.push_back({"png_truncated", whole.substr(0, whole.size() - 20)});
    seeds.push_back({"png_not_a_picture", std::string("\x89PNG\r\n\x1a\n", 8) + "no chunks"});
    return seeds;
}

}  // namespace klu::seeds
