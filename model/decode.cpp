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

char DecodeKeyedByte(char stored, int mixed_key) {
    return static_cast<char>(RaiseToPrintable(Signed(stored) - mixed_key));
}

}  // namespace

void BuildDecodeTable88() {
    (void)Table88();
}

std::string Decode88(std::string_view stored) {
    std::string out(stored);
    Decode88InPlace(out);
    return out;
}

void Decode88InPlace(std::string& line) {
    const auto& table = Table88();
    char* data = line.data();
    for (size_t i = 0; i < line.size(); ++i) {
        data[i] = static_cast<char>(table[static_cast<unsigned char>(data[i])]);
    }
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
    std::string out(stored);
    if (key.empty()) return out;
    char* data = out.data();
    for (size_t i = 0, k = 0; i < out.size(); ++i) {
        data[i] = DecodeKeyedByte(data[i], Signed(key[k]) ^ static_cast<int>(i + 40));
        if (++k == key.size()) k = 0;
    }
    return out;
}

std::string DecodeTextBlock(std::string_view stored, std::string_view key) {
    std::string out(stored);
    DecodeTextBlockInPlace(out, TextBlockKey(key));
    return out;
}

std::vector<int> TextBlockKey(std::string_view key) {
    std::vector<int> mixed(key.size());
    for (size_t k = 0; k < key.size(); ++k)
        mixed[k] = Signed(key[k]) ^ static_cast<int>(k + 40);
    return mixed;
}

void DecodeTextBlockInPlace(std::string& line, const std::vector<int>& mixed_key) {
    if (mixed_key.empty()) return;
    char* data = line.data();
    for (size_t i = 0, k = 0; i < line.size(); ++i) {
        data[i] = DecodeKeyedByte(data[i], mixed_key[k]);
        if (++k == mixed_key.size()) k = 0;
    }
}

}  // namespace klu
