// The tree's storage. Line texts: a borrowed text is a view of kept characters, a copy always
// owns its own, and the lines a load makes live in the document's arena with their characters
// inline. Children lists do what a vector of pointers does, wherever their items lie: in the
// arena with room reserved, moved to the heap when they outgrow it, fitted back.
#include <gtest/gtest.h>

#include <vector>

#include "model/document/child_list.h"
#include "model/document/klu_object.h"
#include "model/document/line_text.h"
#include "model/document/tree_arena.h"

namespace klu {
namespace {

TEST(LineText, CopiesOwnTheirCharactersAndPartsKeepTheWayTheirTextIsHeld) {
    std::string kept = "kept characters";
    const LineText borrowed = LineText::Borrowed(kept);
    const LineText copy = borrowed;
    LineText assigned;
    assigned = borrowed;
    const LineText owned_part = LineText(kept).Part(5);
    const LineText borrowed_part = borrowed.Part(5, 4);
    kept.replace(0, kept.size(), kept.size(), '#');
    // The borrowed text and its part see the change; every copy was made before it.
    EXPECT_EQ(borrowed.view(), kept);
    EXPECT_EQ(borrowed_part, "####");
    EXPECT_EQ(copy, "kept characters");
    EXPECT_EQ(assigned, "kept characters");
    EXPECT_EQ(owned_part, "characters");
}

TEST(LineText, ArenaLinesEndWithDeleteAndTheirMemoryGoesWithTheArena) {
    TreeArena arena;
    HunkLine* line = arena.NewLine("a loaded line");
    EXPECT_EQ(line->inArena, 1);
    EXPECT_EQ(line->title, "a loaded line");
    line->SetName("renamed by the program");  // owned now: its characters go with the line
    delete line;
    auto* heap_line = new HunkLine("built by the program");
    EXPECT_EQ(heap_line->inArena, 0);
    delete heap_line;
}

// An arena line holds its characters in its own block, just after the size: setting its text
// to another must not reach into the line laid after it, and a part or a move of the text must
// outlive a change of the line.
TEST(LineText, InlineTextsStayWithinTheirLineAndAreCopiedWhenTakenAway) {
    for (const std::string_view text : {"", "a", "seven c", "eight ch", "a longer line of text"}) {
        SCOPED_TRACE(text);
        TreeArena arena;
        HunkLine* line = arena.NewLine(text);
        const HunkLine* next = arena.NewLine("the next line");
        const LineText part = line->title.Part(0, 4);
        LineText moved = std::move(line->title);
        EXPECT_EQ(line->title, text);  // moving inline characters leaves them where they are
        line->title = "replaced by a text far longer than the line held";
        EXPECT_EQ(part, text.substr(0, 4));
        EXPECT_EQ(moved, text);
        EXPECT_EQ(next->title, "the next line");
        line->title = std::move(moved);
        EXPECT_EQ(line->title, text);
        EXPECT_EQ(next->title, "the next line");
        delete line;  // frees the text it owns now
    }
}

TEST(ChildList, EditsMatchAVectorWhereverTheItemsLie) {
    TreeArena arena;
    std::vector<HunkLine> lines(12);
    auto line = [&lines](size_t i) -> KLUObject* { return &lines[i]; };
    ChildList list;
    std::vector<KLUObject*> expected;
    auto same = [&](const char* step) {
        SCOPED_TRACE(step);
        ASSERT_EQ(list.size(), expected.size());
        EXPECT_TRUE(std::equal(list.begin(), list.end(), expected.begin()));
    };
    list.ReserveIn(arena, 2);
    for (size_t i = 0; i < 5; ++i) {  // two fit in the arena's room, the rest go to the heap
        list.push_back(line(i));
        expected.push_back(line(i));
    }
    same("appended past the reserved room");
    list.FitInto(arena);
    EXPECT_EQ(list.capacity(), list.size());
    same("fitted into the arena");
    list.insert(list.begin() + 2, line(9));
    expected.insert(expected.begin() + 2, line(9));
    list.insert(list.end(), line(10));
    expected.insert(expected.end(), line(10));
    same("inserted in the middle and at the end");
    list.erase(list.begin() + 1, list.begin() + 3);
    expected.erase(expected.begin() + 1, expected.begin() + 3);
    list.erase(list.begin());
    expected.erase(expected.begin());
    same("erased");
    EXPECT_EQ(erase_if(list, [&](KLUObject* child) { return child == line(3); }), 1u);
    std::erase_if(expected, [&](KLUObject* child) { return child == line(3); });
    same("erased by a test");
    list.ReserveIn(arena, 3);  // from the heap into the arena, with room for three more
    for (size_t i = 0; i < 3; ++i) {
        list.push_back(line(i));
        expected.push_back(line(i));
    }
    same("reserved in the arena again");
    EXPECT_EQ(list.at(list.size() - 1), line(2));
    EXPECT_THROW(list.at(list.size()), std::out_of_range);
}

}  // namespace
}  // namespace klu
