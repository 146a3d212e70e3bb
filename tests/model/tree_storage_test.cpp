// The tree's storage. Line texts: a borrowed text is a view of kept characters, a copy always
// owns its own, and the lines a load makes live in the document's arena with their characters
// inline. Children lists do what a vector of pointers does, wherever their items lie: in the
// arena with room reserved, moved to the heap when they outgrow it, fitted back.
#include <gtest/gtest.h>

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
    ChildList list;
    std::vector<KLUObject*> expected;
    // Makes the same change to the list and to the vector, and compares them.
    auto edit = [&](const char* step, auto change) {
        SCOPED_TRACE(step);
        change(list);
        change(expected);
        ASSERT_EQ(list.size(), expected.size());
        EXPECT_TRUE(std::equal(list.begin(), list.end(), expected.begin()));
    };
    auto append = [&lines](size_t count) {
        return [&lines, count](auto& children) {
            for (size_t i = 0; i < count; ++i)
                children.push_back(&lines[i]);
        };
    };
    list.ReserveIn(arena, 2);
    edit("appended past the reserved room", append(5));  // two fit in it, the rest go to the heap
    list.FitInto(arena);
    EXPECT_EQ(list.capacity(), list.size());
    edit("fitted into the arena", [](auto&) {});
    edit("inserted in the middle and at the end", [&lines](auto& children) {
        children.insert(children.begin() + 2, &lines[9]);
        children.insert(children.end(), &lines[10]);
    });
    edit("erased", [](auto& children) {
        children.erase(children.begin() + 1, children.begin() + 3);
        children.erase(children.begin());
    });
    edit("erased by a test", [&lines](auto& children) {
        EXPECT_EQ(erase_if(children, [&](KLUObject* child) { return child == &lines[3]; }), 1u);
    });
    list.ReserveIn(arena, 3);  // from the heap into the arena, with room for three more
    edit("reserved in the arena again", append(3));
    EXPECT_EQ(list.at(list.size() - 1), &lines[2]);
    EXPECT_THROW(list.at(list.size()), std::out_of_range);
}

}  // namespace
}  // namespace klu
