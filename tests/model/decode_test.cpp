// The substitutions that hide hint text, each worked out by hand, and the writer's inverses.
#include <gtest/gtest.h>

#include "model/decode.h"

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

// Keys of common length decode through a table, very long ones byte by byte: over every stored
// byte value at every key position the two must agree.
TEST(KeyedDecoders, TheTextTableAgreesWithTheArithmeticOfLongKeys) {
    std::string stored, long_key;
    for (size_t i = 0; i < 1100; ++i) {
        stored += static_cast<char>(i * 7 % 256);
        long_key += static_cast<char>(i * 13 % 256);
    }
    const std::string by_table = DecodeTextBlock(stored.substr(0, 1024), long_key.substr(0, 1024));
    EXPECT_EQ(DecodeTextBlock(stored, long_key).substr(0, 1024), by_table);
}

}  // namespace
}  // namespace klu
