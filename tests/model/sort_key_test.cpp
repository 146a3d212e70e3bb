// The order of the verbose listing: leading articles do not count, letter case is ignored, and
// entries with equal keys keep the order they came in.
#include "model/store/sort_key.h"

#include <gtest/gtest.h>

#include <string>

#include "model/document/klu_object.h"

namespace klu {
namespace {

TEST(SortKey, MovesOnlyAWholeLeadingArticleToTheEnd) {
    EXPECT_EQ(SortKey("The Adventure"), "ADVENTURE, THE");
    EXPECT_EQ(SortKey("a quest"), "QUEST, A");
    EXPECT_EQ(SortKey("The A Team"), "A TEAM, THE");  // "A" after "The" stays
    EXPECT_EQ(SortKey("A  Gap"), " GAP, A");          // exactly two characters go
    EXPECT_EQ(SortKey("Theatre"), "THEATRE");
    EXPECT_EQ(SortKey("caf\xe9"), "CAF\xe9");  // only a to z are upper-cased
}

bool Less(const std::string& a, const std::string& b) {
    const HunkLine x(a), y(b);
    return TitleLess(x, y);
}

TEST(TitleLess, SortsArticleTitlesUnderTheirMainWordIgnoringCase) {
    EXPECT_TRUE(Less("Abyss", "The Adventure"));
    EXPECT_TRUE(Less("The Adventure", "Bard"));
    EXPECT_FALSE(Less("\xe9tude", "\xc9TUDE"));
    EXPECT_FALSE(Less("the game", "Game, The"));
    // Bytes compare unsigned: accented letters after plain ones; an empty title first.
    EXPECT_TRUE(Less("Zork", "\xc9tude"));
    EXPECT_TRUE(Less("", "Abyss"));
}

}  // namespace
}  // namespace klu
