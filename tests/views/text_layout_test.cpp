// Layout of text children with characters 10 pixels wide and lines 20 pixels high. Text starts
// at (8, 8); a line starting at x has control width - x - 16 pixels to fit into. Every expected
// position below is worked out from those rules in the comment beside it.
#include <gtest/gtest.h>

#include <vector>

#include "layout_test_support.h"
#include "model/items_hunk.h"
#include "views/text_layout.h"

namespace klu {
namespace {

using test::AddLine;
using test::AddSubHunk;
using test::ChildFlags;
using test::Frag;
using Frags = std::vector<TWrapInfo>;

const FixedWidthMeasurer kTen(10, 20);
constexpr ChildFlags kHard{.hardBreak = true};
constexpr ChildFlags kSep{.hardBreak = true, .isSeparator = true};

// A child of a laid-out hunk: a text line, or with hunk set a sub-hunk shown by its title.
struct Child {
    std::string text;
    ChildFlags flags = {};
    bool hunk = false;
};
// A fragment expected of child i: left, top, right, bottom, first character, length.
struct Expected {
    int left, top, right, bottom, start, length;
    size_t child;
};

// Lays the children out in a control width pixels wide and compares the fragments and the size
// of the document with those expected.
void ExpectLayout(const char* what, const std::vector<Child>& children, int width,
                  const std::vector<Expected>& fragments, TSize size) {
    TItemsHunk hunk("h");
    std::vector<TKLUObject*> objects;
    for (const Child& child : children) {
        objects.push_back(child.hunk ? AddSubHunk(hunk, child.text, child.flags)
                                     : AddLine(hunk, child.text, child.flags));
    }
    Frags expected;
    for (const Expected& e : fragments) {
        expected.push_back(
            Frag(e.left, e.top, e.right, e.bottom, e.start, e.length, objects.at(e.child)));
    }
    const TLayoutResult r = Layout(hunk, static_cast<int>(objects.size()), {width, 100}, kTen);
    EXPECT_EQ(r.fragments, expected) << what;
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
}

TEST(Layout, FixedFontChildIsMeasuredInTheFixedFont) {
    const FixedWidthMeasurer two_fonts(10, 20, 6);
    TItemsHunk hunk("h");
    TKLUObject* fixed = AddLine(hunk, "abc", {.altFont = true});
    TKLUObject* normal = AddLine(hunk, "de");
    // 3 x 6 + a fixed-font blank of 6, then 2 x 10 + a normal blank of 10.
    EXPECT_EQ(Layout(hunk, 2, {200, 100}, two_fonts).fragments,
              (Frags{Frag(8, 8, 32, 28, 0, 3, fixed), Frag(32, 8, 62, 28, 0, 2, normal)}));
}

TEST(Layout, OnlyVisibleChildrenAndTheLastOnesLine) {
    TItemsHunk hunk("h");
    TKLUObject* a = AddLine(hunk, "ab");
    AddLine(hunk, "cd", kHard);
    AddLine(hunk, "ef", kHard);
    // The last visible child ends its line though the next child's hard break is not reached.
    const TLayoutResult one = Layout(hunk, 1, {200, 100}, kTen);
    EXPECT_EQ(one.fragments, (Frags{Frag(8, 8, 38, 28, 0, 2, a)}));
    EXPECT_EQ(one.size, (TSize{46, 36}));
    // None visible gives just the margins.
    EXPECT_TRUE(Layout(hunk, 0, {200, 100}, kTen).fragments.empty());
    EXPECT_EQ(Layout(hunk, 0, {200, 100}, kTen).size, (TSize{8, 16}));
}

}  // namespace
}  // namespace klu
