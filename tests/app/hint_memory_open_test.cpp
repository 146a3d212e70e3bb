// Hint memory across opening: a reload, a new start of the program, and a stored memory that does
// not fit the file.
#include <QTest>

#include "app/klu_app.h"
#include "model/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

// The question window's button text after pressing it presses times (none: just opened).
std::string RevealInQuestion(TItemsHunk& question, int presses) {
    question.Open();
    auto* window = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(question));
    if (!window) return "no window";
    for (int i = 0; i < presses; ++i)
        QTest::mouseClick(&window->Button(), Qt::LeftButton);
    return window->Button().text().toStdString();
}

using HintMemoryOpenTest = WindowFixture;

TEST_F(HintMemoryOpenTest, CountsSurviveAReload) {
    const std::string path = Write("three.klu", ThreeHintFile());
    Open(path);
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 1), "Hint 2 of 3.  Another hint?");

    Open(path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(state.profile.ReadProfileString(kMemorySection, MemoryKeyOf(path), ""), "2,0,");
}

TEST_F(HintMemoryOpenTest, MemoryOffNeitherShowsNorChangesTheCounts) {
    const std::string path = Write("three.klu", ThreeHintFile());
    Open(path);
    RevealInQuestion(*Child("How?"), 1);
    state.settings.hintMemoryOn = false;
    Open(path);  // the setting goes to the profile first, so it holds after the reload
    ASSERT_FALSE(state.settings.hintMemoryOn);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 1), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
}

TEST_F(HintMemoryOpenTest, MemoryThatDoesNotFitIsResetToZero) {
    const std::string path = Write("three.klu", ThreeHintFile());
    const std::string key = MemoryKey(path, MeasureFileLength(path));
    ASSERT_TRUE(state.profile.WriteProfileString(kMemorySection, key, "5,"));
    Open(path);
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(Child("How?")->GetRevealed(), 0);
    EXPECT_EQ(Child("Once?")->GetRevealed(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "Hint 1 of 3.  Another hint?");

    // A memory that fits is taken as it is. (With the file open, opening it again would first
    // store the counts it has now.)
    state.currentDocument.Clear();
    ASSERT_TRUE(state.profile.WriteProfileString(kMemorySection, key, "3,1,"));
    Open(path);
    EXPECT_EQ(Child("How?")->GetRevealed(), 3);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "No more hints.");
}

TEST_F(HintMemoryOpenTest, FailedOpenKeepsTheMemoryOfTheFileBefore) {
    const std::string path = Write("three.klu", ThreeHintFile());
    Open(path);
    RevealInQuestion(*Child("How?"), 2);
    Open(folder / "missing.klu");
    Open(path);
    EXPECT_EQ(Child("How?")->GetRevealed(), 3);
}

// Two runs of the program, one after the other, on the same program folder.
class HintMemoryRestartTest : public ::testing::Test {
  protected:
    std::unique_ptr<TKLUApp> Start(const std::string& argument) {
        auto fake = std::make_unique<FakeUserDialogs>();
        dialogs = fake.get();
        auto app =
            std::make_unique<TKLUApp>(folder.path(), argument, std::move(fake), NoEnvironment);
        app->BuildMainWindow(false);
        app->ShowMainWindow();
        return app;
    }
    static TItemsHunk* Question(TKLUApp& app) {
        THunk* root = app.State().currentDocument.GetRoot();
        return root ? dynamic_cast<TItemsHunk*>(root->FindByName("How?")) : nullptr;
    }

    TempFolder folder;
    FakeUserDialogs* dialogs = nullptr;
};

TEST_F(HintMemoryRestartTest, CountsSurviveTheNextRun) {
    const std::string path = folder / "three.klu";
    WriteFile(path, ThreeHintFile());
    {
        auto app = Start(path);
        EXPECT_TRUE(dialogs->messages.empty());
        ASSERT_NE(Question(*app), nullptr);
        EXPECT_EQ(RevealInQuestion(*Question(*app), 2), "No more hints.");
    }
    auto app = Start(std::string());
    EXPECT_FALSE(app->State().FileLoaded());
    app->MainWindow()->Client().OpenHintFile(path);
    ASSERT_NE(Question(*app), nullptr);
    EXPECT_EQ(Question(*app)->GetRevealed(), 3);
    EXPECT_EQ(RevealInQuestion(*Question(*app), 0), "No more hints.");
    EXPECT_EQ(app->State().recentFiles.Entry(0), path);
}

}  // namespace
}  // namespace klu::test
