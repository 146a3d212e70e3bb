// The hint window (the reveal by button, Space and Enter, the counting on the button, closing,
// Tab) and the hint memory across reloads.
#include <QTest>

#include "model/hint_memory.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

std::string ButtonText(const THintChild& window) {
    return window.Button().text().toStdString();
}

// The question window's button text after pressing it presses times (none: just opened).
std::string RevealInQuestion(TItemsHunk& question, int presses) {
    question.Open();
    auto* window = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(question));
    if (!window) return "no window";
    for (int i = 0; i < presses; ++i)
        QTest::mouseClick(&window->Button(), Qt::LeftButton);
    return ButtonText(*window);
}

class HintWindowTest : public WindowFixture {
  protected:
    // Opens the three-hint file with the settings given and the window of its question.
    THintChild* OpenQuestion(bool counting, bool memory) {
        path = Write("three.klu", ThreeHintFile());
        Open(path);
        state.settings.showCounting = counting;
        state.settings.hintMemoryOn = memory;
        question = Child("How?");
        return question ? OpenWindow(*question) : nullptr;
    }
    // The number of children up to the n-th "-" child of the question (from 0), that one too.
    int UpToSeparator(int n) const {
        for (size_t i = 0; i < question->GetChildCount(); ++i) {
            if (question->GetChild(i)->GetName() == "-" && n-- == 0) return static_cast<int>(i) + 1;
        }
        return -1;
    }

    std::string path;
    TItemsHunk* question = nullptr;
};

TEST_F(HintWindowTest, RevealsOneHintAtATimeByMouseSpaceAndEnterThenCloses) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "How?");
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(0));
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");

    QTest::mouseClick(&window->Button(), Qt::LeftButton);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(1));
    QTest::keyClick(&window->Button(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "No more hints.");
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(question->GetChildCount()));
    EXPECT_EQ(question->GetRevealed(), 0) << "hint memory off: the hunk's count is left alone";
    // One more press closes the window.
    QTest::keyClick(&window->Button(), Qt::Key_Return);
    DeleteClosed();
    EXPECT_EQ(question->view, nullptr);
}

TEST_F(HintWindowTest, TabGoesToTheTextAndBack) {
    Open(Write("three.klu", ThreeHintFile()));
    QApplication::setActiveWindow(frame.get());
    auto* window =
        dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()));
    ASSERT_NE(window, nullptr);
    window->Button().setFocus();
    QTest::keyClick(&window->Button(), Qt::Key_Tab);
    EXPECT_TRUE(window->Control().hasFocus());
    EXPECT_EQ(window->Control().CurrentLink(), Child("How?"));
    // From the text, Tab past the last link comes back to the button.
    QTest::keyClick(&window->Control(), Qt::Key_Tab);
    EXPECT_EQ(window->Control().CurrentLink(), Child("Once?"));
    QTest::keyClick(&window->Control(), Qt::Key_Tab);
    EXPECT_TRUE(window->Button().hasFocus());
}

TEST_F(HintWindowTest, CountsSurviveAReload) {
    OpenQuestion(true, true);
    EXPECT_EQ(RevealInQuestion(*question, 1), "Hint 2 of 3.  Another hint?");
    Open(path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(state.profile.ReadProfileString(kMemorySection, MemoryKeyOf(path), ""), "2,0,");
}

}  // namespace
}  // namespace klu::test
