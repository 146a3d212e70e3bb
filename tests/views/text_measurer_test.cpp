// The test measurers: fixed widths per font, and the counting wrapper the benchmark relies on.
#include <gtest/gtest.h>

#include "views/text_measurer.h"

namespace klu {
namespace {

TEST(FixedWidthMeasurerTest, MeasuresEachFontWithItsOwnWidth) {
    const FixedWidthMeasurer m(7, 15, 9);
    EXPECT_EQ(m.TextWidth("abc", TextFont::Normal), 21);
    EXPECT_EQ(m.TextWidth("abc", TextFont::Fixed), 27);
    EXPECT_EQ(m.TextWidth("", TextFont::Normal), 0);
    EXPECT_EQ(m.AverageCharWidth(TextFont::Fixed), 9);
    EXPECT_EQ(m.LineHeight(), 15);
    EXPECT_EQ(FixedWidthMeasurer(6).AverageCharWidth(TextFont::Fixed), 6);  // same as normal
}

TEST(CountingMeasurerTest, CountsTextWidthsOnlyAndPassesResultsThrough) {
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
