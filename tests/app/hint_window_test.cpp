// The hint window: the reveal by button, Space and Enter, the counting on the button, closing,
// Tab.
#include <QTest>

#include "window_fixture.h"

namespace klu::test {
namespace {

std::string ButtonText(const HintWindow& window) {
    return window.Button() ? window.Button()->text().toStdString() : "no button";
}

class HintWindowTest : public WindowFixture {
  protected:
    // Opens the three-hint file with the settings given and the window of its question.
    HintWindow* OpenQuestion(bool counting, bool memory) {
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
    ItemsHunk* question = nullptr;
};

TEST_F(HintWindowTest, RevealsOneHintAtATimeByMouseSpaceAndEnterThenCloses) {
    HintWindow* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "How?");
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(0));
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");

    QTest::mouseClick(window->Button(), Qt::LeftButton);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(1));
    QTest::keyClick(window->Button(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "No more hints.");
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(question->GetChildCount()));
    EXPECT_EQ(question->GetRevealed(), 0) << "hint memory off: the hunk's count is left alone";
    // One more press closes the window.
    QTest::keyClick(window->Button(), Qt::Key_Return);
    DeleteClosed();
    EXPECT_EQ(ViewOf(question), nullptr);
}

// A subject has a single "hint": no button, and its text takes the focus with no link marked.
// Tab walks the links, passing the incentive by, and rests on none past the last; Enter and
// Space open nothing there.
TEST_F(HintWindowTest, ASubjectHasNoButtonItsTextTakesTheKeys) {
    auto root = MakeSubject("Three Hints");
    root->Add(MakeQuestion("How?", {{"first"}, {"second"}}));
    root->Add(MakeNode("INCENTIVE", "Buy the full game"))->Line("Send money");
    Open(Write("three.klu", HintFileOf(std::move(root))));
    QApplication::setActiveWindow(frame.get());
    HintWindow* window = ViewOf(state.currentDocument.GetRoot());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Button(), nullptr);
    TextView& text = window->Control();
    EXPECT_EQ(QApplication::focusWidget(), &text);

    const KLUObject* how = Child("How?");
    const struct {
        Qt::Key key;
        const KLUObject* marked;
    } steps[] = {{Qt::Key_Return, nullptr}, {Qt::Key_Space, nullptr}, {Qt::Key_Tab, how},
                 {Qt::Key_Tab, nullptr},    {Qt::Key_Tab, how},       {Qt::Key_Backtab, nullptr},
                 {Qt::Key_Backtab, how}};
    for (const auto& step : steps) {
        QTest::keyClick(&text, step.key);
        EXPECT_EQ(text.CurrentLink(), step.marked) << step.key;
    }
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace klu::test
