// The text that Copy puts on the clipboard.
#include <gtest/gtest.h>

#include "layout_test_support.h"
#include "model/meta_text_hunk.h"
#include "views/window_text.h"

namespace klu::test {
namespace {

TEST(VisibleTextTest, VisibleChildrenJoinedByTheirFlagsSeparatorsAsEmptyLinesEndingTheText) {
    TMetaTextHunk joined("Window", nullptr, SUBJECT);
    AddLine(joined, "a", {.hardBreak = false, .endsSourceLine = true});
    AddLine(joined, "b", {.hardBreak = false, .endsSourceLine = false});
    AddLine(joined, "c", {.hardBreak = true, .endsSourceLine = false});
    EXPECT_EQ(VisibleText(joined, 3), "a bc\n");

    TMetaTextHunk hunk("Question", nullptr, SUBJECT);
    AddLine(hunk, "first hint", {.hardBreak = true});
    AddLine(hunk, "-", {.isSeparator = true});
    AddSubHunk(hunk, "a link", {.endsSourceLine = true});
    AddLine(hunk, "hidden", {.hardBreak = true});
    // The last visible child ends its line even without a hard break.
    EXPECT_EQ(VisibleText(hunk, 3), "first hint\n\na link\n");
    EXPECT_EQ(VisibleText(hunk, 0), "");
    // More than the hunk has shows what it has.
    EXPECT_EQ(VisibleText(hunk, 99), "first hint\n\na link hidden\n");
}

}  // namespace
}  // namespace klu::test
