// The reader as a keyboard player meets it, and the hint window's button.
#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolTip>

#include "app/command_ids.h"
#include "app/menu_table.h"
#include "views/list_window.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

using WindowKeyboardTest = WindowFixture;

// What a screen reader finds: no button in windows that show no button.
bool HasButton(QAccessibleInterface* node) {
    if (node->role() == QAccessible::Button) return true;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i); child && HasButton(child)) return true;
    return false;
}

// The sample file with its chapter and the chapter's question open, the question active.
class QuestionKeysTest : public WindowKeyboardTest {
  protected:
    QuestionKeysTest() {
        Open(Write("game.klu", SampleHintFile()));
        OpenWindow(*Child("Chapter"));
        question = OpenWindow(*Child("Where?"));
        EXPECT_NE(question, nullptr);
        button = question ? question->Button() : nullptr;
        EXPECT_NE(button, nullptr);
    }
    HintWindow* question = nullptr;
    HintButton* button = nullptr;
};

TEST_F(QuestionKeysTest, ScreenReadersFindAButtonInAQuestionAndNoneInASubject) {
    EXPECT_TRUE(HasButton(QAccessible::queryAccessibleInterface(question)));
    EXPECT_FALSE(HasButton(QAccessible::queryAccessibleInterface(ViewOf(Child("Chapter")))));
}

// Each of the two shows when it has the keys, the text too, though it has no link to mark.
TEST_F(QuestionKeysTest, TabAndBacktabMoveTheKeysBetweenButtonAndTextAndShowWhichHasThem) {
    TextView& text = question->Control();
    const QImage button_focused = button->grab().toImage();
    const QImage text_unfocused = text.viewport()->grab().toImage();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab}) {
        const bool to_text = Focus() == button;
        Type(key);
        EXPECT_EQ(Focus(), to_text ? static_cast<QWidget*>(&text) : button) << key;
        EXPECT_EQ(button->grab().toImage() != button_focused, to_text) << key;
        EXPECT_EQ(text.viewport()->grab().toImage() != text_unfocused, to_text) << key;
    }
}

TEST_F(QuestionKeysTest, NoWindowsOwnShortcutShadowsOneOfTheMenu) {
    for (const MenuPopup& popup : KluMenu()) {
        for (const MenuItem& item : popup.items) {
            const QAction* command = frame->Action(item.id);
            if (command == nullptr || command->shortcut().isEmpty()) continue;
            for (QMdiSubWindow* child : Client().subWindowList())
                for (const QAction* own : child->systemMenu()->actions())
                    EXPECT_FALSE(own->shortcuts().contains(command->shortcut()))
                        << own->text().toStdString() << " takes " << item.text;
        }
    }
}

// Ctrl+W is Show Top Window.
TEST_F(QuestionKeysTest, ShowTopWindowAndACancelledPrintWindowLeaveTheKeysOnTheTopWindowsText) {
    const TextView& top = ViewOf(state.currentDocument.GetRoot())->Control();
    EXPECT_EQ(Type(Qt::Key_W, Qt::ControlModifier), "Sample Game");
    EXPECT_EQ(Focus(), &top);
    Client().Command(CM_PRINTWINDOW);
    EXPECT_EQ(Focus(), &top);
}

TEST_F(QuestionKeysTest, AQuestionRaisedAgainByALinkGivesTheKeysToItsButton) {
    ViewOf(Child("Chapter"))->Control().setFocus();
    ASSERT_EQ(ActiveTitle(), "Chapter");
    Child("Where?")->Open();
    EXPECT_EQ(Focus(), button);
}

// The last press after "No more hints." closes the question, Esc the chapter.
TEST_F(QuestionKeysTest, ClosingAWindowReturnsTheKeysToTheOneActiveBefore) {
    Type(Qt::Key_Space);
    EXPECT_EQ(Type(Qt::Key_Space), "Chapter");
    EXPECT_EQ(Focus(), &ViewOf(Child("Chapter"))->Control());
    EXPECT_EQ(Type(Qt::Key_Escape), "Sample Game");
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Sample Game"});
}

