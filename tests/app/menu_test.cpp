// The menu, accelerators, control bar and status-bar hints of the frame, checked against the
// program's command table written out here by hand.
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <string>
#include <vector>

#include "app/menu_builder.h"
#include "app/menu_table.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

struct ExpectedItem {
    int id;  // 0: a separator
    const char* text;
    const char* shortcut;
    const char* hint;
};

struct ExpectedPopup {
    const char* title;
    std::vector<ExpectedItem> items;
};

const std::vector<ExpectedPopup>& ExpectedMenu() {
    static const std::vector<ExpectedPopup> menu = {
        {"&File",
         {
             {24330, "&Open...\tCtrl+O", "Ctrl+O", "Opens a new KLU hint file"},
             {101, "&Verbose File Listing", "",
              "Shows the full titles for all KLU files stored in the default folder"},
             {107, "&Change Verbose Listing Folder...", "",
              "Sets the folder used with the Verbose File Listing command"},
             {0, "", "", ""},
             {110, "&Print File...\tCtrl+Shift+P", "Ctrl+Shift+P", "Prints the current file"},
             {111, "P&rinter Setup...", "", "Lets you choose and configure a default printer"},
             {0, "", "", ""},
             {102, "&Information", "",
              "Displays author, copyright, and other information about the current file"},
             {106, "&Find in File...\tCtrl+F", "Ctrl+F",
              "Searches the hint file for a given phrase"},
             {104, "&Decode to Text...\tCtrl+Shift+S", "Ctrl+Shift+S",
              "Decodes the current file to plain text"},
             {0, "", "", ""},
             {24310, "E&xit", "", "Exits KLUWIN"},
         }},
        {"&Windows",
         {
             {24361, "&Cascade", "", "Cascades all open windows"},
             {24362, "&Tile", "", "Tiles all open windows"},
             {24364, "Arrange &Icons", "", "Arranges icons of minimized windows"},
             {24365, "Close &All", "", "Closes all open windows"},
             {0, "", "", ""},
             {201, "Show Top &Window\tCtrl+W", "Ctrl+W",
              "Shows the top-level window for the current hint file"},
             {0, "", "", ""},
             {203, "&Save Window\tCtrl+S", "Ctrl+S",
              "Saves the contents of the active window to a text file"},
             {204, "&Print Window\tCtrl+P", "Ctrl+P", "Prints the contents of the active window"},
             {205, "C&opy to Clipboard\tCtrl+C", "Ctrl+C",
              "Copies the content of the active window to the clipboard"},
         }},
        {"&Options",
         {
             {301, "&Set Options...", "", "Sets interface options"},
             {302, "&Reset Hint Memory", "",
              "Resets the list of hints that have been displayed previously in this file"},
         }},
        {"&Help",
         {
             {501, "Show &Help File\tF1", "F1", "Displays the on-line help file"},
             {502, "&Print Help File", "", "Prints a copy of the on-line help file"},
             {0, "", "", ""},
             {510, "&Go to the KLU Web Site", "", nullptr},  // hint checked apart
             {0, "", "", ""},
             {503, "&About KLUWIN...", "", "Displays copyright information for this program"},
         }},
    };
    return menu;
}

using MenuTest = FrameFixture;

TEST_F(MenuTest, PopupsHoldEveryItemInOrderWithTextIdShortcutAndHint) {
    const std::vector<ExpectedPopup>& expected = ExpectedMenu();
    ASSERT_EQ(frame->Popups().size(), expected.size());
    for (size_t p = 0; p < expected.size(); ++p) {
        const QMenu& popup = *frame->Popups()[p];
        EXPECT_EQ(popup.title().toStdString(), expected[p].title);
        const QList<QAction*> actions = popup.actions();
        ASSERT_EQ(static_cast<size_t>(actions.size()), expected[p].items.size())
            << expected[p].title;
        for (size_t i = 0; i < expected[p].items.size(); ++i) {
            const ExpectedItem& item = expected[p].items[i];
            const QAction& action = *actions[static_cast<qsizetype>(i)];
            SCOPED_TRACE(std::string(expected[p].title) + " item " + std::to_string(i));
            if (item.id == 0) {
                EXPECT_TRUE(action.isSeparator());
                continue;
            }
            EXPECT_FALSE(action.isSeparator());
            EXPECT_EQ(CommandIdOf(action), item.id);
            EXPECT_EQ(action.text().toStdString(), item.text);
            EXPECT_EQ(action.shortcut().toString(QKeySequence::PortableText).toStdString(),
                      item.shortcut);
            if (item.hint) {
                EXPECT_EQ(action.statusTip().toStdString(), item.hint);
            }
            EXPECT_EQ(frame->Action(item.id), &action);
        }
    }
}

