#include "decode.h"

#include <array>

namespace klu {
namespace {

// Bytes of text, title and key enter the keyed arithmetic as signed 8-bit values.
int Signed(char c) {
    return static_cast<signed char>(c);
}

std::array<unsigned char, 256> MakeTable88() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 32; c <= 79; ++c)
        table[c] = static_cast<unsigned char>(2 * c - 32);
    for (int c = 80; c <= 255; ++c)
        table[c] = static_cast<unsigned char>((2 * c - 127) % 256);
    return table;
}

const std::array<unsigned char, 256>& Table88() {
    static const std::array<unsigned char, 256> table = MakeTable88();
    return table;
}

// "While v < 32, add 96" in one step, so that very negative values cost no loop.
int RaiseToPrintable(int v) {
    return v < 32 ? v + 96 * ((32 - v + 95) / 96) : v;
}

template <typename MixPosition>
std::string DecodeKeyed(std::string_view stored, std::string_view key, MixPosition mix) {
    std::string out(stored);
    if (key.empty()) return out;
    for (size_t i = 0; i < stored.size(); ++i) {
        const size_t k_index = i % key.size();
        const int k = Signed(key[k_index]) ^ static_cast<int>(mix(i, k_index) + 40);
        out[i] = static_cast<char>(RaiseToPrintable(Signed(stored[i]) - k));
    }
    return out;
}

}  // namespace

void BuildDecodeTable88() {
    (void)Table88();
}

std::string Decode88(std::string_view stored) {
    const auto& table = Table88();
    std::string out(stored.size(), '\0');
    for (size_t i = 0; i < stored.size(); ++i) {
        out[i] = static_cast<char>(table[static_cast<unsigned char>(stored[i])]);
    }
    return out;
}

std::string DeriveTextKey(std::string_view title, std::string_view constant) {
    std::string key(title.size(), '\0');
    for (size_t i = 0; i < title.size(); ++i) {
        const int k = Signed(constant[i % constant.size()]) ^ static_cast<int>(i + 40);
        int v = Signed(title[i]) + k;
        if (v > 127) v -= 96 * ((v - 127 + 95) / 96);
        key[i] = static_cast<char>(v);
    }
    return key;
}

std::string DecodeNestedHint(std::string_view stored, std::string_view key) {
    return DecodeKeyed(stored, key, [](size_t i, size_t) { return i; });
}

std::string DecodeTextBlock(std::string_view stored, std::string_view key) {
    return DecodeKeyed(stored, key, [](size_t, size_t k_index) { return k_index; });
}

}  // namespace klu
