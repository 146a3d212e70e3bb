// Layout of text children with characters 10 pixels wide and lines 20 pixels high. Text starts
// at (8, 8); a line starting at x has control width - x - 16 pixels to fit into. Every expected
// position below is worked out from those rules in the comment beside it.
#include <gtest/gtest.h>

#include <vector>

#include "layout_test_support.h"
#include "model/items_hunk.h"
#include "views/text_layout.h"
#include "views/text_layout_links.h"

namespace klu {
namespace {

using test::AddLine;
using test::AddSubHunk;
using test::Frag;
using Frags = std::vector<TWrapInfo>;

const FixedWidthMeasurer kTen(10, 20);

TLayoutResult LayAll(const TItemsHunk& hunk, int width, const TextMeasurer& m = kTen) {
    return Layout(hunk, static_cast<int>(hunk.GetChildCount()), {width, 100}, m);
}

TEST(LayoutWrap, BreaksAtTheLastSpaceThatFitsAndCarriesTheRestOver) {
    TItemsHunk hunk("h");
    TKLUObject* line = AddLine(hunk, "aaaa bbbb cccc dddd eeee");
    const TLayoutResult r = LayAll(hunk, 200);
    // 176 pixels: "aaaa bbbb cccc" (140) and its break space (10); "dddd" needs 40 of the 26
    // left, so the rest starts a new line, with the blank that joins it to the next line.
    EXPECT_EQ(r.fragments,
              (Frags{Frag(8, 8, 158, 28, 0, 14, line), Frag(8, 28, 108, 48, 15, 9, line)}));
    EXPECT_EQ(r.size, (TSize{166, 56}));
}

TEST(LayoutWrap, WordWiderThanTheWindowOverflowsAtLineStartOnly) {
    TItemsHunk alone("h");
    TKLUObject* line = AddLine(alone, "abcdefghij kl");
    const TLayoutResult r = LayAll(alone, 100);
    // 76 pixels for a 100-pixel word: placed whole with its break space (110 wide); x passes the
    // edge, so the line ends there and the space is not counted in the document width.
    EXPECT_EQ(r.fragments,
              (Frags{Frag(8, 8, 118, 28, 0, 10, line), Frag(8, 28, 38, 48, 11, 2, line)}));
    EXPECT_EQ(r.size, (TSize{116, 56}));

    // After other text the word moves down first; the overlong line ended, then the extra line.
    TItemsHunk after("h");
    TKLUObject* first = AddLine(after, "ab");
    TKLUObject* word = AddLine(after, "abcdefghij");
    const TLayoutResult moved = LayAll(after, 100);
    EXPECT_EQ(moved.fragments,
              (Frags{Frag(8, 8, 38, 28, 0, 2, first), Frag(8, 28, 118, 48, 0, 10, word)}));
    EXPECT_EQ(moved.size, (TSize{116, 76}));
}

TEST(LayoutUnwrapped, LineStaysWholeAndWidensTheDocumentWhichScrolls) {
    TItemsHunk hunk("h");
    TKLUObject* wide = AddLine(hunk, "abcdefghij klmnopqrs", {.wrap = false});
    TKLUObject* next = AddLine(hunk, "ab");
    const TLayoutResult r = LayAll(hunk, 100);
    // 200 pixels of text and the joining blank from x = 8; the next child finds no room left
    // on that line (negative width) and starts a new one.
    EXPECT_EQ(r.fragments,
              (Frags{Frag(8, 8, 218, 28, 0, 20, wide), Frag(8, 28, 38, 48, 0, 2, next)}));
    EXPECT_EQ(r.size, (TSize{226, 56}));
    EXPECT_EQ(ScrollRanges(r.size, {100, 100}), (TSize{126, 0}));
    // Scroll ranges are zero in a direction where the document fits.
    EXPECT_EQ(ScrollRanges({90, 300}, {100, 100}), (TSize{0, 200}));
    EXPECT_EQ(ScrollRanges({100, 100}, {100, 100}), (TSize{0, 0}));
}

TEST(LayoutJoining, SourceLinesGetOneBlankAndPiecesNone) {
    TItemsHunk hunk("h");
    TKLUObject* a = AddLine(hunk, "ab");
    TKLUObject* piece = AddLine(hunk, "cd", {.endsSourceLine = false});
    TKLUObject* c = AddLine(hunk, "ef");
    const TLayoutResult r = LayAll(hunk, 200);
    EXPECT_EQ(r.fragments, (Frags{Frag(8, 8, 38, 28, 0, 2, a), Frag(38, 8, 58, 28, 0, 2, piece),
                                  Frag(58, 8, 88, 28, 0, 2, c)}));
    EXPECT_EQ(r.size, (TSize{96, 36}));

    // A piece broken inside keeps the break space: 56 pixels hold "aaaa" and its break space;
    // then "bbbb" ends the piece with no blank.
    TItemsHunk broken("h");
    TKLUObject* long_piece = AddLine(broken, "aaaa bbbb", {.endsSourceLine = false});
    EXPECT_EQ(LayAll(broken, 80).fragments,
              (Frags{Frag(8, 8, 58, 28, 0, 4, long_piece), Frag(8, 28, 48, 48, 5, 4, long_piece)}));
}

TEST(LayoutFonts, FixedFontChildIsMeasuredInTheFixedFont) {
    const FixedWidthMeasurer two_fonts(10, 20, 6);
    TItemsHunk hunk("h");
    TKLUObject* fixed = AddLine(hunk, "abc", {.altFont = true});
    TKLUObject* normal = AddLine(hunk, "de");
    // 3 x 6 + a fixed-font blank of 6, then 2 x 10 + a normal blank of 10.
    EXPECT_EQ(LayAll(hunk, 200, two_fonts).fragments,
              (Frags{Frag(8, 8, 32, 28, 0, 3, fixed), Frag(32, 8, 62, 28, 0, 2, normal)}));
}

TEST(LayoutBreaks, HardBreaksEndTheirLineAndSeparatorsTakeALineOfTheirOwn) {
    TItemsHunk hunk("q");
    TKLUObject* first = AddLine(hunk, "first hint", {.hardBreak = true});
    TKLUObject* second = AddLine(hunk, "second");
    TKLUObject* third = AddLine(hunk, "third", {.hardBreak = true});
    TKLUObject* sep = AddLine(hunk, "-", {.hardBreak = true, .isSeparator = true});
    const TLayoutResult r = LayAll(hunk, 200);
    EXPECT_EQ(r.fragments,
              (Frags{Frag(8, 8, 118, 28, 0, 10, first), Frag(8, 28, 78, 48, 0, 6, second),
                     Frag(78, 28, 138, 48, 0, 5, third), Frag(8, 48, 28, 68, 0, 1, sep)}));
    EXPECT_EQ(r.size, (TSize{146, 76}));
    // The separator rule spans the text width at mid-line.
    EXPECT_EQ(SeparatorLineOf(r.fragments[3], 200, 20), (TSeparatorLine{8, 192, 58}));
    EXPECT_EQ(SeparatorLineOf(r.fragments[3], 300, 21), (TSeparatorLine{8, 292, 58}));  // 21 / 2
}

TEST(LayoutBreaks, LastVisibleChildWithoutHardBreakAddsItsLine) {
    TItemsHunk open("h");
    AddLine(open, "hello");
    EXPECT_EQ(LayAll(open, 200).size, (TSize{76, 36}));

    TItemsHunk closed("h");
    AddLine(closed, "hello", {.hardBreak = true});
    AddLine(closed, "x", {.hardBreak = true});
    // Two lines ended by hard breaks: no extra line after them.
    EXPECT_EQ(LayAll(closed, 200).size, (TSize{76, 56}));
    // The first child is the last visible one: its line is added though the second child's
    // hard break is not reached.
    AddLine(open, "x", {.hardBreak = true});
    EXPECT_EQ(Layout(open, 1, {200, 100}, kTen).size, (TSize{76, 36}));
}

TEST(LayoutLinks, SubHunkIsLaidOutByItsTitleAsALinkOnEachLine) {
    TItemsHunk hunk("h");
    TKLUObject* see = AddLine(hunk, "See");
    THunk* target = AddSubHunk(hunk, "Open me");
    TKLUObject* ok = AddLine(hunk, "ok", {.hardBreak = true});
    AddLine(hunk, "-", {.hardBreak = true, .isSeparator = true});
    const TLayoutResult r = LayAll(hunk, 200);
    EXPECT_EQ(r.fragments.size(), 4u);
    EXPECT_EQ(Frags(r.fragments.begin(), r.fragments.begin() + 3),
              (Frags{Frag(8, 8, 48, 28, 0, 3, see), Frag(48, 8, 128, 28, 0, 7, target),
                     Frag(128, 8, 158, 28, 0, 2, ok)}));
    // Lines and separators give no links.
    EXPECT_EQ(LinksOf(r.fragments), (std::vector<TLinkInfo>{{48, 8, 128, 28, target}}));

    // 76 pixels per line: each word of a wrapped title goes on a line of its own with its blank.
    TItemsHunk wrapped("h");
    THunk* long_target = AddSubHunk(wrapped, "aaaa bbbb cccc");
    const TLayoutResult w = LayAll(wrapped, 100);
    EXPECT_EQ(w.fragments,
              (Frags{Frag(8, 8, 58, 28, 0, 4, long_target), Frag(8, 28, 58, 48, 5, 4, long_target),
                     Frag(8, 48, 58, 68, 10, 4, long_target)}));
    EXPECT_EQ(LinksOf(w.fragments), (std::vector<TLinkInfo>{{8, 8, 58, 28, long_target},
                                                            {8, 28, 58, 48, long_target},
                                                            {8, 48, 58, 68, long_target}}));
}

TEST(LayoutVisibleCount, OnlyTheFirstChildrenAreLaidOut) {
    TItemsHunk hunk("h");
    TKLUObject* a = AddLine(hunk, "ab", {.hardBreak = true});
    TKLUObject* b = AddLine(hunk, "cd", {.hardBreak = true});
    AddLine(hunk, "ef", {.hardBreak = true});
    const TLayoutResult two = Layout(hunk, 2, {200, 100}, kTen);
    EXPECT_EQ(two.fragments, (Frags{Frag(8, 8, 38, 28, 0, 2, a), Frag(8, 28, 38, 48, 0, 2, b)}));
    EXPECT_EQ(two.size, (TSize{46, 56}));
    // A count beyond the children lays out all; none visible gives just the margins.
    const TLayoutResult all = LayAll(hunk, 200);
    const TLayoutResult more = Layout(hunk, 9, {200, 100}, kTen);
    EXPECT_EQ(more.fragments, all.fragments);
    EXPECT_EQ(more.fragments.size(), 3u);
    EXPECT_EQ(more.size, all.size);
    for (const int count : {0, -3}) {
        const TLayoutResult none = Layout(hunk, count, {200, 100}, kTen);
        EXPECT_TRUE(none.fragments.empty());
        EXPECT_EQ(none.size, (TSize{8, 16}));
    }
    // A control of zero width or height lays out nothing at all.
    for (const TSize control : {TSize{0, 100}, TSize{200, 0}}) {
        const TLayoutResult r = Layout(hunk, 1, control, kTen);
        EXPECT_TRUE(r.fragments.empty());
        EXPECT_EQ(r.size, (TSize{0, 0}));
    }
}

TEST(LayoutProgress, NoRoomAtAllOrALeadingBlankBeforeAnOverlongWordStillEnds) {
    TItemsHunk hunk("h");
    TKLUObject* line = AddLine(hunk, "ab cd");
    const TLayoutResult r = LayAll(hunk, 10);
    // A control narrower than the margins: each word is placed alone on its line, overflowing.
    EXPECT_EQ(r.fragments,
              (Frags{Frag(8, 8, 38, 28, 0, 2, line), Frag(8, 28, 38, 48, 3, 2, line)}));
    EXPECT_EQ(r.size, (TSize{36, 76}));
    EXPECT_EQ(LayAll(hunk, 1).fragments.size(), 2u);

    TItemsHunk blank("h");
    TKLUObject* word = AddLine(blank, " abcdefghijkl");
    const TLayoutResult w = LayAll(blank, 100);
    // Line fitting gives 0 at line start here; the blank and the word go out together.
    EXPECT_EQ(w.fragments, (Frags{Frag(8, 8, 148, 28, 0, 13, word)}));
    EXPECT_EQ(w.size, (TSize{146, 56}));
}

}  // namespace
}  // namespace klu
