// Printed pages, with characters 10 pixels wide and lines 20 pixels high.

#include "layout_test_support.h"
#include "model/document/media_hunks.h"
#include "views/print_layout.h"

namespace klu {
namespace {

using namespace test;

// Letter paper (8.5 x 11 inches) at 600 pixels per inch, a quarter inch unprintable all round.
TEST(PageMarks, HeaderAndFooterAreLeftOutWhenTheyReachTheTextMargin) {
    const PrinterGeometry page{600, 600, 150, 150, 5100, 6600, 5100 - 300, 6600 - 300};
    // Left out when the line reaches the text margin: 150 + line height must stay below 480.
    for (const auto& [line_height, fits] : {std::pair{329, true}, {330, false}}) {
        EXPECT_EQ(PageMarksOf(page, line_height).headerFits, fits) << line_height;
        EXPECT_EQ(PageMarksOf(page, line_height).footerFits, fits) << line_height;
    }
}

TEST(PrintedSizes, PicturesAt120PixelsToTheInchSeparatorsToTheRightLimitAtMidLine) {
    EXPECT_EQ(PrintedPictureSize({120, 60}, 600, 600), (LayoutSize{600, 300}));
    EXPECT_EQ(PrintedPictureSize({120, 60}, 300, 1200), (LayoutSize{300, 600}));
    EXPECT_EQ(PrintedSeparatorOf(WrapInfo{40, 100, 50, 121, 0, 1, nullptr}, 900, 21),
              (SeparatorLine{40, 900, 110}));
}

// A text area of five 20-pixel lines, 200 pixels wide, 30 pixels from the left.
constexpr PrintArea kFiveLines{30, 10, 230, 110};

TEST(PaginateText, FillsAPageLineByLineThenGoesOnAtTheTopOfTheNext) {
    std::vector<Child> children;
    for (int i = 0; i < 12; ++i)
        children.push_back({"line " + std::to_string(i), kHard});
    const ChildHunk hunk(children);
    const PrintPages pages = Paginate(hunk, hunk.Count(), kFiveLines, 600, 600, kTen);
    std::vector<size_t> page_sizes;
    for (const auto& page : pages)
        page_sizes.push_back(page.size());
    ASSERT_EQ(page_sizes, (std::vector<size_t>{5, 5, 2}));
    // Lines at 10, 30, 50, 70, 90: the last one ends at the bottom limit, 110.
    EXPECT_EQ(pages[0][4], (WrapInfo{30, 90, 100, 110, 0, 6, hunk.GetChild(4)}));
    EXPECT_EQ(pages[1][0], (WrapInfo{30, 10, 100, 30, 0, 6, hunk.GetChild(5)}));
    EXPECT_EQ(pages[2][1], (WrapInfo{30, 30, 110, 50, 0, 7, hunk.GetChild(11)}));
}

TEST(PaginateText, LinesFitUpToTheRightLimitHardBreaksEndThemOtherChildrenRunOn) {
    // 200 pixels from x = 30 to 230: "aaaa bbbb cccc dddd eeee" is 240 wide; up to "dddd" it is
    // 190, which fits; the break space makes the fragment 200 wide and ends the line exactly
    // at the limit.
    const ChildHunk hunk(
        {{"aaaa bbbb cccc dddd eeee"}, {"ff", kHard}, {"Go", kHard, true}, {"-", kSep}});
    const std::vector<WrapInfo> all = hunk.Frags({{30, 10, 230, 30, 0, 19, 0},
                                                   {30, 30, 80, 50, 20, 4, 0},
                                                   {80, 30, 110, 50, 0, 2, 1},
                                                   {30, 50, 60, 70, 0, 2, 2},
                                                   {30, 70, 50, 90, 0, 1, 3}});
    // Only the given number of children is printed; more than there are prints them all.
    for (const auto& [visible, printed] : {std::pair{4, 5}, {2, 3}, {0, 0}, {99, 5}}) {
        EXPECT_EQ(Paginate(hunk, visible, kFiveLines, 600, 600, kTen),
                  PrintPages{std::vector<WrapInfo>(all.begin(), all.begin() + printed)})
            << visible << " children";
    }
}

// Pictures of a loaded file, borrowed into a hunk of text lines. Images are in their own
// pixels; at 60 pixels per inch they print at half that size.
TEST(PaginatePictures, APictureTakesItsPrintedSizeAndStartsANewPageOnlyAfterSomething) {
    HintDocument doc;
    auto game = MakeSubject("Game");
    game->Add(MakeData("HYPERPNG", "Tall", "PNG1"));
    game->Add(MakeData("HYPERPNG", "Flat", "PNG2"));
    const ItemsHunk* root = LoadRoot(doc, std::move(game), /*picture_mode=*/true);
    ASSERT_TRUE(root && root->GetChildCount() == 2u);
    auto* tall = NodeCast<PNGObject>(root->GetChild(0));
    auto* flat = NodeCast<PNGObject>(root->GetChild(1));
    ASSERT_TRUE(tall && flat);
    tall->hardBreak = flat->hardBreak = 0;
    const PictureSizeFn image_size = [=](const PNGObject& p) {
        return &p == tall ? LayoutSize{80, 400} : &p == flat ? LayoutSize{80, 40} : LayoutSize{};
    };
    const auto expect_pages = [&](const char* what, const std::vector<Child>& children,
                                  const std::vector<std::vector<Expected>>& pages) {
        const ChildHunk hunk(children);
        PrintPages expected;
        for (const std::vector<Expected>& page : pages)
            expected.push_back(hunk.Frags(page));
        EXPECT_EQ(Paginate(hunk, hunk.Count(), kFiveLines, 60, 60, kTen, image_size), expected)
            << what;
    };
    // The picture stands where the text had got to; x stays there for the text below it.
    expect_pages(
        "text, picture, text", {{"ab"}, {"", {}, false, flat}, {"cd", kHard}},
        {{{30, 10, 60, 30, 0, 2, 0}, {60, 10, 100, 30, 0, 0, 1}, {60, 30, 90, 50, 0, 2, 2}}});
    // Taller than the page: no blank page before it when it comes first.
    expect_pages("tall picture alone", {{"", {}, false, tall}}, {{{30, 10, 70, 210, 0, 0, 0}}});
    expect_pages("tall picture after text", {{"ab", kHard}, {"", {}, false, tall}},
                 {{{30, 10, 60, 30, 0, 2, 0}}, {{30, 10, 70, 210, 0, 0, 1}}});
}

}  // namespace
}  // namespace klu
