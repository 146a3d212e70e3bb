// The hint window: its title and icon, the reveal by button, Space and Enter, the counting on the
// button, closing, and the common open of a hunk.
#include <QMdiSubWindow>
#include <QTest>

#include "app/open_hint_file.h"
#include "views/window_icons.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class HintWindowTest : public WindowFixture {
  protected:
    // Opens the three-hint file with the settings given and the window of its question.
    THintChild* OpenQuestion(bool counting, bool memory) {
        Open(Write("three.klu", ThreeHintFile()));
        state.settings.showCounting = counting;
        state.settings.hintMemoryOn = memory;
        question = Child("How?");
        if (!question) return nullptr;
        return OpenWindow(*question);
    }
    static std::string ButtonText(const THintChild& window) {
        return window.Button().text().toStdString();
    }
    // The index of the n-th "-" child of the hunk (from 0).
    static int SeparatorIndex(const TItemsHunk& hunk, int n) {
        for (size_t i = 0; i < hunk.GetChildCount(); ++i) {
            if (hunk.GetChild(i)->GetName() == "-" && n-- == 0) return static_cast<int>(i);
        }
        return -1;
    }

    TItemsHunk* question = nullptr;
};

TEST_F(HintWindowTest, RevealsOneHintAtATimeWithCounting) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "How?");
    EXPECT_EQ(window->KindName(), "HINT");
    EXPECT_EQ(window->Control().VisibleCount(), SeparatorIndex(*question, 0) + 1);
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");
    EXPECT_TRUE(window->Button().isDefault());
    EXPECT_EQ(window->Button().height(), 25);

    QTest::mouseClick(&window->Button(), Qt::LeftButton);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(window->Control().VisibleCount(), SeparatorIndex(*question, 1) + 1);

    QTest::keyClick(&window->Button(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "No more hints.");
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(question->GetChildCount()));
    // Hint memory off: the hunk's count is left alone.
    EXPECT_EQ(question->GetRevealed(), 0);

    // One more press closes the window.
    QTest::keyClick(&window->Button(), Qt::Key_Return);
    DeleteClosed();
    EXPECT_EQ(question->view, nullptr);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
}

TEST_F(HintWindowTest, WithoutCountingTheButtonKeepsItsText) {
    THintChild* window = OpenQuestion(false, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ButtonText(*window), "Another hint?");
    QTest::keyClick(&window->Button(), Qt::Key_Enter);
    EXPECT_EQ(ButtonText(*window), "Another hint?");
    EXPECT_EQ(window->Reveal().HintsShown(), 2);
    window->CmAnotherHint();
    EXPECT_EQ(ButtonText(*window), "No more hints.");
}

TEST_F(HintWindowTest, HintMemoryOnStoresAndReopensTheCount) {
    THintChild* window = OpenQuestion(true, true);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(question->GetRevealed(), 1);
    window->CmAnotherHint();
    EXPECT_EQ(question->GetRevealed(), 2);
    QTest::keyClick(&window->Button(), Qt::Key_Escape);
    DeleteClosed();
    ASSERT_EQ(question->view, nullptr);

    window = OpenWindow(*question);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(window->Control().VisibleCount(), SeparatorIndex(*question, 1) + 1);
}

TEST_F(HintWindowTest, SingleHintHasNoButtonToPress) {
    Open(Write("three.klu", ThreeHintFile()));
    TItemsHunk* once = Child("Once?");
    ASSERT_NE(once, nullptr);
    THintChild* window = OpenWindow(*once);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ButtonAreaHeight(), 0);
    EXPECT_EQ(window->Button().height(), 0);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        QTest::keyClick(&window->Button(), key);
        DeleteClosed();
        ASSERT_EQ(once->view, window);
    }
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(once->GetChildCount()));
}

TEST_F(HintWindowTest, OpeningAgainBringsBackTheSameWindow) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    QMdiSubWindow* frameWindow = qobject_cast<QMdiSubWindow*>(&window->Frame());
    ASSERT_NE(frameWindow, nullptr);
    frameWindow->showMinimized();
    EXPECT_EQ(OpenWindow(*question), window);
    EXPECT_FALSE(frameWindow->isMinimized());
    EXPECT_EQ(frame->Client().activeSubWindow(), frameWindow);
    EXPECT_EQ(WindowTitles().size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HintWindowTest, NewWindowsStepDownFromTheOneBefore) {
    ASSERT_NE(OpenQuestion(true, false), nullptr);
    const QList<QMdiSubWindow*> windows = frame->Client().subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const QPoint step = windows[1]->pos() - windows[0]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    const QSize room = frame->Client().viewport()->size();
    EXPECT_EQ(windows[1]->size(), QSize(room.width() * 3 / 4, room.height() * 3 / 4));
}

