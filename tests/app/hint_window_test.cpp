// The hint window: its button, and the keys in a subject's window.

#include "window_fixture.h"

namespace klu::test {
namespace {

std::string ButtonText(const HintWindow& window) {
    return window.Button() ? window.Button()->text().toStdString() : "no button";
}

using HintWindowTest = WindowFixture;

TEST_F(HintWindowTest, RevealsOneHintAtATimeByMouseSpaceAndEnterThenCloses) {
    Open(Write("three.klu", ThreeHintFile()));
    state.settings.showCounting = true;
    state.settings.hintMemoryOn = false;
    ItemsHunk* question = Child("How?");
    ASSERT_NE(question, nullptr);
    HintWindow* window = OpenWindow(*question);
    ASSERT_NE(window, nullptr);
    // The number of children up to the n-th "-" child of the question (from 0), that one too.
    const auto up_to_separator = [question](int n) {
        for (size_t i = 0; i < question->GetChildCount(); ++i) {
            if (question->GetChild(i)->GetName() == "-" && n-- == 0) return static_cast<int>(i) + 1;
        }
        return -1;
    };
    EXPECT_EQ(window->windowTitle().toStdString(), "How?");
    EXPECT_EQ(window->Control().VisibleCount(), up_to_separator(0));
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");

    QTest::mouseClick(window->Button(), Qt::LeftButton);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(window->Control().VisibleCount(), up_to_separator(1));
    QTest::keyClick(window->Button(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "No more hints.");
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(question->GetChildCount()));
    EXPECT_EQ(question->GetRevealed(), 0) << "hint memory off: the hunk's count is left alone";
    // One more press closes the window.
    QTest::keyClick(window->Button(), Qt::Key_Return);
    DeleteClosed();
    EXPECT_EQ(ViewOf(question), nullptr);
}

// Tab passes the incentive by and rests on no link past the last; Enter and Space open nothing.
TEST_F(HintWindowTest, ASubjectHasNoButtonItsTextTakesTheKeys) {
    auto root = MakeSubject("Three Hints");
    root->Add(MakeQuestion("How?", {{"first"}, {"second"}}));
    root->Add(MakeNode("INCENTIVE", "Buy the full game"))->Line("Send money");
    Open(Write("three.klu", HintFileOf(std::move(root))));
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
