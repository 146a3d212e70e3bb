// Tabs and separate windows, and Back and Forward through the windows visited.
#include <QTabBar>

#include "app/command_ids.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

TEST(WindowLayoutProfile, ShowsTheKeptLayoutAndKeepsTheOnePicked) {
    const struct {
        const char* kept;
        QMdiArea::ViewMode shown;
        int other;
        const char* written;
    } cases[] = {
        {nullptr, QMdiArea::TabbedView, CM_LAYOUTWINDOWS, "Windows"},
        {"Tabs", QMdiArea::TabbedView, CM_LAYOUTWINDOWS, "Windows"},
        {"Windows", QMdiArea::SubWindowView, CM_LAYOUTTABS, "Tabs"},
        {"Separate", QMdiArea::TabbedView, CM_LAYOUTWINDOWS, "Windows"},
    };
    for (const auto& c : cases) {
        const std::string kept = c.kept ? c.kept : "none";
        TempFolder folder;
        if (c.kept) WriteFile(folder / "KLUWIN.INI", "[KLUWIN]\r\nLayout=" + kept + "\r\n");
        {
            auto app = StartApp(folder.path());
            DocumentArea& client = app->Window()->Client();
            EXPECT_EQ(client.viewMode(), c.shown) << kept;
            client.Command(c.other);
            EXPECT_NE(client.viewMode(), c.shown) << kept;
        }
        EXPECT_EQ(ProfileFile(folder / "KLUWIN.INI").ReadProfileString("KLUWIN", "Layout", ""),
                  c.written)
            << kept;
    }
}

// A shown frame, active, with the sample file's top window open in the layout given.
class WindowLayoutTest : public WindowFixture {
  protected:
    explicit WindowLayoutTest(WindowLayout layout = WindowLayout::Tabs) {
        Client().SetLayout(layout);
        Open(Write("game.klu", SampleHintFile()));
    }
    QMdiSubWindow* Active() const { return frame->Client().activeSubWindow(); }
    bool Enabled(int id) const {
        frame->UpdateMenus();
        return frame->Action(id)->isEnabled();
    }
    std::string Command(int id) {
        Client().Command(id);
        DeleteClosed();
        return ActiveTitle();
    }
    void OpenThree() {
        OpenWindow(*Child("Chapter"));
        OpenWindow(*Child("Where?"));
    }
};

TEST_F(WindowLayoutTest, CascadeTileAndArrangeIconsWorkOnlyOnSeparateWindows) {
    for (const WindowLayout layout : {WindowLayout::Tabs, WindowLayout::Windows}) {
        Client().SetLayout(layout);
        const bool separate = layout == WindowLayout::Windows;
        for (int id : {CM_CASCADECHILDREN, CM_TILECHILDREN, CM_ARRANGEICONS})
            EXPECT_EQ(Enabled(id), separate) << id;
        EXPECT_EQ(frame->Action(CM_LAYOUTWINDOWS)->isChecked(), separate);
        EXPECT_EQ(frame->Action(CM_LAYOUTTABS)->isChecked(), !separate);
    }
}

TEST_F(WindowLayoutTest, AWindowOpenedAsATabGetsAPlaceOfItsOwnAsASeparateWindow) {
    OpenThree();
    const QSize area = Client().viewport()->size();
    EXPECT_EQ(Active()->size(), area);
    Client().SetLayout(WindowLayout::Windows);
    for (QMdiSubWindow* window : Client().subWindowList()) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_TRUE(QRect(QPoint(), area).contains(window->geometry()));
        EXPECT_GE(window->width(), 300);
        EXPECT_GE(window->height(), 150);
    }
}

// Show Top Window on the top window's own tab, as a link to the window it is in.
TEST_F(WindowLayoutTest, ShowingTheActiveTabAgainKeepsItFillingTheArea) {
    EXPECT_EQ(Command(CM_SHOWTOPWINDOW), "Sample Game");
    EXPECT_EQ(Active()->size(), Client().viewport()->size());
}

TEST_F(WindowLayoutTest, CtrlTabStepsThroughTheTabsInTheirOrder) {
    OpenThree();
    EXPECT_EQ(Type(Qt::Key_Tab, Qt::ControlModifier), "Sample Game");
    EXPECT_EQ(Type(Qt::Key_Tab, Qt::ControlModifier), "Chapter");
    EXPECT_EQ(Type(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), "Sample Game");
}

TEST_F(WindowLayoutTest, TheMiddleButtonClosesTheTabUnderIt) {
    OpenThree();
    auto* bar = Client().findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::MiddleButton, {}, bar->tabRect(1).center());
    DeleteClosed();
    EXPECT_EQ(WindowTitles(), (std::vector<std::string>{"Sample Game", "Where?"}));
}

class WindowHistoryTest : public WindowLayoutTest {
  protected:
    WindowHistoryTest() : WindowLayoutTest(WindowLayout::Windows) {}
};

TEST_F(WindowHistoryTest, BackAndForwardMoveThroughTheWindowsVisited) {
    EXPECT_FALSE(Enabled(CM_GOBACK));
    OpenThree();
    EXPECT_EQ(Command(CM_GOBACK), "Chapter");
    EXPECT_EQ(Command(CM_GOBACK), "Sample Game");
    EXPECT_FALSE(Enabled(CM_GOBACK));
    EXPECT_EQ(Command(CM_GOFORWARD), "Chapter");
    EXPECT_EQ(Command(CM_GOFORWARD), "Where?");
    EXPECT_FALSE(Enabled(CM_GOFORWARD));
    // A window visited after going back takes the place of those ahead.
    EXPECT_EQ(Command(CM_GOBACK), "Chapter");
    OpenWindow(*Child("Why?"));
    EXPECT_FALSE(Enabled(CM_GOFORWARD));
    EXPECT_EQ(Command(CM_GOBACK), "Chapter");
}

TEST_F(WindowHistoryTest, BackOpensAgainAWindowThatWasClosed) {
    OpenThree();
    EXPECT_EQ(Type(Qt::Key_Escape), "Chapter");
    EXPECT_EQ(ViewOf(Child("Where?")), nullptr);
    EXPECT_EQ(Command(CM_GOBACK), "Where?");
}

TEST_F(WindowHistoryTest, ANewFileStartsTheHistoryAgain) {
    OpenThree();
    Open(Write("other.klu", ThreeHintFile()));
    EXPECT_FALSE(Enabled(CM_GOBACK));
    OpenWindow(*Child("How?"));
    EXPECT_EQ(Command(CM_GOBACK), "Three Hints");
}

TEST_F(WindowHistoryTest, TheMouseBackButtonGoesBack) {
    OpenThree();
    QTest::mouseClick(ViewOf(Child("Where?"))->Control().viewport(), Qt::BackButton);
    EXPECT_EQ(ActiveTitle(), "Chapter");
}

}  // namespace
}  // namespace klu::test
