// Layout of text children with characters 10 pixels wide and lines 20 pixels high. Text starts
// at (8, 8); a line starting at x has control width - x - 16 pixels to fit into.

#include "layout_test_support.h"
#include "model/document/media_hunks.h"
#include "views/text_layout_links.h"
#include "views/window_text.h"

namespace klu {
namespace {

using Frags = std::vector<WrapInfo>;

using namespace test;

// Characters 10 pixels wide, but a different average width, so that the first guess of the
// break lands before or after the place where the text really breaks.
class SkewedAverage : public FixedWidthMeasurer {
  public:
    explicit SkewedAverage(int average_width) : FixedWidthMeasurer(10), average(average_width) {}
    int AverageCharWidth(TextFont) const override { return average; }
    int average;
};

TEST(FitChars, BreaksAtTheLastBlankThatFitsAndPlacesOverlongWordsOnlyAtLineStart) {
    const FixedWidthMeasurer fixed_five(10, 20, 5);  // the fixed font 5 pixels wide
    const SkewedAverage wide_guess(20);              // guesses 3 characters for 70 pixels
    const SkewedAverage narrow_guess(5);             // guesses the whole text
    struct Case {
        const TextMeasurer& measurer;
        std::string text;
        int width;
        bool at_line_start;
        int placed;
        TextFont font = TextFont::Normal;
    };
    const Case cases[] = {
        // The whole text fits only when strictly narrower; else the break at the blank is taken.
        {kTen, "abc def", 71, false, 7},
        {kTen, "abc def", 70, false, 3},
        // Blanks at 2, 5, 8, 11; the guess (9) lies after the blank at 8 and grows from there.
        {kTen, "aa bb cc dd ee", 95, false, 8},
        // The forward search rejects a break of exactly the width, the backward one accepts it.
        {wide_guess, "abc def ghi", 70, false, 3},
        {narrow_guess, "abc def ghi", 70, false, 7},
        // A word wider than the line is placed whole only at a line start.
        {kTen, "abcdefghij klm", 50, true, 10},
        {kTen, "abcdefghij klm", 55, false, 0},
        // Zero width still places the first word at a line start; a negative one nothing.
        {kTen, "ab cd", 0, true, 2},
        {kTen, "ab cd", -1, true, 0},
        // A leading blank before an overlong first word gives 0 even at a line start.
        {kTen, " abcdef", 40, true, 0},
        // The fixed font is measured with its own width.
        {fixed_five, "abc def", 50, false, 3, TextFont::Normal},
        {fixed_five, "abc def", 50, false, 7, TextFont::Fixed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitChars(c.measurer, c.text, c.width, c.at_line_start, c.font), c.placed)
            << '"' << c.text << "\" in " << c.width << (c.at_line_start ? " at line start" : "")
            << (c.font == TextFont::Fixed ? " in the fixed font" : "");
    }
}

// Lays the first visible children (all when negative) out in a control width pixels wide and
// compares the fragments and the size of the document with those expected.
void ExpectLayout(const char* what, const std::vector<Child>& children, int width,
                  const std::vector<Expected>& fragments, LayoutSize size, int visible = -1,
                  const TextMeasurer& measurer = kTen) {
    const ChildHunk hunk(children);
    const LayoutResult r =
        Layout(hunk, visible < 0 ? hunk.Count() : visible, {width, 100}, measurer);
    EXPECT_EQ(r.fragments, hunk.Frags(fragments)) << what;
    EXPECT_EQ(r.size, size) << what;
}

TEST(Layout, FragmentsAndDocumentSize) {
    // 176 pixels: "aaaa bbbb cccc" (140) and its break space (10); "dddd" needs 40 of the 26
    // left, so the rest starts a new line, with the blank that joins it to the next line.
    ExpectLayout("wrap at the last space that fits", {{"aaaa bbbb cccc dddd eeee"}}, 200,
                 {{8, 8, 158, 28, 0, 14, 0}, {8, 28, 108, 48, 15, 9, 0}}, {166, 56});
    // 76 pixels for a 100-pixel word: placed whole with its break space (110 wide); x passes the
    // edge, so the line ends there and the space is not counted in the document width.
    ExpectLayout("overlong word at line start", {{"abcdefghij kl"}}, 100,
                 {{8, 8, 118, 28, 0, 10, 0}, {8, 28, 38, 48, 11, 2, 0}}, {116, 56});
    ExpectLayout("source lines get one blank, pieces none",
                 {{"ab"}, {"cd", {.endsSourceLine = false}}, {"ef"}}, 200,
                 {{8, 8, 38, 28, 0, 2, 0}, {38, 8, 58, 28, 0, 2, 1}, {58, 8, 88, 28, 0, 2, 2}},
                 {96, 36});
    ExpectLayout("hard breaks and separators",
                 {{"first hint", kHard}, {"second"}, {"third", kHard}, {"-", kSep}}, 200,
                 {{8, 8, 118, 28, 0, 10, 0},
                  {8, 28, 78, 48, 0, 6, 1},
                  {78, 28, 138, 48, 0, 5, 2},
                  {8, 48, 28, 68, 0, 1, 3}},
                 {146, 76});
    ExpectLayout("sub-hunk by its title", {{"See"}, {"Open me", {}, true}, {"ok"}}, 200,
                 {{8, 8, 48, 28, 0, 3, 0}, {48, 8, 128, 28, 0, 7, 1}, {128, 8, 158, 28, 0, 2, 2}},
                 {166, 36});
    // 3 x 6 + a fixed-font blank of 6, then 2 x 10 + a normal blank of 10.
    ExpectLayout("fixed-font child in the fixed font", {{"abc", {.altFont = true}}, {"de"}}, 200,
                 {{8, 8, 32, 28, 0, 3, 0}, {32, 8, 62, 28, 0, 2, 1}}, {70, 36}, -1,
                 FixedWidthMeasurer(10, 20, 6));
    // The last visible child ends its line though the next child's hard break is not reached;
    // none visible gives just the margins.
    const std::vector<Child> three = {{"ab"}, {"cd", kHard}, {"ef", kHard}};
    ExpectLayout("one visible", three, 200, {{8, 8, 38, 28, 0, 2, 0}}, {46, 36}, 1);
    ExpectLayout("none visible", three, 200, {}, {8, 16}, 0);
}

// A font's first measurement loads its face: text without the fixed font leaves it unasked.
TEST(Layout, MeasuresTheFixedFontOnlyForFixedText) {
    struct FontsAsked : FixedWidthMeasurer {
        int TextWidth(std::string_view text, TextFont font) const override {
            fixed |= font == TextFont::Fixed;
            return FixedWidthMeasurer::TextWidth(text, font);
        }
        mutable bool fixed = false;
    };
    for (const bool alt : {false, true}) {
        const ChildHunk hunk({{"ab cd"}, {"ef", {.altFont = alt}}});
        const FontsAsked measurer;
        Layout(hunk, hunk.Count(), {200, 100}, measurer, {});
        EXPECT_EQ(measurer.fixed, alt);
    }
}

TEST(Layout, PictureTakesItsImageSizeOrNoneAndKeepsItsHotSpots) {
    HintDocument doc;
    auto root = MakeSubject("Game");
    HintNode* pic = root->Add(MakeData("HYPERPNG", "Pic", "PNGDATA"));
    pic->AddRegion(0, 0, 10, 10, MakeText("T1", {"one"}));
    pic->AddRegion(5, 5, 20, 20, MakeText("T2", {"two"}));
    const ItemsHunk* game = LoadRoot(doc, std::move(root));
    ASSERT_TRUE(game && game->GetChildCount() == 1u);
    auto* picture = NodeCast<HyperPNGHunk>(game->GetChild(0));
    PNGObject* object = picture ? picture->Finish() : nullptr;
    ASSERT_TRUE(object && object->regions.size() == 2u);
    ASSERT_TRUE(object->hardBreak);  // hunks end their line when the file is read
    const std::vector<LinkInfo> hot_spots = {{8, 8, 18, 18, object->regions[0].target},
                                              {13, 13, 28, 28, object->regions[1].target}};
    const PictureSizeFn decoded = [object](const PNGObject& p) {
        return &p == object ? LayoutSize{40, 30} : LayoutSize{};
    };
    // Decoded, below the image the picture's hard break ends one more line; not decoded, it takes
    // no room.
    for (const auto& [size_of, right, bottom, size] :
         {std::tuple{decoded, 48, 38, LayoutSize{56, 66}}, {PictureSizeFn{}, 8, 8, LayoutSize{16, 36}}}) {
        const LayoutResult r = Layout(*picture, 1, {200, 100}, kTen, size_of);
        EXPECT_EQ(r.fragments, (Frags{{8, 8, right, bottom, 0, 0, object}})) << right;
        EXPECT_EQ(r.size, size) << right;
        EXPECT_EQ(LinksOf(r.fragments), hot_spots) << right;
    }
}

// The text that Copy puts on the clipboard.
TEST(VisibleText, VisibleChildrenJoinedByTheirFlagsSeparatorsAsEmptyLinesEndingTheText) {
    const std::vector<Child> joined = {{"a"},
                                       {"b", {.endsSourceLine = false}},
                                       {"c", {.hardBreak = true, .endsSourceLine = false}}};
    const std::vector<Child> mixed = {{"first hint", kHard},
                                      {"-", {.isSeparator = true}},
                                      {"a link", {}, true},
                                      {"hidden", kHard}};
    const struct {
        const std::vector<Child>& children;
        int visible;
        const char* text;
    } cases[] = {
        {joined, 3, "a bc\n"},
        // The last visible child ends its line even without a hard break.
        {mixed, 3, "first hint\n\na link\n"},
        {mixed, 0, ""},
        // More than the hunk has shows what it has.
        {mixed, 99, "first hint\n\na link hidden\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VisibleText(ChildHunk(c.children), c.visible), c.text) << c.visible;
}

}  // namespace
}  // namespace klu
