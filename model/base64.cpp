#include "base64.h"

#include <cstdint>

namespace klu {

void AppendBase64(std::string& out, std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const size_t start = out.size();
    out.resize(start + (bytes.size() + 2) / 3 * 4);
    char* to = out.data() + start;
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                               static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1]))
                                   << 8 |
                               static_cast<unsigned char>(bytes[i + 2]);
        *to++ = kAlphabet[group >> 18];
        *to++ = kAlphabet[(group >> 12) & 0x3F];
        *to++ = kAlphabet[(group >> 6) & 0x3F];
        *to++ = kAlphabet[group & 0x3F];
    }
    const size_t rest = bytes.size() - i;
    if (rest == 0) return;
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    *to++ = kAlphabet[group >> 18];
    *to++ = kAlphabet[(group >> 12) & 0x3F];
    *to++ = rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    *to = '=';
}

}  // namespace klu
