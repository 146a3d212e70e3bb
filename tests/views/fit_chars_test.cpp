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

TEST(FitChars, BreaksAtTheLastBlankThatFitsAndPlacesOverlongWordsOnlyAtLineStart) {
    const FixedWidthMeasurer ten(10);
    const SkewedAverage wide_guess(20);   // guesses 3 characters for 70 pixels
    const SkewedAverage narrow_guess(5);  // guesses the whole text
    struct Case {
        const TextMeasurer& measurer;
        std::string text;
        int width;
        bool at_line_start;
        int placed;
    };
    const Case cases[] = {
        // The whole text fits only when strictly narrower; else the break at the blank is taken.
        {ten, "abc def", 71, false, 7},
        {ten, "abc def", 70, false, 3},
        // Blanks at 2, 5, 8, 11; the guess (9) lies after the blank at 8 and grows from there.
        {ten, "aa bb cc dd ee", 95, false, 8},
        // The forward search rejects a break of exactly the width, the backward one accepts it.
        {wide_guess, "abc def ghi", 70, false, 3},
        {narrow_guess, "abc def ghi", 70, false, 7},
        // A word wider than the line is placed whole only at a line start.
        {ten, "abcdefghij klm", 50, true, 10},
        {ten, "abcdefghij klm", 55, false, 0},
        // Zero width still places the first word at a line start; a negative one nothing.
        {ten, "ab cd", 0, true, 2},
        {ten, "ab cd", -1, true, 0},
        // A leading blank before an overlong first word gives 0 even at a line start.
        {ten, " abcdef", 40, true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitChars(c.measurer, c.text, c.width, c.at_line_start), c.placed)
            << '"' << c.text << "\" in " << c.width
            << (c.at_line_start ? " at line start" : "");
    }
}

TEST(FitChars, TheFixedFontIsMeasuredWithItsOwnWidth) {
    const FixedWidthMeasurer two_fonts(10, 20, 5);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Normal), 3);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Fixed), 7);
}

}  // namespace
}  // namespace klu
