#include "model/hint_stream.h"

#include <gtest/gtest.h>

namespace klu {
namespace {

HintStream Of(const std::string& text) {
    return HintStream(std::vector<char>(text.begin(), text.end()));
}

TEST(HintStream, CrLfIsOneLineEndForEveryRead) {
    HintStream s = Of("ab\r\ncd\ne\r\r\nx");
    EXPECT_EQ(s.GetLine(), "ab");
    EXPECT_EQ(s.Get(), 'c');
    EXPECT_EQ(s.Get(), 'd');
    EXPECT_EQ(s.Peek(), '\n');
    EXPECT_EQ(s.Get(), '\n');
    EXPECT_EQ(s.GetLine(), "e\r");  // a lone carriage return stays in the line
    EXPECT_EQ(s.GetLine(), "x");
    EXPECT_TRUE(s.Eof());
    EXPECT_FALSE(s.Fail());
    EXPECT_EQ(s.GetLine(), "");
    EXPECT_TRUE(s.Fail());
}

TEST(HintStream, EndOfTextByteEndsReadingUntilASeek) {
    HintStream s =
        Of("one\r\n\x1A"
           "data\r\n");
    EXPECT_EQ(s.GetLine(), "one");
    EXPECT_EQ(s.Peek(), HintStream::kEof);
    EXPECT_FALSE(s.Good());
    s.Clear();
    s.Seek(6);
    EXPECT_EQ(s.GetLine(), "data");
    s.Seek(100);
    EXPECT_TRUE(s.Fail());
}

TEST(HintStream, NumbersFollowThePrefixRuleUntilSwitchedToDecimal) {
    HintStream s = Of(" 010\r\n0x1F -7 08 000123 +5");
    EXPECT_EQ(s.ReadInt(), 8);   // octal
    EXPECT_EQ(s.ReadInt(), 31);  // hexadecimal, across a line end
    EXPECT_EQ(s.ReadInt(), -7);
    EXPECT_EQ(s.ReadInt(), 0);  // "0" octal, stops before the 8
    EXPECT_EQ(s.ReadInt(), 8);
    s.SetDecimal();
    EXPECT_EQ(s.ReadInt(), 123);  // leading zeros no longer mean octal
    EXPECT_EQ(s.ReadInt(), 5);
    EXPECT_TRUE(s.Eof());
    EXPECT_FALSE(s.Fail());
}

TEST(HintStream, MalformedAndOutOfRangeNumbersFail) {
    HintStream letters = Of("abc");
    EXPECT_EQ(letters.ReadInt(), 0);
    EXPECT_TRUE(letters.Fail());
    EXPECT_EQ(letters.GetLine(), "");  // a failed stream reads nothing

    HintStream huge = Of("99999999999999999999 1");
    EXPECT_EQ(huge.ReadInt(), INT32_MAX);
    EXPECT_TRUE(huge.Fail());

    HintStream negative = Of("-2147483648");
    EXPECT_EQ(negative.ReadInt(), INT32_MIN);
    EXPECT_FALSE(negative.Fail());
}

TEST(HintStream, LongLinesAreCutToTheLimitButConsumedWhole) {
    HintStream s = Of(std::string(200, 'k') + "\r\nnext\r\n");
    EXPECT_EQ(s.GetLine(79).size(), 79u);
    EXPECT_EQ(s.GetLine(), "next");
}

}  // namespace
}  // namespace klu
