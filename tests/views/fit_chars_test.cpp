// Line fitting with characters 10 pixels wide: where a line breaks, at the exact width and one
// pixel either side, and what happens to words that fit nowhere.
#include <gtest/gtest.h>

#include <string>

#include "views/text_layout.h"
#include "views/text_measurer.h"

namespace klu {
namespace {

// Characters 10 pixels wide, but a different average width, so that the first guess of the
// break lands before or after the place where the text really breaks.
class SkewedAverage : public FixedWidthMeasurer {
  public:
    explicit SkewedAverage(int average_width) : FixedWidthMeasurer(10), average(average_width) {}
    int AverageCharWidth(TextFont) const override { return average; }
    int average;
};

const FixedWidthMeasurer kTen(10);

TEST(FitCharsWholeText, FitsOnlyWhenStrictlyNarrower) {
    EXPECT_EQ(FitChars(kTen, "abc def", 71, false), 7);
    // 70 pixels in 70: not placed whole; the break at the space is taken instead.
    EXPECT_EQ(FitChars(kTen, "abc def", 70, false), 3);
    EXPECT_EQ(FitChars(kTen, "abc def", 69, false), 3);
}

TEST(FitCharsWholeText, EmptyTextPlacesNothing) {
    EXPECT_EQ(FitChars(kTen, "", 50, true), 0);
    EXPECT_EQ(FitChars(kTen, "", 0, true), 0);
}

TEST(FitCharsBreaks, GrowsFromTheGuessToTheLastBreakThatFits) {
    // Spaces at 2, 5, 8, 11; the guess (9) lies after the space at 8.
    EXPECT_EQ(FitChars(kTen, "aa bb cc dd ee", 95, false), 8);
    EXPECT_EQ(FitChars(kTen, "aa bb cc dd ee", 115, false), 11);
}

TEST(FitCharsBreaks, ForwardSearchRejectsABreakOfExactlyTheWidth) {
    const SkewedAverage wide_guess(20);  // guesses 3 characters for 70 pixels
    EXPECT_EQ(FitChars(wide_guess, "abc def ghi", 70, false), 3);
    EXPECT_EQ(FitChars(wide_guess, "abc def ghi", 71, false), 7);
}

TEST(FitCharsBreaks, BackwardSearchAcceptsABreakOfExactlyTheWidth) {
    const SkewedAverage narrow_guess(5);  // guesses the whole text
    EXPECT_EQ(FitChars(narrow_guess, "abc def ghi", 70, false), 7);
    EXPECT_EQ(FitChars(narrow_guess, "abc def ghi", 69, false), 3);
}

TEST(FitCharsLongWord, PlacedWholeAtLineStartOnly) {
    // The shrinking search (guess width reaches the limit) and the growing one (it does not).
    EXPECT_EQ(FitChars(kTen, "abcdefghij klm", 50, true), 10);
    EXPECT_EQ(FitChars(kTen, "abcdefghij klm", 50, false), 0);
    EXPECT_EQ(FitChars(kTen, "abcdefghij klm", 55, true), 10);
    EXPECT_EQ(FitChars(kTen, "abcdefghij klm", 55, false), 0);
    EXPECT_EQ(FitChars(kTen, "abcdefghij", 55, true), 10);
}

TEST(FitCharsLongWord, ZeroWidthStillPlacesTheFirstWordAtLineStart) {
    EXPECT_EQ(FitChars(kTen, "ab cd", 0, true), 2);
    EXPECT_EQ(FitChars(kTen, "ab cd", 0, false), 0);
}

TEST(FitCharsLongWord, NegativeWidthPlacesNothing) {
    EXPECT_EQ(FitChars(kTen, "ab cd", -1, true), 0);
    EXPECT_EQ(FitChars(kTen, "ab cd", -1, false), 0);
}

TEST(FitCharsLeadingSpace, OverlongFirstWordGivesZeroEvenAtLineStart) {
    EXPECT_EQ(FitChars(kTen, " abcdef", 40, true), 0);     // shrinking search
    EXPECT_EQ(FitChars(kTen, " abcdefgh", 45, true), 0);   // growing search
    EXPECT_EQ(FitChars(kTen, " ab cdefgh", 40, true), 3);  // the first word fits
}

TEST(FitCharsLimit, WidthsBeyondTheLimitAreCut) {
    const std::string word(3300, 'a');  // 33,000 pixels
    EXPECT_EQ(FitChars(kTen, word, 40000, false), 0);
    EXPECT_EQ(FitChars(kTen, word, 40000, true), 3300);
    EXPECT_EQ(FitChars(kTen, word, 33001, false), 0);
}

TEST(FitCharsFonts, TheFixedFontIsMeasuredWithItsOwnWidth) {
    const FixedWidthMeasurer two_fonts(10, 20, 5);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Normal), 3);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Fixed), 7);
}

}  // namespace
}  // namespace klu
