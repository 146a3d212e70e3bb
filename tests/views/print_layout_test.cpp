// Pages of printed text with characters 10 pixels wide and lines 20 pixels high, whether header
// and footer fit, and the printed size of pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout_test_support.h"
#include "model/media_hunks.h"
#include "views/print_layout.h"

namespace klu {

namespace {

using test::AddLine;
using test::AddSubHunk;
using test::Frag;

const FixedWidthMeasurer kTen(10, 20);

// Letter paper (8.5 x 11 inches) at 600 pixels per inch, a quarter inch unprintable all round.
TEST(PageMarks, HeaderAndFooterAreLeftOutWhenTheyReachTheTextMargin) {
    const TPrinterGeometry page{600, 600, 150, 150, 5100, 6600, 5100 - 300, 6600 - 300};
    // Left out when the line reaches the text margin: 150 + line height must stay below 480.
    EXPECT_TRUE(PageMarksOf(page, 329).headerFits);
    EXPECT_TRUE(PageMarksOf(page, 329).footerFits);
    EXPECT_FALSE(PageMarksOf(page, 330).headerFits);
    EXPECT_FALSE(PageMarksOf(page, 330).footerFits);
}

TEST(PrintedSizes, PicturesAt120PixelsToTheInchSeparatorsToTheRightLimitAtMidLine) {
    EXPECT_EQ(PrintedPictureSize({120, 60}, 600, 600), (TSize{600, 300}));
    EXPECT_EQ(PrintedPictureSize({120, 60}, 300, 1200), (TSize{300, 600}));
    EXPECT_EQ(PrintedSeparatorOf(Frag(40, 100, 50, 121, 0, 1, nullptr), 900, 21),
              (TSeparatorLine{40, 900, 110}));
}

// Fragments of every page, one list per page, for readable failures.
std::vector<size_t> PageSizes(const TPrintPages& pages) {
    std::vector<size_t> sizes;
    for (const auto& page : pages)
        sizes.push_back(page.size());
    return sizes;
}

// A text area of five 20-pixel lines, 200 pixels wide, 30 pixels from the left.
constexpr TPrintArea kFiveLines{30, 10, 230, 110};

TPrintPages PaginateAll(const TItemsHunk& hunk, const TPrintArea& area = kFiveLines) {
    return Paginate(hunk, static_cast<int>(hunk.GetChildCount()), area, 600, 600, kTen);
}

TEST(PaginateText, FillsAPageLineByLineThenGoesOnAtTheTopOfTheNext) {
    TItemsHunk hunk("h");
    std::vector<TKLUObject*> lines;
    for (int i = 0; i < 12; ++i)
        lines.push_back(AddLine(hunk, "line " + std::to_string(i), {.hardBreak = true}));
    const TPrintPages pages = PaginateAll(hunk);
    ASSERT_EQ(PageSizes(pages), (std::vector<size_t>{5, 5, 2}));
    // Lines at 10, 30, 50, 70, 90: the last one ends at the bottom limit, 110.
    EXPECT_EQ(pages[0][4], Frag(30, 90, 100, 110, 0, 6, lines[4]));
    EXPECT_EQ(pages[1][0], Frag(30, 10, 100, 30, 0, 6, lines[5]));
    EXPECT_EQ(pages[2][1], Frag(30, 30, 110, 50, 0, 7, lines[11]));
}

TEST(PaginateText, LinesFitUpToTheRightLimitHardBreaksEndThemOtherChildrenRunOn) {
    TItemsHunk hunk("h");
    // 200 pixels from x = 30 to 230: "aaaa bbbb cccc dddd eeee" is 240 wide; up to "dddd" it is
    // 190, which fits; the break space makes the fragment 200 wide and ends the line exactly
    // at the limit.
    TKLUObject* line = AddLine(hunk, "aaaa bbbb cccc dddd eeee");
    TKLUObject* b = AddLine(hunk, "ff", {.hardBreak = true});
    THunk* link = AddSubHunk(hunk, "Go", {.hardBreak = true});
    TKLUObject* rule = AddLine(hunk, "-", {.hardBreak = true, .isSeparator = true});
    const std::vector<TWrapInfo> expected = {
        Frag(30, 10, 230, 30, 0, 19, line), Frag(30, 30, 80, 50, 20, 4, line),
        Frag(80, 30, 110, 50, 0, 2, b), Frag(30, 50, 60, 70, 0, 2, link),
        Frag(30, 70, 50, 90, 0, 1, rule)};
    EXPECT_EQ(PaginateAll(hunk), TPrintPages{expected});
    // Only the given number of children is printed; more than there are prints them all.
    EXPECT_EQ(Paginate(hunk, 2, kFiveLines, 600, 600, kTen),
              TPrintPages{std::vector<TWrapInfo>(expected.begin(), expected.begin() + 3)});
    EXPECT_EQ(Paginate(hunk, 0, kFiveLines, 600, 600, kTen), TPrintPages(1));
    EXPECT_EQ(Paginate(hunk, 99, kFiveLines, 600, 600, kTen), TPrintPages{expected});
}

// Pictures of a loaded file, borrowed into a hunk of text lines.
class PaginatePictures : public ::testing::Test {
  protected:
    void SetUp() override {
        auto game = MakeSubject("Game");
        game->Add(MakeData("HYPERPNG", "Tall", "PNG1"));
        game->Add(MakeData("HYPERPNG", "Flat", "PNG2"));
        const TItemsHunk* root = test::LoadRoot(doc, std::move(game), /*picture_mode=*/true);
        ASSERT_TRUE(root && root->GetChildCount() == 2u);
        tall = NodeCast<TPNGObject>(root->GetChild(0));
        flat = NodeCast<TPNGObject>(root->GetChild(1));
        ASSERT_TRUE(tall && flat);
        tall->hardBreak = flat->hardBreak = 0;
    }

