#include "base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace klu {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every 12 bits, so that three bytes take two look-ups instead of four.
struct PairTable {
    std::array<std::array<char, 2>, 4096> pairs{};
    PairTable() {
        for (size_t bits = 0; bits < pairs.size(); ++bits)
            pairs[bits] = {kAlphabet[bits >> 6], kAlphabet[bits & 0x3F]};
    }
};

// Base64 of the bytes as byte_at(i) gives them.
template <typename ByteAt>
void AppendBase64Of(std::string& out, size_t size, ByteAt&& byte_at) {
    static const PairTable table;
    const size_t start = out.size();
    out.resize(start + (size + 2) / 3 * 4);
    char* to = out.data() + start;
    size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const uint32_t group = uint32_t{byte_at(i)} << 16 | uint32_t{byte_at(i + 1)} << 8 |
                               byte_at(i + 2);
        std::memcpy(to, table.pairs[group >> 12].data(), 2);
        std::memcpy(to + 2, table.pairs[group & 0xFFF].data(), 2);
        to += 4;
    }
    const size_t rest = size - i;
    if (rest == 0) return;
    uint32_t group = uint32_t{byte_at(i)} << 16;
    if (rest == 2) group |= uint32_t{byte_at(i + 1)} << 8;
    *to++ = kAlphabet[group >> 18];
    *to++ = kAlphabet[(group >> 12) & 0x3F];
    *to++ = rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
    *to = '=';
}

}  // namespace

void AppendBase64(std::string& out, std::string_view bytes) {
    AppendBase64Of(out, bytes.size(),
                   [&](size_t i) { return static_cast<uint8_t>(bytes[i]); });
}

void AppendBase64(std::string& out, std::string_view bytes, std::span<const uint8_t, 16> key) {
    AppendBase64Of(out, bytes.size(), [&](size_t i) {
        return static_cast<uint8_t>(static_cast<uint8_t>(bytes[i]) ^ key[i % key.size()]);
    });
}

}  // namespace klu