// Five windows: the sample's top, chapter and two questions, and the verbose listing; the
// frame has room for three steps of a cascade down beside the contents, or is large.
class ArrangeTest : public WindowKeyboardTest {
  protected:
    ArrangeTest() {
        Open(Write("game.klu", SampleHintFile()));
        for (const char* title : {"Chapter", "Where?", "Why?"})
            OpenWindow(*Child(title));
        Client().Command(CM_VERBOSELISTING);
    }
};

TEST_F(ArrangeTest, CascadeHidesNoWindowBehindAnotherAndKeepsTheActiveOnTop) {
    QMdiSubWindow* active = Client().activeSubWindow();
    for (const QSize size : {QSize(800, 400), QSize(1280, 1000)}) {
        frame->resize(size);
        QApplication::processEvents();
        Client().Command(CM_CASCADECHILDREN);
        std::vector<QPoint> corners;
        for (QMdiSubWindow* child : Client().subWindowList()) {
            const std::string title = child->windowTitle().toStdString();
            EXPECT_GE(child->width(), 300) << title;
            EXPECT_GE(child->height(), 150) << title;
            EXPECT_TRUE(Client().viewport()->rect().contains(child->geometry())) << title;
            EXPECT_EQ(std::count(corners.begin(), corners.end(), child->pos()), 0) << title;
            corners.push_back(child->pos());
        }
        EXPECT_EQ(Client().subWindowList(QMdiArea::StackingOrder).back(), active);
    }
}

TEST_F(ArrangeTest, TileOverlapsNoWindow) {
    Client().Command(CM_TILECHILDREN);
    const QList<QMdiSubWindow*> tiled = Client().subWindowList();
    for (qsizetype i = 0; i < tiled.size(); ++i) {
        EXPECT_GE(tiled[i]->width(), 300);
        for (qsizetype j = i + 1; j < tiled.size(); ++j)
            EXPECT_FALSE(tiled[i]->geometry().intersects(tiled[j]->geometry()));
    }
}

// Also in front of windows tiled afterwards.
TEST_F(ArrangeTest, MinimisedWindowsLineUpAtTheBottomInFrontOfTheOthers) {
    const QList<QMdiSubWindow*> windows = Client().subWindowList();
    windows[0]->showMinimized();
    windows[1]->showMinimized();
    for (const int command : {CM_ARRANGEICONS, CM_TILECHILDREN}) {
        Client().Command(command);
        const QList<QMdiSubWindow*> stack = Client().subWindowList(QMdiArea::StackingOrder);
        for (QMdiSubWindow* icon : {windows[0], windows[1]}) {
            EXPECT_EQ(icon->geometry().bottom(), Client().viewport()->rect().bottom()) << command;
            EXPECT_GT(stack.indexOf(icon), stack.indexOf(windows[2])) << command;
        }
        EXPECT_FALSE(windows[0]->geometry().intersects(windows[1]->geometry()));
    }
}

// The hint runs below the window, with a link at its end.
TEST_F(WindowKeyboardTest, TabFromTheButtonMarksALinkInViewAndEnterOpensIt) {
    auto root = MakeSubject("Game");
    HintNode* way = root->Add(MakeNode("NESTHINT", "Long way?"));
    for (int i = 0; i < 80; ++i)
        way->Line("Walk on, line " + std::to_string(i) + ".");
    way->Add(MakeText("Map", {"A map of the way."}));
    way->Separator();
    way->Line("The end of the way.");
    Open(Write("way.klu", HintFileOf(std::move(root))));
    HintWindow* window = OpenWindow(*Child("Long way?"));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->Button(), nullptr);
    TextView& text = window->Control();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        window->Button()->setFocus();
        text.verticalScrollBar()->setValue(0);
        Type(key);
        EXPECT_EQ(Focus(), &text);
        ASSERT_EQ(text.CurrentLink(), Child("Map"));
        const std::vector<QRect> marked = text.FragmentRects(text.CurrentLink());
        ASSERT_FALSE(marked.empty());
        for (const QRect& r : marked)
            EXPECT_TRUE(text.viewport()->rect().contains(r)) << key;
    }
    EXPECT_EQ(Type(Qt::Key_Return), "Map");
}

