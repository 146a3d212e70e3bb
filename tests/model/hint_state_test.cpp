// Revealed-hint counts: saving, restoring, checking and resetting them across the tree.
#include <gtest/gtest.h>

#include "model/meta_text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::Items;
using test::LoadBytes;

class TwoQuestions : public ::testing::Test {
  protected:
    void SetUp() override {
        HintFileSpec plan;
        plan.root = MakeSubject("State");
        HintNode* subject = plan.root->Add(MakeSubject("Chapter"));
        subject->Add(MakeQuestion("First?", {{"a"}, {"b"}, {"c"}}));
        HintNode* nest = plan.root->Add(MakeNode("NESTHINT", "Nested"));
        nest->Separator();  // ignored as the first body line
        nest->Line("only hint");
        nest->Add(MakeQuestion("Inner?", {{"x"}}));
        ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
        root = doc.GetRoot();
        first = root->FindByName("First?");
        nested = root->FindByName("Nested");
        inner = root->FindByName("Inner?");
        ASSERT_TRUE(first && nested && inner);
    }
    std::string Saved() const {
        std::string state;
        root->SaveState(state);
        return state;
    }
    THintDocument doc;
    THunk* root = nullptr;
    THunk* first = nullptr;
    THunk* nested = nullptr;
    THunk* inner = nullptr;
};

TEST_F(TwoQuestions, SavesOneCountPerQuestionInTreeOrder) {
    EXPECT_EQ(Saved(), "0,0,0,");
    first->SetRevealed(2);
    inner->SetRevealed(1);
    EXPECT_EQ(Saved(), "2,0,1,");
}

TEST_F(TwoQuestions, RestoresWhatWasSaved) {
    std::string state = "3,1,1,";
    root->RestoreState(state);
    EXPECT_EQ(first->GetRevealed(), 3);
    EXPECT_EQ(nested->GetRevealed(), 1);
    EXPECT_EQ(inner->GetRevealed(), 1);
    EXPECT_TRUE(root->StateValid());
    EXPECT_EQ(Saved(), "3,1,1,");
}

TEST_F(TwoQuestions, ShortLongAndCommalessStrings) {
    std::string empty;
    first->SetRevealed(2);
    root->RestoreState(empty);
    EXPECT_EQ(first->GetRevealed(), 0);

    std::string no_comma = "1";
    root->RestoreState(no_comma);
    EXPECT_EQ(Saved(), "1,1,1,");  // every question takes the number the string begins with

    std::string too_long = "1,0,0,2,2,2,";
    root->RestoreState(too_long);
    EXPECT_EQ(Saved(), "1,0,0,");
    EXPECT_TRUE(root->StateValid());
}

TEST_F(TwoQuestions, CountsBeyondTheHintsOrBelowZeroAreInvalid) {
    std::string state = "4,0,0,";  // the first question has only three hints
    root->RestoreState(state);
    EXPECT_FALSE(root->StateValid());
    root->ResetState();
    EXPECT_TRUE(root->StateValid());
    EXPECT_EQ(Saved(), "0,0,0,");

    // A separator on the first line of a nested hint is ignored, so it holds one hint.
    std::string two_for_nested = "0,2,0,";
    root->RestoreState(two_for_nested);
    EXPECT_FALSE(root->StateValid());

    std::string negative = "-1,0,0,";
    root->RestoreState(negative);
    EXPECT_FALSE(root->StateValid());
}

TEST(HintCount, FollowsTheSeparators) {
    TMetaTextHunk question("Q", nullptr, HINT);
    question.AddChild(new THunkLine("text"));
    question.AddChild(new THunkLine("more"));
    EXPECT_EQ(question.HintCount(), 1);
    question.SetRevealed(2);
    EXPECT_FALSE(question.StateValid());
    auto* separator = new THunkLine("-");
    separator->isSeparator = 1;
    question.AddChild(separator);
    question.AddChild(new THunkLine("another text"));
    EXPECT_EQ(question.HintCount(), 2);
    EXPECT_TRUE(question.StateValid());
}

}  // namespace
}  // namespace klu
