#include "seed_media.h"

#include <cstdint>

namespace klu::seeds {
namespace {

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string TinyPng() {
    static const unsigned char kBytes[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xfd,
        0xd4, 0x9a, 0x73, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0xf8,
        0xcf, 0xc0, 0xc0, 0x00, 0xc2, 0x0c, 0xff, 0x81, 0x00, 0x00, 0x1f, 0xee, 0x05, 0xfb, 0xf1,
        0xab, 0xba, 0x77, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    return {reinterpret_cast<const char*>(kBytes), sizeof kBytes};
}

std::string TinyGif() {
    static const unsigned char kBytes[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                           0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff,
                                           0xff, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                           0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    return {reinterpret_cast<const char*>(kBytes), sizeof kBytes};
}

std::string TinyWave(size_t samples) {
    constexpr uint32_t kRate = 8000;
    const auto data_size = static_cast<uint32_t>(samples);
    std::string out = "RIFF";
    AppendLittleEndian(out, 36 + data_size, 4);
    out += "WAVEfmt ";
    AppendLittleEndian(out, 16, 4);     // format block size
    AppendLittleEndian(out, 1, 2);      // PCM
    AppendLittleEndian(out, 1, 2);      // mono
    AppendLittleEndian(out, kRate, 4);  // sample rate
    AppendLittleEndian(out, kRate, 4);  // bytes per second
    AppendLittleEndian(out, 1, 2);      // block align
    AppendLittleEndian(out, 8, 2);      // bits per sample
    out += "data";
    AppendLittleEndian(out, data_size, 4);
    // A square wave, with the end-of-text and line-end bytes among the samples.
    for (size_t i = 0; i < samples; ++i)
        out.push_back(static_cast<char>((i / 8) % 2 ? 0x1A : 0x0A));
    return out;
}

std::string NotAPicture() {
    return std::string("\x89PNG\r\n\x1a\n", 8) + "truncated";
}

}  // namespace klu::seeds
