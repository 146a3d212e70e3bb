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
    const std::string long_word(3300, 'a');  // 33,000 pixels
    const Case cases[] = {
        // The whole text fits only when strictly narrower; else the break at the blank is taken.
        {ten, "abc def", 71, false, 7},
        {ten, "abc def", 70, false, 3},
        {ten, "abc def", 69, false, 3},
        {ten, "", 50, true, 0},
        {ten, "", 0, true, 0},
        // Blanks at 2, 5, 8, 11; the guess (9) lies after the blank at 8 and grows from there.
        {ten, "aa bb cc dd ee", 95, false, 8},
        {ten, "aa bb cc dd ee", 115, false, 11},
        // The forward search rejects a break of exactly the width, the backward one accepts it.
        {wide_guess, "abc def ghi", 70, false, 3},
        {wide_guess, "abc def ghi", 71, false, 7},
        {narrow_guess, "abc def ghi", 70, false, 7},
        {narrow_guess, "abc def ghi", 69, false, 3},
        // A word wider than the line, by the shrinking search (the guess reaches the width) and
        // the growing one (it does not).
        {ten, "abcdefghij klm", 50, true, 10},
        {ten, "abcdefghij klm", 50, false, 0},
        {ten, "abcdefghij klm", 55, true, 10},
        {ten, "abcdefghij klm", 55, false, 0},
        {ten, "abcdefghij", 55, true, 10},
        // Zero width still places the first word at a line start; a negative one nothing.
        {ten, "ab cd", 0, true, 2},
        {ten, "ab cd", 0, false, 0},
        {ten, "ab cd", -1, true, 0},
        {ten, "ab cd", -1, false, 0},
        // A leading blank before an overlong first word gives 0 even at a line start.
        {ten, " abcdef", 40, true, 0},
        {ten, " abcdefgh", 45, true, 0},
        {ten, " ab cdefgh", 40, true, 3},
        // Widths beyond the limit are cut.
        {ten, long_word, 40000, false, 0},
        {ten, long_word, 40000, true, 3300},
        {ten, long_word, 33001, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitChars(c.measurer, c.text, c.width, c.at_line_start), c.placed)
            << '"' << c.text.substr(0, 20) << "\" in " << c.width
            << (c.at_line_start ? " at line start" : "");
    }
}

TEST(FitChars, TheFixedFontIsMeasuredWithItsOwnWidth) {
    const FixedWidthMeasurer two_fonts(10, 20, 5);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Normal), 3);
    EXPECT_EQ(FitChars(two_fonts, "abc def", 50, false, TextFont::Fixed), 7);
}

TEST(CountingMeasurer, CountsTextWidthsOnlyAndPassesResultsThrough) {
    const FixedWidthMeasurer inner(10, 20, 5);
    CountingMeasurer counting(inner);
    EXPECT_EQ(counting.TextWidth("abcd", TextFont::Fixed), 20);
    EXPECT_EQ(counting.TextWidth("ab", TextFont::Normal), 20);
    EXPECT_EQ(counting.AverageCharWidth(TextFont::Normal), 10);
    EXPECT_EQ(counting.LineHeight(), 20);
    EXPECT_EQ(counting.WidthCalls(), 2);
    counting.Reset();
    EXPECT_EQ(counting.WidthCalls(), 0);
}

}  // namespace
}  // namespace klu
