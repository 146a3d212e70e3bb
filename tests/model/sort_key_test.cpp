// The order of the verbose listing: leading articles do not count, letter case is ignored, and
// entries with equal keys keep the order they came in.
#include "model/sort_key.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/klu_object.h"

namespace klu {
namespace {

TEST(SortKey, MovesOnlyAWholeLeadingArticleToTheEnd) {
    EXPECT_EQ(SortKey("The Adventure"), "ADVENTURE, THE");
    EXPECT_EQ(SortKey("a quest"), "QUEST, A");
    EXPECT_EQ(SortKey("A The X"), "X, A, THE");
    EXPECT_EQ(SortKey("The A Team"), "A TEAM, THE");  // "A" after "The" stays
    EXPECT_EQ(SortKey("A  Gap"), " GAP, A");          // exactly two characters go
    EXPECT_EQ(SortKey("Theatre"), "THEATRE");
    EXPECT_EQ(SortKey("An Apple"), "AN APPLE");
    EXPECT_EQ(SortKey(" The Game"), " THE GAME");
    EXPECT_EQ(SortKey("caf\xe9"), "CAF\xe9");  // only a to z are upper-cased
}

bool Less(const std::string& a, const std::string& b) {
    const THunkLine x(a), y(b);
    return TitleLess(x, y);
}

TEST(TitleLess, SortsArticleTitlesUnderTheirMainWordIgnoringCase) {
    EXPECT_TRUE(Less("Abyss", "The Adventure"));
    EXPECT_TRUE(Less("The Adventure", "Bard"));
    EXPECT_FALSE(Less("Bard", "The Adventure"));
    EXPECT_TRUE(Less("Proverbs", "A Quest"));
    EXPECT_FALSE(Less("\xe9tude", "\xc9TUDE"));
    EXPECT_FALSE(Less("\xc9TUDE", "\xe9tude"));
    EXPECT_FALSE(Less("the game", "Game, The"));
    // Bytes compare unsigned: accented letters after plain ones; an empty title first.
    EXPECT_TRUE(Less("Zork", "\xc9tude"));
    EXPECT_TRUE(Less("", "Abyss"));
}

std::vector<std::unique_ptr<THunkLine>> Lines(const std::vector<std::string>& titles) {
    std::vector<std::unique_ptr<THunkLine>> lines;
    for (const auto& title : titles)
        lines.push_back(std::make_unique<THunkLine>(title));
    return lines;
}

std::vector<TKLUObject*> Pointers(const std::vector<std::unique_ptr<THunkLine>>& lines) {
    std::vector<TKLUObject*> pointers;
    for (const auto& line : lines)
        pointers.push_back(line.get());
    return pointers;
}

// The listing's order as the user sees it described: each entry, in turn, moves left past every
// entry that its title sorts before.
std::vector<TKLUObject*> InsertionOrder(const std::vector<TKLUObject*>& entries) {
    std::vector<TKLUObject*> sorted;
    for (TKLUObject* entry : entries) {
        size_t place = sorted.size();
        while (place > 0 && TitleLess(*entry, *sorted[place - 1]))
            --place;
        sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(place), entry);
    }
    return sorted;
}

TEST(SortByTitle, AgreesWithInsertionOnRandomTitles) {
    // Few distinct words, so that equal keys are common; accented letters in both cases.
    const std::vector<std::string> words = {"A",    "The",  "the",      "a",        "Zork",
                                            "zork", "Bard", "\xe9tude", "\xc9TUDE", ""};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> titles(random() % 40);  // past 16, where sorts change method
        for (auto& title : titles) {
            for (auto n = 1 + random() % 3; n > 0; --n)
                title += words[random() % words.size()] + (n > 1 ? " " : "");
        }
        const auto lines = Lines(titles);
        std::vector<TKLUObject*> entries = Pointers(lines);
        const std::vector<TKLUObject*> expected = InsertionOrder(entries);
        SortByTitle(entries);
        ASSERT_EQ(entries, expected) << "round " << round;
    }
}

}  // namespace
}  // namespace klu
