// The reader as a keyboard player meets it: the main menu's keys work whatever window is active,
// the focus lands on a control, closing a window returns to the one before, the Windows menu
// keeps windows usable, and Tab from the reveal button shows the link it marks.
#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "app/menu_table.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class WindowKeyboardTest : public WindowFixture {
  protected:
    WindowKeyboardTest() {
        frame->resize(1280, 1000);
        QApplication::setActiveWindow(frame.get());
    }
    // Opens the sample file, its chapter and the chapter's question, in that order.
    THintChild* OpenChapterQuestion() {
        Open(Write("game.klu", SampleHintFile()));
        OpenWindow(*Child("Chapter"));
        return OpenWindow(*Child("Where?"));
    }
    std::string ActiveTitle() const {
        QMdiSubWindow* active = frame->Client().activeSubWindow();
        return active ? active->widget()->windowTitle().toStdString() : "none";
    }
    // A key typed where the focus is, as a player types it.
    static void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, key, modifiers);
        DeleteClosed();
    }
};

TEST_F(WindowKeyboardTest, NoChildWindowKeyShadowsTheMenuSoCtrlWShowsTheTopWindow) {
    ASSERT_NE(OpenChapterQuestion(), nullptr);
    for (QMdiSubWindow* child : Client().subWindowList()) {
        for (const QAction* own : child->systemMenu()->actions()) {
            for (const MenuPopup& popup : KluMenu()) {
                for (const MenuItem& item : popup.items) {
                    const QAction* command = frame->Action(item.id);
                    if (command == nullptr || command->shortcut().isEmpty()) continue;
                    EXPECT_FALSE(own->shortcuts().contains(command->shortcut()))
                        << own->text().toStdString() << " takes " << item.text;
                }
            }
        }
    }
    Type(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(ActiveTitle(), "Sample Game");
    const THintChild* top = ViewOf(state.currentDocument.GetRoot());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), &top->Control());
}

// A window that comes back gives the focus to its control; closing a window returns to the one
// active before it.
TEST_F(WindowKeyboardTest, AWindowThatComesBackOrIsReturnedToGivesTheFocusToItsControl) {
    THintChild* question = OpenChapterQuestion();
    ASSERT_NE(question, nullptr);
    ASSERT_NE(question->Button(), nullptr);
    EXPECT_EQ(ActiveTitle(), "Where?");
    THintChild* chapter = ViewOf(Child("Chapter"));
    chapter->Control().setFocus();
    EXPECT_EQ(ActiveTitle(), "Chapter");

    // Raised by its link again: the reveal button has the keys, and Space reveals.
    Child("Where?")->Open();
    EXPECT_EQ(QApplication::focusWidget(), question->Button());
    Type(Qt::Key_Space);
    EXPECT_EQ(question->Button()->text().toStdString(), "No more hints.");
    // The last press after "No more hints." closes the question, Esc the chapter.
    Type(Qt::Key_Space);
    EXPECT_EQ(ActiveTitle(), "Chapter");
    EXPECT_EQ(QApplication::focusWidget(), &chapter->Control());
    Type(Qt::Key_Escape);
    EXPECT_EQ(ActiveTitle(), "Sample Game");
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Sample Game"});

    // Show Top Window, then Print Window (cancelled) on it: the text keeps the keys.
    THintChild* top = ViewOf(state.currentDocument.GetRoot());
    for (int command : {201, 204}) {
        Client().Command(command);
        EXPECT_EQ(QApplication::focusWidget(), &top->Control()) << command;
    }
}

TEST_F(WindowKeyboardTest, CascadeAndTileKeepEveryWindowUsableArrangeIconsLinesUpTheMinimised) {
    ASSERT_NE(OpenChapterQuestion(), nullptr);
    const QRect room = Client().viewport()->rect();
    QMdiSubWindow* active = Client().activeSubWindow();

    Client().Command(24361);  // Cascade
    std::vector<QPoint> corners;
    for (QMdiSubWindow* child : Client().subWindowList()) {
        EXPECT_GE(child->width(), 300);
        EXPECT_GE(child->height(), 150);
        EXPECT_TRUE(room.contains(child->geometry())) << child->windowTitle().toStdString();
        corners.push_back(child->pos());
    }
    EXPECT_NE(corners[0], corners[1]);
    EXPECT_EQ(Client().subWindowList(QMdiArea::StackingOrder).back(), active);

    Client().Command(24362);  // Tile
    const QList<QMdiSubWindow*> tiled = Client().subWindowList();
    for (qsizetype i = 0; i < tiled.size(); ++i) {
        EXPECT_GE(tiled[i]->width(), 300);
        for (qsizetype j = i + 1; j < tiled.size(); ++j)
            EXPECT_FALSE(tiled[i]->geometry().intersects(tiled[j]->geometry()));
    }

    // Minimized windows line up at the bottom, also in front of windows tiled afterwards.
    tiled[0]->showMinimized();
    tiled[1]->showMinimized();
    for (const int command : {24364, 24362}) {  // Arrange Icons, Tile
        Client().Command(command);
        const QList<QMdiSubWindow*> stack = Client().subWindowList(QMdiArea::StackingOrder);
        for (QMdiSubWindow* icon : {tiled[0], tiled[1]}) {
            EXPECT_EQ(icon->geometry().bottom(), room.bottom()) << command;
            EXPECT_GT(stack.indexOf(icon), stack.indexOf(tiled[2])) << command;
        }
        EXPECT_FALSE(tiled[0]->geometry().intersects(tiled[1]->geometry()));
    }
}