TEST_F(MenuTest, WebSiteHintNamesTheAddress) {
    const std::string hint = frame->Action(510)->statusTip().toStdString();
    const std::string head = "Go to ";
    const std::string tail = " for the latest KLU hint files and information";
    ASSERT_GT(hint.size(), head.size() + tail.size());
    EXPECT_EQ(hint.substr(0, head.size()), head);
    EXPECT_EQ(hint.substr(hint.size() - tail.size()), tail);
    const std::string address = hint.substr(head.size(), hint.size() - head.size() - tail.size());
    EXPECT_EQ(address.find(' '), std::string::npos) << address;
}

TEST_F(MenuTest, AcceleratorsAreExactlyTheNineOfTheTable) {
    std::map<std::string, int> found;
    for (const QMenu* popup : frame->Popups()) {
        for (const QAction* action : popup->actions()) {
            if (!action->shortcut().isEmpty())
                found[action->shortcut().toString(QKeySequence::PortableText).toStdString()] =
                    CommandIdOf(*action);
        }
    }
    const std::map<std::string, int> expected = {
        {"F1", 501},           {"Ctrl+O", 24330}, {"Ctrl+Shift+P", 110},
        {"Ctrl+Shift+S", 104}, {"Ctrl+S", 203},   {"Ctrl+P", 204},
        {"Ctrl+F", 106},       {"Ctrl+W", 201},   {"Ctrl+C", 205},
    };
    EXPECT_EQ(found, expected);
}

TEST_F(MenuTest, HighlightedItemShowsItsHintInTheStatusBar) {
    // An open pop-up reports the highlighted item through the menu bar that opened it.
    for (int id : {24330, 106, 24310, 24361, 301, 503}) {
        QAction* action = frame->Action(id);
        ASSERT_NE(action, nullptr) << id;
        frame->statusBar()->clearMessage();
        action->showStatusText(frame->menuBar());
        EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), FindMenuItem(id)->hint) << id;
    }
}

TEST_F(MenuTest, ButtonUnderTheMouseShowsItsHintInTheStatusBar) {
    QAction* action = frame->Action(104);
    QWidget* button = frame->ControlBar().widgetForAction(action);
    ASSERT_NE(button, nullptr);
    action->showStatusText(button);
    EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(),
              "Decodes the current file to plain text");
}

TEST_F(MenuTest, ControlBarHasTheButtonsAndGapsLeftToRight) {
    // Command ids; a negative entry is a gap of that many pixels.
    const std::vector<int> expected = {24330, 106, 104, 110, -15, 203, 204, 201, -10, 501};
    std::vector<int> found;
    QToolBar& bar = frame->ControlBar();
    for (QAction* action : bar.actions()) {
        const int id = CommandIdOf(*action);
        if (id != 0) {
            found.push_back(id);
            EXPECT_FALSE(action->icon().isNull()) << id;
            EXPECT_EQ(action, frame->Action(id)) << "a button is the menu item's own action";
        } else if (QWidget* gap = bar.widgetForAction(action)) {
            found.push_back(-gap->maximumWidth());
        }
    }
    EXPECT_EQ(found, expected);
}

TEST_F(MenuTest, FrameHasTitleClientAndStatusBar) {
    EXPECT_EQ(frame->windowTitle().toStdString(), "KLU Reader");
    EXPECT_EQ(frame->centralWidget(), &frame->Client());
    EXPECT_EQ(frame->Client().viewMode(), QMdiArea::SubWindowView);
    EXPECT_FALSE(frame->windowIcon().isNull());
    EXPECT_EQ(frame->statusBar()->font().pointSize(), 10);
}

}  // namespace
}  // namespace klu::test
