#include "model/text/base64.h"

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

std::optional<std::string> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        // "=" pads only the last group, and only its last one or two characters.
        const int padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (padding == 1 && text[i + 2] == '=') return std::nullopt;
        uint32_t group = 0;
        for (int j = 0; j < 4; ++j) {
            const char c = text[i + j];
            const char* at = c == '\0' ? nullptr : std::strchr(kAlphabet, c);
            if (j >= 4 - padding) {
                group <<= 6;
                continue;
            }
            if (!at) return std::nullopt;
            group = group << 6 | static_cast<uint32_t>(at - kAlphabet);
        }
        const char three[] = {static_cast<char>(group >> 16), static_cast<char>(group >> 8),
                              static_cast<char>(group)};
        bytes.append(three, 3 - padding);
    }
    return bytes;
}

}  // namespace klu
