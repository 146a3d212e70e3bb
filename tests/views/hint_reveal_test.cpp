// Revealing hints one at a time, with and without hint memory.
#include "views/hint_reveal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/meta_text_hunk.h"

namespace klu {
namespace {

// Adds the children to the question: "|" is a separator, "[-]" a nested hunk titled "-", any
// other text a hint line that reads it.
void AddChildren(MetaTextHunk& question, const std::vector<std::string>& children) {
    for (const std::string& text : children) {
        KLUObject* child = text == "[-]"
                               ? new MetaTextHunk("-", &question, HINT)
                               : static_cast<KLUObject*>(new HunkLine(text == "|" ? "-" : text));
        child->isSeparator = text == "|";
        question.AddChild(child);
    }
}

// The reveal from the start with hint memory off is checked through the hint window of the
// reader.
TEST(HintRevealTest, HintMemoryStartsFromTheRememberedCountAndStoresEachReveal) {
    MetaTextHunk question{"Q?", nullptr, HINT};
    AddChildren(question, {"first hint text", "|", "second hint text", "|", "third"});
    question.SetRevealed(2);
    HintReveal reveal(question, true);
    reveal.ShowNextHint(true, true);
    EXPECT_EQ(reveal.HintsShown(), 2);
    EXPECT_EQ(reveal.VisibleCount(), 4);
    EXPECT_EQ(reveal.ButtonText(), "Hint 2 of 3.  Another hint?");
    EXPECT_GT(reveal.ButtonAreaHeight(), 0);
    EXPECT_EQ(reveal.AnotherHint(true, true), HintReveal::Press::Revealed);
    EXPECT_EQ(question.GetRevealed(), 3);
    EXPECT_EQ(reveal.VisibleCount(), 5);
    EXPECT_EQ(reveal.ButtonText(), "No more hints.");
    EXPECT_EQ(reveal.AnotherHint(true, true), HintReveal::Press::Close);
}

// The window, the hint count and the hint memory agree on where hints end: at separator lines
// only.
TEST(HintRevealTest, OnlySeparatorLinesEndHints) {
    const struct {
        std::vector<std::string> children;
        int32_t hints;
    } cases[] = {
        {{"first", "|", "-", "still the second", "|", "third"}, 3},
        {{"-", "|", "-"}, 2},
        {{"before", "[-]", "after"}, 1},
        {{"before", "[-]", "|", "after"}, 2},
    };
    for (const auto& c : cases) {
        MetaTextHunk question{"Q?", nullptr, NESTHINT};
        AddChildren(question, c.children);
        HintReveal reveal(question, true);
        EXPECT_EQ(reveal.HintCount(), c.hints) << c.children.size();
        EXPECT_EQ(question.HintCount(), c.hints);
        while (reveal.AnotherHint(false, true) == HintReveal::Press::Revealed) {}
        EXPECT_EQ(question.GetRevealed(), c.hints);
        EXPECT_EQ(reveal.VisibleCount(), static_cast<int32_t>(question.children.size()));
        // What the window remembered fits the file when it is opened again.
        std::string memory;
        question.SaveState(memory);
        question.RestoreState(memory);
        EXPECT_TRUE(question.StateValid());
    }
}

TEST(HintRevealOthers, HunkWithoutSeparatorsShowsEverythingAndIgnoresPresses) {
    MetaTextHunk subject("S", nullptr, SUBJECT);
    AddChildren(subject, {"a line of the subject text", "[-]"});
    HintReveal reveal(subject, true);
    reveal.ShowNextHint(true, true);
    EXPECT_EQ(reveal.VisibleCount(), 2);
    EXPECT_EQ(reveal.ButtonAreaHeight(), 0);
    EXPECT_EQ(reveal.ButtonText(), "No more hints.");
    EXPECT_EQ(reveal.AnotherHint(true, true), HintReveal::Press::Nothing);
}

}  // namespace
}  // namespace klu