TEST_F(WindowKeyboardTest, CascadeOfManyWindowsHidesNoneBehindAnother) {
    Open(Write("game.klu", SampleHintFile()));
    for (const char* title : {"Chapter", "Where?", "Why?"})
        OpenWindow(*Child(title));
    Client().Command(101);    // and the verbose listing: five windows
    frame->resize(500, 400);  // room for three steps down
    QApplication::processEvents();
    Client().Command(24361);
    std::vector<QPoint> corners;
    for (QMdiSubWindow* child : Client().subWindowList()) {
        EXPECT_EQ(std::count(corners.begin(), corners.end(), child->pos()), 0)
            << child->windowTitle().toStdString();
        corners.push_back(child->pos());
    }
}

// A hint that runs below the window with a link at its end.
TEST_F(WindowKeyboardTest, TabFromTheButtonMarksTheLinkInViewAndEnterOpensIt) {
    auto root = MakeSubject("Game");
    HintNode* way = root->Add(MakeNode("NESTHINT", "Long way?"));
    for (int i = 0; i < 80; ++i)
        way->Line("Walk on, line " + std::to_string(i) + ".");
    way->Add(MakeText("Map", {"A map of the way."}));
    way->Separator();
    way->Line("The end of the way.");
    Open(Write("way.klu", HintFileOf(std::move(root))));
    THintChild* window = OpenWindow(*Child("Long way?"));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->Button(), nullptr);
    TStringControl& text = window->Control();
    ASSERT_EQ(text.verticalScrollBar()->value(), 0);

    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        window->Button()->setFocus();
        text.verticalScrollBar()->setValue(0);
        Type(key);
        EXPECT_EQ(QApplication::focusWidget(), &text);
        ASSERT_EQ(text.CurrentLink(), Child("Map"));
        const std::vector<QRect> marked = text.FragmentRects(text.CurrentLink());
        ASSERT_FALSE(marked.empty());
        for (const QRect& r : marked)
            EXPECT_TRUE(text.viewport()->rect().contains(r)) << key;
    }
    Type(Qt::Key_Return);
    EXPECT_EQ(ActiveTitle(), "Map");
}

TEST_F(WindowKeyboardTest, InAQuestionWithoutLinksTabGoesBackAndForthVisiblyMarked) {
    THintChild* question = OpenChapterQuestion();
    ASSERT_NE(question, nullptr);
    THintButton* button = question->Button();
    ASSERT_EQ(QApplication::focusWidget(), button);
    const QImage focused = button->grab().toImage();
    const QImage text_unfocused = question->Control().viewport()->grab().toImage();
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab}) {
        const bool on_button = QApplication::focusWidget() == button;
        Type(key);
        EXPECT_EQ(QApplication::focusWidget(),
                  on_button ? static_cast<QWidget*>(&question->Control()) : button)
            << key;
    }
    // The button, or the text without a link to mark, shows that the keys go to it.
    question->Control().setFocus();
    EXPECT_NE(button->grab().toImage(), focused);
    EXPECT_NE(question->Control().viewport()->grab().toImage(), text_unfocused);
}

// What a screen reader finds: no button in windows that show no button.
bool HasButton(QAccessibleInterface* node) {
    if (node->role() == QAccessible::Button) return true;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i); child && HasButton(child)) return true;
    }
    return false;
}

TEST_F(WindowKeyboardTest, ListWindowsAndSubjectsShowNoButtonTheirTextTakesTheKeys) {
    THintChild* question = OpenChapterQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(HasButton(QAccessible::queryAccessibleInterface(question)));
    EXPECT_FALSE(HasButton(QAccessible::queryAccessibleInterface(ViewOf(Child("Chapter")))));

    Client().Command(101);  // the verbose listing of the program folder: game.klu
    ASSERT_TRUE(Client().listWindow);
    auto* listing = qobject_cast<TStringChild*>(Client().listWindow->widget());
    ASSERT_NE(listing, nullptr);
    EXPECT_FALSE(HasButton(QAccessible::queryAccessibleInterface(listing)));
    EXPECT_EQ(QApplication::focusWidget(), &listing->Control());
    Type(Qt::Key_Return);
    EXPECT_EQ(ActiveTitle(), listing->windowTitle().toStdString()) << "Enter opened nothing";
    Type(Qt::Key_Tab);
    ASSERT_NE(listing->Control().CurrentLink(), nullptr);
    EXPECT_EQ(listing->Control().CurrentLink()->GetName(), "Sample Game");
    Type(Qt::Key_Escape);
    EXPECT_FALSE(Client().listWindow);
}

}  // namespace
}  // namespace klu::test