// A listing of the program folder: hint files of two titles, one of them twice, and a file that
// is not a hint file.
class ListingTest : public WindowKeyboardTest {
  protected:
    FileListWindow& OpenListing() {
        Write("a.klu", SampleHintFile("Caf\xe9 Quest"));
        Write("b.klu", SampleHintFile("Dark Tower"));
        Write("c.klu", SampleHintFile("Dark Tower"));
        Write("notes.klu", "Just some notes\r\n");
        Client().Command(CM_VERBOSELISTING);
        EXPECT_TRUE(Client().listWindow);
        return *qobject_cast<FileListWindow*>(Client().listWindow->widget());
    }
    static std::vector<std::string> Rows(const FileListWindow& listing) {
        std::vector<std::string> rows;
        for (int i = 0; i < listing.Control().VisibleCount(); ++i)
            rows.push_back(listing.Control().ShownHunk().GetChild(static_cast<size_t>(i))->GetName());
        return rows;
    }
};

// The listing shows no button.
TEST_F(ListingTest, ItsTextTakesTheKeysAndEnterOpensNothingUntilTabMarksALink) {
    FileListWindow& listing = OpenListing();
    EXPECT_FALSE(HasButton(QAccessible::queryAccessibleInterface(&listing)));
    EXPECT_EQ(Focus(), &listing.Control());
    EXPECT_EQ(Type(Qt::Key_Return), listing.windowTitle().toStdString()) << "Enter opened nothing";
    Type(Qt::Key_Tab);
    ASSERT_NE(listing.Control().CurrentLink(), nullptr);
    EXPECT_EQ(listing.Control().CurrentLink()->GetName(), "Caf\xe9 Quest");
    Type(Qt::Key_Escape);
    EXPECT_FALSE(Client().listWindow);
}

TEST_F(ListingTest, RowTipGivesTheFilePath) {
    TextView& rows = OpenListing().Control();
    const QPoint second(20, rows.Fragments().at(1).top + 2);
    QHelpEvent tip(QEvent::ToolTip, second, rows.viewport()->mapToGlobal(second));
    QApplication::sendEvent(rows.viewport(), &tip);
    EXPECT_EQ(QToolTip::text().toStdString(), folder / "b.klu");
}

// Unfiltered it shows the hint files only, with the file names of repeated titles.
TEST_F(ListingTest, FilterKeepsTitlesHoldingTheTextIgnoringCaseAndAccents) {
    FileListWindow& listing = OpenListing();
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"", {"Caf\xe9 Quest", "Dark Tower (b.klu)", "Dark Tower (c.klu)"}},
        {"CAFE", {"Caf\xe9 Quest"}},
        {"tower (c", {"Dark Tower (c.klu)"}},
        {"zzz", {}},
    };
    for (const auto& [typed, rows] : cases) {
        listing.Filter().setText(QString::fromUtf8(typed));
        EXPECT_EQ(Rows(listing), rows) << typed;
    }
}

// Ctrl+K goes to the filter, Down to the first entry; Enter opens it, Esc empties the filter.
TEST_F(ListingTest, FilterKeysMoveToTheRowsOpenAndClear) {
    FileListWindow& listing = OpenListing();
    Type(Qt::Key_K, Qt::ControlModifier);
    ASSERT_EQ(Focus(), &listing.Filter());
    EXPECT_EQ(listing.Filter().accessibleName(), "Filter listing");
    QTest::keyClicks(&listing.Filter(), "tower");
    Type(Qt::Key_Down);
    EXPECT_EQ(Focus(), &listing.Control());
    EXPECT_EQ(listing.Control().CurrentLink()->GetName(), "Dark Tower (b.klu)");
    Type(Qt::Key_K, Qt::ControlModifier);
    Type(Qt::Key_Escape);
    EXPECT_EQ(Rows(listing).size(), 3u);
    QTest::keyClicks(&listing.Filter(), "quest");
    Type(Qt::Key_Return);
    EXPECT_EQ(state.currentPath, folder / "a.klu");
}

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
        for (size_t i = 0; i < question->GetChildCount(); ++i)
            if (question->GetChild(i)->GetName() == "-" && n-- == 0) return static_cast<int>(i) + 1;
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
