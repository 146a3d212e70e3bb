// Hint memory: the key of a file, the string of revealed counts in tree order, and the counts
// kept in the profile from one run to the next.
#include "model/store/hint_memory.h"

#include <gtest/gtest.h>

#include "model/store/settings.h"
#include "model/text/text_util.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;
using test::WriteFile;

TEST(MemoryKeyText, IsThePathADotAndTheLengthMeasuredByOpeningTheFile) {
    EXPECT_EQ(MemoryKey("C:\\HINTS\\GAME.KLU", 48211), "C:\\HINTS\\GAME.KLU.48211");
    TempFolder folder;
    WriteFile(folder / "five.klu", "12345");
    EXPECT_EQ(MemoryKeyOf(folder / "five.klu"), folder / "five.klu.5");
    EXPECT_EQ(MemoryKeyOf(folder / "none.klu"), folder / "none.klu.-1");
    EXPECT_EQ(MeasureFileLength(folder.path()), -1);
}

// Three questions, saved in this order: "First?" (3 hints) in a subject, a nested hint (1 hint:
// a separator on its first body line is ignored) holding "Inner?" (1 hint).
class RememberedFile : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(path, FileBytes("Memory Test"));
        ASSERT_TRUE(Open(document));
    }
    static std::string FileBytes(const std::string& title) {
        HintFilePlan plan;
        plan.root = MakeSubject(title);
        plan.root->Add(MakeSubject("Chapter"))->Add(MakeQuestion("First?", {{"a"}, {"b"}, {"c"}}));
        HintNode* nest = plan.root->Add(MakeNode("NESTHINT", "Nested"));
        nest->Separator().Line("only hint");
        nest->Add(MakeQuestion("Inner?", {{"x"}}));
        return test::WriteOrFail(plan);
    }
    bool Open(HintDocument& into) const { return test::LoadFileAt(path, into) && into.GetRoot(); }
    // The counts of a freshly loaded copy after its memory is restored.
    std::string Reopened() const {
        HintDocument again;
        if (!Open(again)) return "not loaded";
        RestoreHintMemory(profile, again, path);
        return HintMemoryString(*again.GetRoot());
    }
    // The counts after a string is applied to the open document.
    std::string Applied(const std::string& memory) {
        ApplyHintMemory(*document.GetRoot(), memory);
        return HintMemoryString(*document.GetRoot());
    }
    Hunk& Question(const char* name) const { return *document.GetRoot()->FindByName(name); }
    std::string Stored() const {
        return profile.ReadProfileString("Memory", MemoryKeyOf(path), "");
    }

    TempFolder folder;
    std::string path = folder / "Game.klu";
    ProfileFile profile{folder / "KLUWIN.INI"};
    HintDocument document;
};

TEST_F(RememberedFile, CountsComeBackWhenTheFileIsOpenedAgain) {
    EXPECT_EQ(Reopened(), "0,0,0,");
    Question("First?").SetRevealed(2);
    Question("Inner?").SetRevealed(1);
    ASSERT_TRUE(SaveHintMemory(profile, document, path));
    EXPECT_EQ(Stored(), "2,0,1,");
    EXPECT_EQ(Reopened(), "2,0,1,");
    // Saving the settings keeps the memory of the current file, zeros after a reset too.
    Question("First?").SetRevealed(3);
    Settings settings = LoadSettings(profile, "/p/");
    ASSERT_TRUE(SaveSettings(profile, settings, document, path));
    EXPECT_EQ(Reopened(), "3,0,1,");
    document.GetRoot()->ResetState();
    ASSERT_TRUE(SaveSettings(profile, settings, document, path));
    EXPECT_EQ(Stored(), "0,0,0,");
}

TEST_F(RememberedFile, ShortLongCommalessAndInvalidStrings) {
    EXPECT_EQ(Applied("3,"), "3,0,0,");                 // the rest stays 0
    EXPECT_EQ(Applied("1,1,1,3,3,garbage"), "1,1,1,");  // the surplus is ignored
    // A value cut short (its comma gone) counts for nothing, nor does what follows it.
    EXPECT_EQ(Applied("3,1"), "3,0,0,");
    EXPECT_EQ(Applied("3,x,1,"), "3,0,1,");
    // A count beyond a question's hints, or below zero, resets every count; letters read as 0.
    EXPECT_EQ(Applied("2,1,5,"), "0,0,0,");  // a count beyond a question's hints resets all
    Question("First?").SetRevealed(2);
    EXPECT_EQ(Applied(""), "2,0,0,");  // nothing stored changes nothing
}

// Far more questions than 2,047 characters of memory hold: every count comes back.
TEST_F(RememberedFile, EveryCountOfAThousandsOfQuestionsFileComesBack) {
    HintFilePlan plan;
    plan.root = MakeSubject("Large");
    for (int i = 0; i < 1500; ++i)
        plan.root->Add(MakeQuestion("Q" + std::to_string(i) + "?", {{"a"}, {"b"}, {"c"}}));
    WriteFile(path, test::WriteOrFail(plan));
    HintDocument large;
    ASSERT_TRUE(Open(large));
    for (int i = 0; i < 1500; ++i)
        large.GetRoot()->FindByName("Q" + std::to_string(i) + "?")->SetRevealed(i % 3 + 1);
    const std::string saved = HintMemoryString(*large.GetRoot());
    ASSERT_GT(saved.size(), 2047u);
    ASSERT_TRUE(SaveHintMemory(profile, large, path));
    EXPECT_EQ(Reopened(), saved);
}

}  // namespace
}  // namespace klu
