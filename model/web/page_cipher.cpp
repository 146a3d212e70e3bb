#include "model/web/page_cipher.h"

#include "model/text/base64.h"

namespace klu {
namespace {

// One step of splitmix64: spreads a hash over the bits of the key.
uint64_t Mix(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

uint64_t Fnv1a(uint64_t hash, std::string_view bytes) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

void AppendHex(std::string& out, uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += "0123456789abcdef"[(value >> shift) & 0xF];
}

PageCipher::PageCipher(std::string_view title) {
    uint64_t seed = Fnv1a(kFnvBasis, title);
    for (size_t i = 0; i < key_.size(); i += 8) {
        const uint64_t bits = Mix(seed);
        for (size_t j = 0; j < 8; ++j)
            key_[i + j] = static_cast<uint8_t>(bits >> (8 * j));
    }
}

void PageCipher::AppendEnciphered(std::string& out, std::string_view text) const {
    AppendBase64(out, text, key_);
}

void PageCipher::AppendKey(std::string& out) const {
    for (const uint8_t byte : key_)
        AppendHex(out, byte, 2);
}

}  // namespace klu
