// Draws the pictures and makes the sounds of the demo game, so that the repository holds only
// the program that makes them: make_demo_media FOLDER writes bay.png, lamp.png, bell.wav and
// oldmap.gif there.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "media_gif.h"
#include "media_png.h"

namespace klu {
namespace {

using media::Rgb;
using media::WritePalettePng;

// The colours of the bay, and after them the two of the lit lamp. An overlay's pixel values are
// painted into its picture unchanged, so they index the picture's palette: the lamp shares it.
const std::vector<Rgb>& BayPalette() {
    static const std::vector<Rgb> palette = {{250, 200, 140}, {40, 90, 160},  {230, 210, 150},
                                             {245, 245, 240}, {200, 40, 40},  {60, 60, 70},
                                             {255, 230, 80},  {255, 255, 200}};
    return palette;
}

// The bay at dusk: sky, sea, sand and a lighthouse with a dark lamp room at (152, 30).
bool WriteBay(const std::string& path) {
    const int w = 240, h = 160;
    const std::vector<Rgb>& palette = BayPalette();
    std::vector<uint8_t> pixels(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t c = y < 70 ? 0 : (y < 110 + (x / 24) % 3 ? 1 : 2);
            const bool tower = x >= 140 && x < 176 && y >= 40 && y < 120;
            if (tower) c = ((y - 40) / 16) % 2 ? 4 : 3;
            if (x >= 144 && x < 172 && y >= 24 && y < 40) c = 5;  // the lamp room
            pixels[static_cast<size_t>(y * w + x)] = c;
        }
    }
    return WritePalettePng(path, w, h, palette, pixels);
}

// The lit lamp, painted over the lamp room when the player opens it.
bool WriteLamp(const std::string& path) {
    const int w = 28, h = 16;
    std::vector<uint8_t> pixels(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2, dy = y - h / 2;
            pixels[static_cast<size_t>(y * w + x)] = dx * dx + dy * dy < 30 ? 7 : 6;
        }
    }
    return WritePalettePng(path, w, h, BayPalette(), pixels);
}

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A short fading bell: 8-bit mono PCM at 11025 Hz.
bool WriteBell(const std::string& path) {
    const int rate = 11025;
    std::string samples;
    for (int i = 0; i < rate * 4 / 10; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double v = std::sin(2 * M_PI * 880 * t) * std::exp(-6 * t);
        samples += static_cast<char>(static_cast<uint8_t>(128 + 100 * v));
    }
    std::string wav = "RIFF";
    PutLe(wav, static_cast<uint32_t>(36 + samples.size()), 4);
    wav += "WAVEfmt ";
    PutLe(wav, 16, 4);
    PutLe(wav, 1, 2);  // PCM
    PutLe(wav, 1, 2);  // mono
    PutLe(wav, rate, 4);
    PutLe(wav, rate, 4);
    PutLe(wav, 1, 2);
    PutLe(wav, 8, 2);
    wav += "data";
    PutLe(wav, static_cast<uint32_t>(samples.size()), 4);
    wav += samples;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(wav.data(), 1, wav.size(), file) == wav.size();
    return std::fclose(file) == 0 && written;
}

// An old two-colour map in GIF form: parchment crossed by two lines of ink.
bool WriteOldMap(const std::string& path) {
    const int w = 16, h = 16;
    std::vector<uint8_t> pixels;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            pixels.push_back((x == y || x + y == w - 1) ? 1 : 0);
    }
    const std::string gif = media::TwoColourGif(w, h, {200, 180, 130}, {80, 60, 40}, pixels);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(gif.data(), 1, gif.size(), file) == gif.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace
}  // namespace klu

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_media FOLDER\n");
        return 64;
    }
    const std::string folder = std::string(argv[1]) + "/";
    if (!klu::WriteBay(folder + "bay.png") || !klu::WriteLamp(folder + "lamp.png") ||
        !klu::WriteBell(folder + "bell.wav") || !klu::WriteOldMap(folder + "oldmap.gif")) {
        std::fprintf(stderr, "make_demo_media: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
