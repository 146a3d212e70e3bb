// The children list of a hunk does what a vector of pointers does, wherever its items lie: in
// the arena with room reserved, moved to the heap when it outgrows that room, fitted back.
#include "model/document/child_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/document/klu_object.h"
#include "model/document/tree_arena.h"

namespace klu {
namespace {

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
