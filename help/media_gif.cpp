#include "media_gif.h"

#include <cstdint>

namespace klu::media {
namespace {

void PutLe16(std::string& out, int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace

// Every pixel is sent after a clear code, which keeps the LZW codes at three bits without
// building a code table.
std::string TwoColourGif(int width, int height, Rgb zero, Rgb one,
                         const std::vector<uint8_t>& pixels) {
    std::string gif = "GIF87a";
    PutLe16(gif, width);
    PutLe16(gif, height);
    gif += static_cast<char>(0x80);  // global colour table of 2 entries
    gif += '\0';
    gif += '\0';
    for (const Rgb& c : {zero, one}) {
        gif += static_cast<char>(c.r);
        gif += static_cast<char>(c.g);
        gif += static_cast<char>(c.b);
    }
    gif += ',';
    PutLe16(gif, 0);
    PutLe16(gif, 0);
    PutLe16(gif, width);
    PutLe16(gif, height);
    gif += '\0';
    gif += static_cast<char>(2);  // minimum code size
    std::string data;
    uint32_t bits = 0;
    int count = 0;
    auto emit = [&](uint32_t code) {
        bits |= code << count;
        count += 3;
        while (count >= 8) {
            data += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    for (const uint8_t pixel : pixels) {
        emit(4);  // clear
        emit(pixel ? 1 : 0);
    }
    emit(5);  // end of information
    if (count > 0) data += static_cast<char>(bits & 0xFF);
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        gif += static_cast<char>(block.size());
        gif += block;
    }
    gif += '\0';
    gif += ';';
    return gif;
}

}  // namespace klu::media
