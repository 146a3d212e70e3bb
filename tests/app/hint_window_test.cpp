// The hint window (its title and icon, the reveal by button, Space and Enter, the counting on the
// button, closing, the keyboard) and the hint memory across windows, reloads and runs.
#include <QTest>

#include "model/hint_memory.h"
#include "views/window_icons.h"
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
    EXPECT_EQ(window->KindName(), "HINT");
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(0));
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");
    EXPECT_TRUE(window->Button().isDefault());

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
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});

    // In the text, Space reveals and Esc closes.
    window = OpenWindow(*question);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ButtonText(*window), "Hint 1 of 3.  Another hint?");
    QTest::keyClick(&window->Control(), Qt::Key_Space);
    EXPECT_EQ(ButtonText(*window), "Hint 2 of 3.  Another hint?");
    QTest::keyClick(&window->Control(), Qt::Key_Escape);
    DeleteClosed();
    EXPECT_EQ(question->view, nullptr);
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

TEST_F(HintWindowTest, SingleHintHasNoButtonToPress) {
    Open(Write("three.klu", ThreeHintFile()));
    TItemsHunk* once = Child("Once?");
    ASSERT_NE(once, nullptr);
    THintChild* window = OpenWindow(*once);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ButtonAreaHeight(), 0);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        QTest::keyClick(&window->Button(), key);
        DeleteClosed();
        ASSERT_EQ(once->view, window);
    }
    EXPECT_EQ(window->Control().VisibleCount(), static_cast<int>(once->GetChildCount()));
}

TEST_F(HintWindowTest, NewWindowsStepDownAndOpeningAgainBringsBackTheSameOne) {
    THintChild* window = OpenQuestion(true, false);
    ASSERT_NE(window, nullptr);
    const QList<QMdiSubWindow*> windows = Client().subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const QPoint step = windows[1]->pos() - windows[0]->pos();
    EXPECT_GT(step.x(), 0);
    EXPECT_EQ(step.x(), step.y());
    const QSize room = Client().viewport()->size();
    EXPECT_EQ(windows[1]->size(), QSize(room.width() * 3 / 4, room.height() * 3 / 4));

    ASSERT_EQ(&window->Frame(), windows[1]);
    // Maximised, the window's text loses its margin.
    EXPECT_NE(window->Control().pos(), QPoint(0, 0));
    windows[1]->showMaximized();
    EXPECT_EQ(window->Control().pos(), QPoint(0, 0));
    windows[1]->showMinimized();
    EXPECT_EQ(OpenWindow(*question), window);
    EXPECT_FALSE(windows[1]->isMinimized());
    EXPECT_EQ(Client().activeSubWindow(), windows[1]);
    EXPECT_EQ(WindowTitles().size(), 2u);
    EXPECT_TRUE(dialogs.messages.empty());

    // A deleted hunk takes its window along.
    state.currentDocument.Clear();
    EXPECT_TRUE(WindowTitles().empty());
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
    QTest::keyClick(&window->Button(), Qt::Key_Backtab);
    EXPECT_TRUE(window->Control().hasFocus());
    EXPECT_EQ(window->Control().CurrentLink(), Child("Once?"));
}

TEST_F(HintWindowTest, TitleComesFromWindows1252AndIconFromTheKind) {
    auto root = MakeSubject("Caf\xe9 Mystery");
    root->Add(MakeText("Notes", {"a line"}));
    Open(Write("cafe.klu", HintFileOf(std::move(root))));
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Caf\u00e9 Mystery"});
    THintChild* window = OpenWindow(*Child("Notes"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->KindName(), "TEXT");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->Frame().windowIcon().isNull());

    for (const char* kind : {"COMMENT", "CREDIT", "HINT", "HYPERPNG", "INFO", "NESTHINT", "SUBJECT",
                             "TEXT", "VERBOSE"}) {
        EXPECT_TRUE(HasWindowIcon(kind)) << kind;
        EXPECT_FALSE(WindowIcon(kind).pixmap(16, 16).isNull()) << kind;
    }
    EXPECT_FALSE(HasWindowIcon("GIFA"));
    EXPECT_NE(WindowIcon("HINT").pixmap(32, 32).toImage(),
              WindowIcon("SUBJECT").pixmap(32, 32).toImage());
}

