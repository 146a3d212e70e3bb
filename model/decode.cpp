#include "decode.h"

#include <algorithm>
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

// "While v < 32, add 96" in one step, so that very negative values cost no loop, and without a
// branch: (127 - v) / 96 is the number of steps below 32 and at most 0 from 32 up.
int RaiseToPrintable(int v) {
    return v + 96 * std::max(0, (127 - v) / 96);
}

char DecodeKeyedByte(char stored, int mixed_key) {
    return static_cast<char>(RaiseToPrintable(Signed(stored) - mixed_key));
}

}  // namespace

void BuildDecodeTable88() {
    (void)Table88();
}

std::string Decode88(std::string_view stored) {
    std::string out(stored.size(), '\0');
    Decode88Into(stored, out.data());
    return out;
}

void Decode88Into(std::string_view stored, char* out) {
    const auto& table = Table88();
    for (size_t i = 0; i < stored.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(stored[i])]);
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
    std::string out(stored.size(), '\0');
    DecodeNestedHintInto(stored, key, out.data());
    return out;
}

void DecodeNestedHintInto(std::string_view stored, std::string_view key, char* out) {
    if (key.empty()) {
        std::copy(stored.begin(), stored.end(), out);
        return;
    }
    // Locals, so that writing the output does not make the compiler read the key's size again.
    const char* in = stored.data();
    const size_t size = stored.size();
    const char* key_bytes = key.data();
    const size_t key_size = key.size();
    for (size_t i = 0, k = 0; i < size; ++i) {
        out[i] = DecodeKeyedByte(in[i], Signed(key_bytes[k]) ^ static_cast<int>(i + 40));
        if (++k == key_size) k = 0;
    }
}

std::string DecodeTextBlock(std::string_view stored, std::string_view key) {
    std::string out(stored.size(), '\0');
    TextBlockDecoder(key).Decode(stored, out.data());
    return out;
}

namespace {

// Keys up to this length (titles are far shorter) get a table: 256 bytes per key position.
constexpr size_t kLongestTabledKey = 1024;

}  // namespace

TextBlockDecoder::TextBlockDecoder(std::string_view key) : mixed_(key.size()) {
    for (size_t k = 0; k < key.size(); ++k)
        mixed_[k] = Signed(key[k]) ^ static_cast<int>(k + 40);
    if (key.size() > kLongestTabledKey) return;
    table_.resize(key.size() * 256);
    for (size_t k = 0; k < key.size(); ++k) {
        for (int c = 0; c < 256; ++c) {
            table_[k * 256 + static_cast<size_t>(c)] = static_cast<unsigned char>(
                DecodeKeyedByte(static_cast<char>(c), mixed_[k]));
        }
    }
}

void TextBlockDecoder::Decode(std::string_view stored, char* out) const {
    const size_t key_size = mixed_.size();
    if (key_size == 0) {
        if (out != stored.data()) std::copy(stored.begin(), stored.end(), out);
        return;
    }
    // Locals, so that writing the output does not make the compiler read the key again.
    const auto* in = reinterpret_cast<const unsigned char*>(stored.data());
    const size_t size = stored.size();
    if (!table_.empty()) {
        const unsigned char* table = table_.data();
        for (size_t i = 0, row = 0; i < size; ++i) {
            out[i] = static_cast<char>(table[row + in[i]]);
            row += 256;
            if (row == key_size * 256) row = 0;
        }
        return;
    }
    const int* key = mixed_.data();
    for (size_t i = 0, k = 0; i < size; ++i) {
        out[i] = DecodeKeyedByte(static_cast<char>(in[i]), key[k]);
        if (++k == key_size) k = 0;
    }
}

}  // namespace klu
