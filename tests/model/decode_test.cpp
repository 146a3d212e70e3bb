#include <gtest/gtest.h>

#include "model/decode.h"
#include "model/encipher.h"

namespace klu {
namespace {

TEST(Decode88, SubstitutesByTheUnsignedByteAndKeepsControlCharacters) {
    EXPECT_EQ(Decode88("A"), "b");                        // 65 -> 2*65-32
    EXPECT_EQ(Decode88("P"), "!");                        // 80 -> 2*80-127
    EXPECT_EQ(Decode88("\xC0"), std::string(1, '\x01'));  // 192 -> 257 mod 256
    EXPECT_EQ(Decode88("\xFF"), std::string(1, '\x7F'));
    EXPECT_EQ(Decode88("\x10\t"), "\x10\t");
    EXPECT_EQ(Decode88(""), "");
    EXPECT_EQ(Decode88("AP\xC0").size(), 3u);
}

TEST(TextKey, AddsTheMixedConstantAndFoldsAbove127) {
    EXPECT_EQ(DeriveTextKey("A"), "?");  // 65 + (118^40) = 159, less 96
    EXPECT_EQ(DeriveTextKey("abcd"), "_F^a");
    // Title bytes are signed: 0xE9 counts as -23, giving 71.
    EXPECT_EQ(DeriveTextKey("\xE9"), "G");
    EXPECT_EQ(DeriveTextKey(""), "");
}

TEST(KeyedDecoders, MixDifferentPositionsIntoTheKey) {
    const std::string key = "?";
    EXPECT_EQ(DecodeNestedHint("AB", key), "*,");  // position in the line
    EXPECT_EQ(DecodeTextBlock("AB", key), "*+");   // position in the key
    // A difference below 32 is raised by 96 until it is at least 32: 32-23 -> 105.
    EXPECT_EQ(DecodeNestedHint(" ", key), "i");
    // Stored bytes are signed: 0xC8 is -56, -56-23 = -79 -> 113.
    EXPECT_EQ(DecodeNestedHint("\xC8", key), "q");
}

TEST(KeyedDecoders, PositionsPast87MixInPlainIntegers) {
    // At position 88, i + 40 = 128 does not fit a signed byte; 63 ^ 128 = 191 and 65 - 191 = -126
    // is raised twice to 66.
    const std::string decoded = DecodeNestedHint(std::string(89, 'A'), "?");
    EXPECT_EQ(decoded[88], 'B');
}

TEST(KeyedDecoders, EmptyKeyLeavesTheLineAsStored) {
    EXPECT_EQ(DecodeNestedHint("stored", ""), "stored");
    EXPECT_EQ(DecodeTextBlock("stored", ""), "stored");
}

TEST(KeyedDecoders, DifferentRootTitlesDecodeTheSameLineDifferently) {
    const std::string line = "Same stored line";
    EXPECT_NE(DecodeNestedHint(line, DeriveTextKey("First Game")),
              DecodeNestedHint(line, DeriveTextKey("Second Game")));
}

TEST(Encipher, InvertsEveryDecoderOverPrintableText) {
    std::string plain;
    for (int c = 32; c < 127; ++c)
        plain += static_cast<char>(c);
    plain += plain;  // long enough to pass position 88
    const std::string key = DeriveTextKey("The Lighthouse of Marrow Bay");
    const auto nested = EncodeNestedHint(plain, key);
    const auto block = EncodeTextBlock(plain, key);
    const auto old = Encode88(plain);
    ASSERT_TRUE(nested && block && old);
    EXPECT_EQ(DecodeNestedHint(*nested, key), plain);
    EXPECT_EQ(DecodeTextBlock(*block, key), plain);
    EXPECT_EQ(Decode88(*old), plain);
    for (const std::string* stored : {&*nested, &*block, &*old}) {
        for (char c : *stored)
            EXPECT_FALSE(IsReservedStoredByte(static_cast<unsigned char>(c)));
    }
}

TEST(Encipher, ReportsBytesTheSubstitutionCannotReach) {
    EXPECT_FALSE(Encode88("\xE0"));  // even values above 127 are never produced
    EXPECT_TRUE(Encode88("\xE9"));   // odd ones are
    EXPECT_EQ(Decode88(*Encode88("caf\xE9")), "caf\xE9");
}

}  // namespace
}  // namespace klu