TEST_F(HintWindowTest, MaximisedWindowLosesItsMargin) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Control().geometry().topLeft(), QPoint(2, 2));
    EXPECT_EQ(window->Control().height(), window->height() - 25 - 4);
    window->Frame().showMaximized();
    EXPECT_EQ(window->Control().geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(window->Button().geometry(),
              QRect(2, window->height() - 25 - 2, window->width() - 4, 25));
}

TEST_F(HintWindowTest, TabGoesToTheTextAndBack) {
    Open(Write("three.klu", ThreeHintFile()));
    frame->show();
    QApplication::setActiveWindow(frame.get());
    THunk* root = state.currentDocument.GetRoot();
    ASSERT_NE(root, nullptr);
    auto* window = dynamic_cast<THintChild*>(WindowHunkUi::ViewOf(*root));
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

    QTest::keyClick(&window->Button(), Qt::Key_Backtab);
    EXPECT_TRUE(window->Control().hasFocus());
    EXPECT_EQ(window->Control().CurrentLink(), Child("Once?"));
}

TEST_F(HintWindowTest, SpaceAndEscInTheText) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(&window->Control(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    QTest::keyClick(&window->Control(), Qt::Key_Escape);
    DeleteClosed();
    EXPECT_EQ(question->view, nullptr);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
}

TEST_F(HintWindowTest, DeletedHunkTakesItsWindowAlong) {
    ASSERT_NE(OpenQuestion(true, false), nullptr);
    ASSERT_EQ(WindowTitles().size(), 2u);
    state.currentDocument.Clear();
    EXPECT_TRUE(WindowTitles().empty());
}

TEST_F(HintWindowTest, TitleComesFromWindows1252AndIconFromTheKind) {
    HintFileSpec plan;
    plan.root = MakeSubject("Caf\xe9 Mystery");
    plan.root->Add(MakeText("Notes", {"a line"}));
    Open(Write("cafe.klu", WriteHintFile(plan).value_or("")));
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Caf\u00e9 Mystery"});
    TItemsHunk* notes = Child("Notes");
    ASSERT_NE(notes, nullptr);
    THintChild* window = OpenWindow(*notes);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->KindName(), "TEXT");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->Frame().windowIcon().isNull());
}

TEST(WindowIconsTest, EveryWindowKindHasItsIcon) {
    for (const char* kind : {"COMMENT", "CREDIT", "HINT", "HYPERPNG", "INFO", "NESTHINT", "SUBJECT",
                             "TEXT", "VERBOSE"}) {
        EXPECT_TRUE(HasWindowIcon(kind)) << kind;
        EXPECT_FALSE(WindowIcon(kind).pixmap(16, 16).isNull()) << kind;
    }
    EXPECT_EQ(WindowIconName("HINT"), "HINT_ICON");
    EXPECT_FALSE(HasWindowIcon("GIFA"));
    EXPECT_NE(WindowIcon("HINT").pixmap(32, 32).toImage(),
              WindowIcon("SUBJECT").pixmap(32, 32).toImage());
}

TEST_F(HintWindowTest, BrokenMemorySaysSo) {
    Open(Write("three.klu", ThreeHintFile()));
    TItemsHunk* how = Child("How?");
    ASSERT_NE(how, nullptr);
    how->SetRevealed(7);
    ASSERT_FALSE(how->StateValid());
    ASSERT_NE(OpenWindow(*how), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "My memory is broken");
    EXPECT_EQ(dialogs.messages[0].title, "Oops");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(HintWindowTest, UnknownDataNamesTheHunkAndTheVersion) {
    THunk mystery("Strange Thing");
    mystery.Open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Strange Thing");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(dialogs.messages[0].text, UnknownDataText(std::nullopt));
    EXPECT_TRUE(WindowTitles().empty());
}

TEST(UnknownDataTextTest, KnownAndNewerVersions) {
    const std::string supported =
        "This information is stored in an unknown data type, but the hint file appears to be "
        "written in a supported KLU file format.  Contact the KLU with the name of this file for "
        "technical support.";
    EXPECT_EQ(UnknownDataText(std::nullopt), supported);
    for (const char* version : {"88a", "91a", "95a", "96a"})
        EXPECT_EQ(UnknownDataText(std::string(version)), supported) << version;
    EXPECT_EQ(UnknownDataText(std::string("99z")),
              "This information is stored in an unknown data type.  You will need to upgrade to "
              "a KLU reader that supports the KLU 99z format in order to read this information.");
}

}  // namespace
}  // namespace klu::test