TEST_F(HintWindowTest, BrokenMemoryAndUnknownDataSaySo) {
    Open(Write("three.klu", ThreeHintFile()));
    TItemsHunk* how = Child("How?");
    ASSERT_NE(how, nullptr);
    how->SetRevealed(7);
    ASSERT_FALSE(how->StateValid());
    ASSERT_NE(OpenWindow(*how), nullptr);
    const size_t windows = WindowTitles().size();
    THunk mystery("Strange Thing");
    mystery.Open();
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{
                  {"My memory is broken", "Oops", MessageIcon::None},
                  {UnknownDataText(std::nullopt), "Strange Thing", MessageIcon::Stop}}));
    EXPECT_EQ(WindowTitles().size(), windows);

    // Known versions, or none, are told to ask for support; a newer one to upgrade to it.
    for (const char* version : {"88a", "91a", "95a", "96a"})
        EXPECT_EQ(UnknownDataText(std::string(version)), UnknownDataText(std::nullopt)) << version;
    EXPECT_NE(UnknownDataText(std::nullopt).find("supported KLU file format"), std::string::npos);
    const std::string newer = UnknownDataText(std::string("99z"));
    EXPECT_NE(newer.find("upgrade to a KLU reader that supports the KLU 99z format"),
              std::string::npos)
        << newer;
}

TEST_F(HintWindowTest, HintMemoryOnStoresTheCountAndReopensAtIt) {
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
    EXPECT_EQ(window->Control().VisibleCount(), UpToSeparator(1));
}

TEST_F(HintWindowTest, CountsSurviveAReloadAndAFailedOpen) {
    OpenQuestion(true, true);
    EXPECT_EQ(RevealInQuestion(*question, 1), "Hint 2 of 3.  Another hint?");
    Open(path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Three Hints"});
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(state.profile.ReadProfileString(kMemorySection, MemoryKeyOf(path), ""), "2,0,");

    // A file that cannot be opened keeps the memory of the file before.
    RevealInQuestion(*Child("How?"), 1);
    Open(folder / "missing.klu");
    Open(path);
    EXPECT_EQ(Child("How?")->GetRevealed(), 3);
}

TEST_F(HintWindowTest, MemoryOffNeitherShowsNorChangesTheCounts) {
    OpenQuestion(true, true);
    RevealInQuestion(*question, 1);
    state.settings.hintMemoryOn = false;
    Open(path);  // the setting goes to the profile first, so it holds after the reload
    ASSERT_FALSE(state.settings.hintMemoryOn);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 1), "Hint 2 of 3.  Another hint?");
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
}

TEST_F(HintWindowTest, StoredMemoryThatDoesNotFitIsResetToZero) {
    const std::string three = Write("three.klu", ThreeHintFile());
    const std::string key = MemoryKey(three, MeasureFileLength(three));
    ASSERT_TRUE(state.profile.WriteProfileString(kMemorySection, key, "5,"));
    Open(three);
    ASSERT_NE(Child("How?"), nullptr);
    EXPECT_EQ(Child("How?")->GetRevealed(), 0);
    EXPECT_EQ(Child("Once?")->GetRevealed(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "Hint 1 of 3.  Another hint?");

    // A memory that fits is taken as it is. (With the file open, opening it again would first
    // store the counts it has now.)
    state.currentDocument.Clear();
    ASSERT_TRUE(state.profile.WriteProfileString(kMemorySection, key, "3,1,"));
    Open(three);
    EXPECT_EQ(Child("How?")->GetRevealed(), 3);
    EXPECT_EQ(RevealInQuestion(*Child("How?"), 0), "No more hints.");
}

TEST(HintMemoryRestartTest, CountsSurviveTheNextRun) {
    TempFolder folder;
    const std::string path = folder / "three.klu";
    WriteFile(path, ThreeHintFile());
    auto question = [](TKLUApp& app) {
        THunk* root = app.State().currentDocument.GetRoot();
        return root ? dynamic_cast<TItemsHunk*>(root->FindByName("How?")) : nullptr;
    };
    {
        auto app = StartApp(folder.path(), path);
        ASSERT_NE(question(*app), nullptr);
        EXPECT_EQ(RevealInQuestion(*question(*app), 2), "No more hints.");
    }
    auto app = StartApp(folder.path());
    EXPECT_FALSE(app->State().FileLoaded());
    app->MainWindow()->Client().OpenHintFile(path);
    ASSERT_NE(question(*app), nullptr);
    EXPECT_EQ(question(*app)->GetRevealed(), 3);
    EXPECT_EQ(RevealInQuestion(*question(*app), 0), "No more hints.");
    EXPECT_EQ(app->State().recentFiles.Entry(0), path);
}

}  // namespace
}  // namespace klu::test