    TKLUObject* Line(const std::string& text, test::ChildFlags flags = {.hardBreak = true}) {
        lines.push_back(std::make_unique<THunkLine>(text));
        test::ApplyFlags(*lines.back(), flags);
        hunk.children.push_back(lines.back().get());
        return lines.back().get();
    }
    void Picture(TPNGObject* picture) { hunk.children.push_back(picture); }

    // Images in their own pixels; at 60 pixels per inch they print at half that size.
    TPrintPages PaginateAll(TSize tall_image, TSize flat_image = {}) {
        const PictureSizeFn image_size = [=, this](const TPNGObject& p) {
            return &p == tall ? tall_image : &p == flat ? flat_image : TSize{};
        };
        return Paginate(hunk, static_cast<int>(hunk.GetChildCount()), kFiveLines, 60, 60, kTen,
                        image_size);
    }

    THintDocument doc;
    TPNGObject* tall = nullptr;
    TPNGObject* flat = nullptr;
    std::vector<std::unique_ptr<TKLUObject>> lines;
    TItemsHunk hunk{"pictures"};

    void TearDown() override { hunk.ownsChildren = false; }
};

TEST_F(PaginatePictures, APictureTakesItsPrintedSizeAndTheTextGoesOnBelowIt) {
    TKLUObject* before = Line("ab", {});
    Picture(flat);
    TKLUObject* after = Line("cd");
    const TPrintPages pages = PaginateAll({}, {80, 40});
    ASSERT_EQ(pages.size(), 1u);
    // The picture stands where the text had got to; x stays there for the text below it.
    EXPECT_EQ(pages[0], (std::vector<TWrapInfo>{Frag(30, 10, 60, 30, 0, 2, before),
                                                Frag(60, 10, 100, 30, 0, 0, flat),
                                                Frag(60, 30, 90, 50, 0, 2, after)}));
}

TEST_F(PaginatePictures, APictureTallerThanThePageStartsANewPageOnlyAfterSomething) {
    Picture(tall);
    const TPrintPages alone = PaginateAll({80, 400});
    ASSERT_EQ(alone.size(), 1u) << "no blank page before it";
    EXPECT_EQ(alone[0], (std::vector<TWrapInfo>{Frag(30, 10, 70, 210, 0, 0, tall)}));

    hunk.children.clear();
    Line("ab");
    Picture(tall);
    const TPrintPages after_text = PaginateAll({80, 400});
    ASSERT_EQ(after_text.size(), 2u);
    EXPECT_EQ(after_text[1], (std::vector<TWrapInfo>{Frag(30, 10, 70, 210, 0, 0, tall)}));
}

}  // namespace
}  // namespace klu
