// The substitutions that hide hint text, each worked out by hand, and the writer's inverses.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/format/decode.h"

namespace klu {
namespace {

TEST(Decode88, SubstitutesByTheUnsignedByteAndKeepsControlCharacters) {
    EXPECT_EQ(Decode88("AP\xC0\xFF"), "b!\x01\x7F");  // 2*65-32, 2*80-127, 257 and 383 mod 256
    EXPECT_EQ(Decode88("\x10\t"), "\x10\t");
    EXPECT_EQ(Decode88(""), "");
}

TEST(KeyedDecoders, TheKeyAddsTheMixedConstantAndEachDecoderItsOwnPosition) {
    EXPECT_EQ(DeriveTextKey("A"), "?");  // 65 + (118^40) = 159, less 96
    EXPECT_EQ(DeriveTextKey("abcd"), "_F^a");
    EXPECT_EQ(DeriveTextKey("\xE9"), "G");  // title bytes are signed: 0xE9 counts as -23
    EXPECT_EQ(DeriveTextKey(""), "");

    const std::string key = "?";
    EXPECT_EQ(DecodeNestedHint("AB", key), "*,");  // position in the line
    EXPECT_EQ(DecodeTextBlock("AB", key), "*+");   // position in the key
    // A difference below 32 is raised by 96 until it is at least 32: 32-23 -> 105.
    EXPECT_EQ(DecodeNestedHint(" ", key), "i");
    // Stored bytes are signed: 0xC8 is -56, -56-23 = -79 -> 113.
    EXPECT_EQ(DecodeNestedHint("\xC8", key), "q");
    // At position 88, i + 40 = 128 does not fit a signed byte; 63 ^ 128 = 191 and 65 - 191 = -126
    // is raised twice to 66.
    EXPECT_EQ(DecodeNestedHint(std::string(89, 'A'), key)[88], 'B');
    // An empty key leaves the line as stored.
    EXPECT_EQ(DecodeNestedHint("stored", ""), "stored");
    EXPECT_EQ(DecodeTextBlock("stored", ""), "stored");
}

// The decoders work many bytes at a time; a plain decode of one byte after another must agree
// over every stored byte value at positions beyond the widest step and beyond the positions whose
// mixed key a decoder keeps, with keys of every kind, in place and into another buffer.
char Plain88(unsigned char c) {
    return static_cast<char>(c < 32 ? c : c < 80 ? 2 * c - 32 : (2 * c - 127) % 256);
}

char PlainKeyed(char stored, char key_byte, size_t mixed_position) {
    int v = static_cast<signed char>(stored) -
            (static_cast<signed char>(key_byte) ^ static_cast<int>(mixed_position + 40));
    while (v < 32)
        v += 96;
    return static_cast<char>(v);
}

TEST(KeyedDecoders, ManyBytesAtATimeAgreeWithAPlainDecodeOfEachByte) {
    std::vector<size_t> lengths = {4095, 4096, 4097, 9001};
    for (size_t n = 0; n <= 70; ++n)
        lengths.push_back(n);
    for (const size_t key_length : {0, 1, 3, 20, 1024, 1100}) {
        std::string key;
        for (size_t k = 0; k < key_length; ++k)
            key += static_cast<char>(k * 89 + 7);
        const NestedHintDecoder nested(key);
        const TextBlockDecoder text(key);
        for (const size_t n : lengths) {
            // Exactly n bytes each, so that the sanitizer sees any byte read or written past them.
            std::vector<char> stored(n), want88(n), want_nested(n), want_text(n);
            for (size_t i = 0; i < n; ++i) {
                stored[i] = static_cast<char>(i * 151 + n);  // every byte value in 256 positions
                want88[i] = Plain88(static_cast<unsigned char>(stored[i]));
                want_nested[i] =
                    key.empty() ? stored[i] : PlainKeyed(stored[i], key[i % key_length], i);
                want_text[i] = key.empty()
                                   ? stored[i]
                                   : PlainKeyed(stored[i], key[i % key_length], i % key_length);
            }
            const std::string_view from(stored.data(), n);
            const auto check = [&](const auto& decode, const std::vector<char>& want,
                                   const char* what) {
                std::vector<char> out(n), in_place = stored;
                decode(from, out.data());
                decode(std::string_view(in_place.data(), n), in_place.data());
                EXPECT_EQ(out, want) << what << ", key of " << key_length << ", " << n << " bytes";
                EXPECT_EQ(in_place, want)
                    << what << " in place, key of " << key_length << ", " << n;
            };
            check([](std::string_view s, char* out) { Decode88Into(s, out); }, want88, "88");
            check([&](std::string_view s, char* out) { nested.Decode(s, out); }, want_nested,
                  "nested");
            check([&](std::string_view s, char* out) { text.Decode(s, out); }, want_text, "text");
        }
    }
}

}  // namespace
}  // namespace klu
