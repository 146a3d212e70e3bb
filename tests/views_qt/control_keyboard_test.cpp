// Moving the focus between links and scrolling with the keyboard.
#include <QScrollBar>

#include "control_fixture.h"

namespace klu::test {
namespace {

class ControlKeyboardTest : public ControlTest {
  protected:
    ControlKeyboardTest() {
        AddLine("Some words first.");
        first = AddQuestion("First question");
        AddLine("Between the two.");
        last = AddQuestion("Last question");
        AddLine("And the end.");
    }

    TMetaTextHunk* first = nullptr;
    TMetaTextHunk* last = nullptr;
};

TEST_F(ControlKeyboardTest, TabSelectsTheFirstLinkAndEnterOpensIt) {
    Show();
    EXPECT_EQ(control->CurrentLink(), nullptr);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), first);
    Key(Qt::Key_Return);
    EXPECT_EQ(ui.opened, std::vector<THunk*>{first});
    EXPECT_TRUE(control->hasFocus());  // Tab stayed inside the control
}

TEST_F(ControlKeyboardTest, TabWalksTheLinksAndWrapsWithoutAButton) {
    Show();
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), last);
    Key(Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), first);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(control->CurrentLink(), last);
    Key(Qt::Key_Enter);
    EXPECT_EQ(ui.opened, std::vector<THunk*>{last});
}

TEST_F(ControlKeyboardTest, ShiftTabFromTheStartSelectsTheLastLink) {
    Show();
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(control->CurrentLink(), last);
}

TEST_F(ControlKeyboardTest, RunningPastTheLinksAsksTheOwnersButton) {
    Show();
    std::vector<bool> asked;
    control->SetFocusButton([&](bool forward) {
        asked.push_back(forward);
        return true;
    });
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);  // past the last link: the button takes the focus
    EXPECT_EQ(control->CurrentLink(), nullptr);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);  // before the first link
    EXPECT_EQ(control->CurrentLink(), nullptr);
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
}

TEST_F(ControlKeyboardTest, SelectionSkipsHiddenLinksAndStartsFromTheEndOnMinusTwo) {
    Show();
    control->SetVisibleCount(3);
    EXPECT_EQ(control->SelectPrevLink(-2), first);
    EXPECT_EQ(control->SelectNextLink(2), first);  // wrapped: the last link is hidden
    control->SetVisibleCount(1);
    EXPECT_EQ(control->SelectNextLink(0), nullptr);
    EXPECT_EQ(control->SelectPrevLink(-2), nullptr);
}

TEST_F(ControlKeyboardTest, SpaceIsTheOwnersDefaultActionElseOpensTheLink) {
    Show();
    Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    EXPECT_EQ(ui.opened, std::vector<THunk*>{first});
    int actions = 0;
    control->SetDefaultAction([&] { ++actions; });
    Key(Qt::Key_Space);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(ui.opened.size(), 1u);
}

TEST_F(ControlKeyboardTest, EscapeAsksTheOwnerToClose) {
    Show();
    int closes = 0;
    control->SetCloseWindow([&] { ++closes; });
    Key(Qt::Key_Escape);
    EXPECT_EQ(closes, 1);
}

TEST_F(ControlTest, TabWithoutAFocusedLinkStartsAtTheSecondChild) {
    TMetaTextHunk* a = AddQuestion("First");
    TMetaTextHunk* b = AddQuestion("Second");
    Show();
    QTest::keyClick(control.get(), Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), b);
    QTest::keyClick(control.get(), Qt::Key_Tab);
    EXPECT_EQ(control->CurrentLink(), a);
}

class ControlScrollTest : public ControlTest {
  protected:
    ControlScrollTest() {
        for (int i = 0; i < 40; ++i)
            AddLine("Line number " + std::to_string(i));
        target = AddQuestion("The question at the bottom");
        Show(300, 150);
    }
    int Top() const { return control->verticalScrollBar()->value(); }

    TMetaTextHunk* target = nullptr;
};

TEST_F(ControlScrollTest, ArrowsScrollTenPixelsAndPagesByWholeLinesLessOne) {
    const int line = control->LineHeight();
    const int height = control->viewport()->height();
    const int page = height - height % line - line;
    ASSERT_GT(page, 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(Top(), 10);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    EXPECT_EQ(Top(), 10);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Top(), 10 + page);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Top(), 10);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Top(), 0);  // held at the top
}

TEST_F(ControlScrollTest, EndAndHomeGoToTheBottomAndTheTop) {
    const TSize document = control->DocumentSize();
    Key(Qt::Key_End);
    EXPECT_EQ(Top(), document.height - control->viewport()->height());
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(control->horizontalScrollBar()->value(), 0);
    Key(Qt::Key_Home);
    EXPECT_EQ(Top(), 0);
}

TEST_F(ControlScrollTest, TabScrollsTheFocusedLinkIntoView) {
    Key(Qt::Key_Tab);
    ASSERT_EQ(control->CurrentLink(), target);
    const TWrapInfo& f = control->Fragments().back();
    ASSERT_EQ(f.object, target);
    EXPECT_GT(Top(), 0);
    EXPECT_GE(f.top, Top());
    EXPECT_LE(f.bottom, Top() + control->viewport()->height());
}

}  // namespace
}  // namespace klu::test
