// Pages of printed text with characters 10 pixels wide and lines 20 pixels high, and the page
// geometry of a printer: the text area inside the 0.8-inch margin, where header and footer go,
// and the printed size of pictures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../model/model_test_support.h"
#include "layout_test_support.h"
#include "model/media_hunks.h"
#include "views/print_layout.h"

namespace klu {

inline void PrintTo(const TPrintArea& a, std::ostream* os) {
    *os << "left " << a.left << " top " << a.top << " right " << a.rightLimit << " bottom "
        << a.bottomLimit;
}

namespace {

using test::AddLine;
using test::AddSubHunk;
using test::Frag;

const FixedWidthMeasurer kTen(10, 20);

// Letter paper (8.5 x 11 inches) at 600 pixels per inch with an unprintable margin of
// 0.25 inch (150 pixels) all round.
TPrinterGeometry Letter600() {
    return {600, 600, 150, 150, 5100, 6600, 5100 - 300, 6600 - 300};
}

TEST(PrintArea, TextKeepsPointEightInchFromThePaperOrTheUnprintableAreaWhereItIsLarger) {
    const TPrinterGeometry page = Letter600();
    const TPrintArea area = PrintAreaOf(page);
    // In paper coordinates the text area runs from 0.8 inch to 0.8 inch before each far edge.
    EXPECT_EQ(area.left + page.offsetX, 480);
    EXPECT_EQ(area.top + page.offsetY, 480);
    EXPECT_EQ(area.rightLimit + page.offsetX, page.paperWidth - 480);
    EXPECT_EQ(area.bottomLimit + page.offsetY, page.paperHeight - 480);

    TPrinterGeometry wide = page;
    wide.offsetX = 700;  // more than 0.8 inch: the text starts where printing can
    wide.offsetY = 0;
    wide.printableWidth = wide.paperWidth - 1400;
    wide.printableHeight = 4000;  // ends well above the bottom margin
    EXPECT_EQ(PrintAreaOf(wide), (TPrintArea{0, 480, wide.paperWidth - 1400, 4000}));

    // Fractional margins are cut to whole pixels: 0.8 x 96 = 76.8, 0.8 x 203 = 162.4.
    TPrinterGeometry odd{96, 203, 0, 0, 1000, 2000, 1000, 2000};
    EXPECT_EQ(PrintAreaOf(odd), (TPrintArea{76, 162, 1000 - 76, 2000 - 162}));
}

TEST(PageMarks, HeaderAndFooterAQuarterInchFromThePaperOrThePrintableEdgeIfTheyFit) {
    const TPrinterGeometry page = Letter600();
    const TPageMarks marks = PageMarksOf(page, 100);
    EXPECT_EQ(marks.centreX + page.offsetX, page.paperWidth / 2);
    EXPECT_TRUE(marks.headerFits);
    EXPECT_EQ(marks.headerTop + page.offsetY, 150);  // 0.25 inch from the top of the paper
    EXPECT_TRUE(marks.footerFits);
    EXPECT_EQ(marks.footerTop + page.offsetY + 100, page.paperHeight - 150);

    TPrinterGeometry edge{600, 600, 0, 0, 5100, 6600, 5100, 6600};  // prints to the paper's edge
    EXPECT_EQ(PageMarksOf(edge, 100), (TPageMarks{2550, true, 150, true, 6600 - 150 - 100}));

    TPrinterGeometry wide = page;
    wide.offsetY = 200;
    wide.printableHeight = wide.paperHeight - 200 - 300;  // 300 unprintable at the bottom
    EXPECT_EQ(PageMarksOf(wide, 100).headerTop, 0);       // the first printable line
    EXPECT_EQ(PageMarksOf(wide, 100).footerTop + wide.offsetY + 100, wide.paperHeight - 300);

    // Left out when the line reaches the text margin: 150 + line height must stay below 480.
    EXPECT_TRUE(PageMarksOf(page, 329).headerFits);
    EXPECT_TRUE(PageMarksOf(page, 329).footerFits);
    EXPECT_FALSE(PageMarksOf(page, 330).headerFits);
    EXPECT_FALSE(PageMarksOf(page, 330).footerFits);
    TPrinterGeometry uneven = page;
    uneven.printableHeight = page.paperHeight - 150 - 400;  // 400 unprintable at the bottom
    EXPECT_TRUE(PageMarksOf(uneven, 79).headerFits);
    EXPECT_TRUE(PageMarksOf(uneven, 79).footerFits);
    EXPECT_FALSE(PageMarksOf(uneven, 80).footerFits);
}

TEST(PrintedSizes, PicturesAt120PixelsToTheInchSeparatorsToTheRightLimitAtMidLine) {
    EXPECT_EQ(PrintedPictureSize({120, 60}, 600, 600), (TSize{600, 300}));
    EXPECT_EQ(PrintedPictureSize({120, 60}, 300, 1200), (TSize{300, 600}));
    EXPECT_EQ(PrintedPictureSize({119, 1}, 100, 100), (TSize{99, 0}));  // cut, not rounded
    EXPECT_EQ(PrintedPictureSize({}, 600, 600), (TSize{}));
    // Large images at high resolutions do not overflow on the way.
    EXPECT_EQ(PrintedPictureSize({30000, 30000}, 2400, 2400), (TSize{600000, 600000}));
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

TEST(PaginateText, FillsAPageLineByLineThenGoesOnAtTheTopOfTheNextForThousandsOfPages) {
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

    TItemsHunk many("h");
    for (int i = 0; i < 5300; ++i)
        AddLine(many, std::to_string(i), {.hardBreak = true});
    const TPrintPages more = PaginateAll(many);
    ASSERT_EQ(more.size(), 1060u);
    EXPECT_EQ(more.back().back().object->GetName(), "5299");
    EXPECT_EQ(more[1030][0].object->GetName(), "5150");
}

TEST(PaginateText, APageBreakNeverSplitsAFragment) {
    TItemsHunk hunk("h");
    // Wrapped into many lines; every fragment lies whole within the text area of its page.
    std::string words = "word0";
    for (int i = 1; i < 60; ++i)
        words += " word" + std::to_string(i % 10);
    AddLine(hunk, words);
    const TPrintPages pages = PaginateAll(hunk);
    ASSERT_GT(pages.size(), 2u);
    size_t fragments = 0;
    int next_start = 0;
    for (const auto& page : pages) {
        ASSERT_FALSE(page.empty());
        for (const TWrapInfo& f : page) {
            EXPECT_GE(f.top, kFiveLines.top);
            EXPECT_LE(f.bottom, kFiveLines.bottomLimit);
            EXPECT_LE(f.right, kFiveLines.rightLimit);
            EXPECT_EQ(f.start, next_start) << "no text is lost or repeated across pages";
            next_start = f.start + f.length + 1;
            ++fragments;
        }
    }
    EXPECT_EQ(next_start, static_cast<int>(words.size()) + 1);
    EXPECT_GT(fragments, 10u);
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
    const TPrintPages pages = PaginateAll(hunk);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (std::vector<TWrapInfo>{
                            Frag(30, 10, 230, 30, 0, 19, line), Frag(30, 30, 80, 50, 20, 4, line),
                            Frag(80, 30, 110, 50, 0, 2, b), Frag(30, 50, 60, 70, 0, 2, link),
                            Frag(30, 70, 50, 90, 0, 1, rule)}));
}

TEST(PaginateText, OnlyTheGivenNumberOfChildrenIsPrinted) {
    TItemsHunk hunk("h");
    TKLUObject* first = AddLine(hunk, "one", {.hardBreak = true});
    TKLUObject* rule = AddLine(hunk, "-", {.hardBreak = true, .isSeparator = true});
    AddLine(hunk, "three", {.hardBreak = true});
    AddLine(hunk, "four", {.hardBreak = true});
    const TPrintPages pages = Paginate(hunk, 2, kFiveLines, 600, 600, kTen);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (std::vector<TWrapInfo>{Frag(30, 10, 70, 30, 0, 3, first),
                                                Frag(30, 30, 50, 50, 0, 1, rule)}));
    EXPECT_EQ(Paginate(hunk, 0, kFiveLines, 600, 600, kTen), TPrintPages(1));
    EXPECT_EQ(Paginate(hunk, 99, kFiveLines, 600, 600, kTen)[0].size(), 4u);
}

TEST(PaginateFlow, TheLastChildWithoutAHardBreakStillEndsItsLine) {
    TItemsHunk hunk("h");
    AddLine(hunk, "ab", {.hardBreak = true});
    AddLine(hunk, "cd");
    const TFlowArea area{30, 10, 230, 230, 110};
    EXPECT_EQ(FlowChildren(hunk, 2, area, kTen).bottom, 50);
    hunk.children.back()->hardBreak = 1;
    EXPECT_EQ(FlowChildren(hunk, 2, area, kTen).bottom, 50);
    EXPECT_EQ(FlowChildren(hunk, 1, area, kTen).bottom, 30);
}

// Pictures of a loaded file, borrowed into a hunk of text lines.
class PaginatePictures : public ::testing::Test {
  protected:
    void SetUp() override {
        HintFilePlan file;
        file.title88 = "Game";
        file.root = MakeSubject("Game");
        file.root->Add(MakeData("HYPERPNG", "Tall", "PNG1"));
        file.root->Add(MakeData("HYPERPNG", "Flat", "PNG2"));
        ASSERT_EQ(test::LoadBytes(test::WriteOrFail(file), doc, /*picture_mode=*/true), LoadOk);
        const TItemsHunk* root = test::Items(doc.GetRoot());
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(root->GetChildCount(), 2u);
        tall = dynamic_cast<TPNGObject*>(root->GetChild(0));
        flat = dynamic_cast<TPNGObject*>(root->GetChild(1));
        ASSERT_NE(tall, nullptr);
        ASSERT_NE(flat, nullptr);
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

TEST_F(PaginatePictures, APictureThatDoesNotFitStartsANewPageEvenFromAnEmptyOne) {
    TKLUObject* first = Line("ab");
    Line("cd");
    Picture(flat);
    TKLUObject* after = Line("ef");
    // 60 pixels of the page are left below the two lines; the picture needs 70.
    const TPrintPages pages = PaginateAll({}, {40, 140});
    ASSERT_EQ(PageSizes(pages), (std::vector<size_t>{2, 2}));
    EXPECT_EQ(pages[0][0], Frag(30, 10, 60, 30, 0, 2, first));
    EXPECT_EQ(pages[1], (std::vector<TWrapInfo>{Frag(30, 10, 50, 80, 0, 0, flat),
                                                Frag(30, 80, 60, 100, 0, 2, after)}));
    // Ten pixels less, and it fits exactly; the line after it goes to the next page.
    const TPrintPages exact = PaginateAll({}, {40, 120});
    ASSERT_EQ(PageSizes(exact), (std::vector<size_t>{3, 1}));
    EXPECT_EQ(exact[0][2], Frag(30, 50, 50, 110, 0, 0, flat));

    // Taller than the page: the first page stays empty, the picture runs past the bottom of the
    // second, the text after it starts a third.
    hunk.children.erase(hunk.children.begin(), hunk.children.begin() + 2);
    hunk.children[0] = tall;
    const TPrintPages tall_pages = PaginateAll({100, 400});  // 200 high in a 100-pixel area
    ASSERT_EQ(PageSizes(tall_pages), (std::vector<size_t>{0, 1, 1}));
    EXPECT_EQ(tall_pages[1][0], Frag(30, 10, 80, 210, 0, 0, tall));
    EXPECT_EQ(tall_pages[2][0], Frag(30, 10, 60, 30, 0, 2, after));
}

TEST_F(PaginatePictures, APictureWithoutAnImageTakesNoRoom) {
    TKLUObject* before = Line("ab");
    Picture(tall);
    TKLUObject* after = Line("cd");
    for (const TPrintPages& pages :
         {PaginateAll({}), Paginate(hunk, 3, kFiveLines, 60, 60, kTen)}) {
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(pages[0], (std::vector<TWrapInfo>{Frag(30, 10, 60, 30, 0, 2, before),
                                                    Frag(30, 30, 30, 30, 0, 0, tall),
                                                    Frag(30, 30, 60, 50, 0, 2, after)}));
    }
}

}  // namespace
}  // namespace klu
