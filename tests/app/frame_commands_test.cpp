// The frame's menu, accelerators, control bar and status-bar hints; which commands it offers with
// and without a file or a text window; the commands on the windows; the recent files.
#include <QKeySequence>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <map>
#include <set>

#include "app/menu_builder.h"
#include "app/menu_table.h"
#include "app/open_hint_file.h"
#include "model/meta_text_hunk.h"
#include "views/child_window_string.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

const std::set<int> kFileLoadedCommands = {102, 104, 106, 110, 201, 302};
const std::set<int> kViewCommands = {203, 204, 205};
const std::set<int> kAlwaysCommands = {24330, 101,   107, 111, 24310, 24361, 24362,
                                       24364, 24365, 301, 501, 502,   510,   503};

class FrameCommandsTest : public FrameFixture {
  protected:
    bool Enabled(int id) const {
        QAction* action = frame->Action(id);
        EXPECT_NE(action, nullptr) << id;
        return action && action->isEnabled();
    }
    void ExpectEnabled(bool file_commands, bool view_commands) const {
        for (int id : kAlwaysCommands)
            EXPECT_TRUE(Enabled(id)) << id;
        for (int id : kFileLoadedCommands)
            EXPECT_EQ(Enabled(id), file_commands) << id;
        for (int id : kViewCommands)
            EXPECT_EQ(Enabled(id), view_commands) << id;
    }
    QWidget* Button(int id) const { return frame->ControlBar().widgetForAction(frame->Action(id)); }

    // The items between the last fixed separator and Exit: text and id, "-" for a separator.
    std::vector<std::pair<std::string, int>> RecentItems() {
        QMenu& file = *frame->Popups().front();
        emit file.aboutToShow();
        std::vector<std::pair<std::string, int>> items;
        const QList<QAction*> actions = file.actions();
        for (qsizetype i = 11; i < actions.size() && actions[i] != frame->Action(24310); ++i)
            items.emplace_back(actions[i]->isSeparator() ? "-" : actions[i]->text().toStdString(),
                               CommandIdOf(*actions[i]));
        return items;
    }
};

TEST_F(FrameCommandsTest, PopupsHoldTheCommandTableWithWorkingShortcutsAndHints) {
    const auto& table = KluMenu();
    ASSERT_EQ(frame->Popups().size(), table.size());
    std::map<std::string, int> shortcuts;
    for (size_t p = 0; p < table.size(); ++p) {
        EXPECT_EQ(frame->Popups()[p]->title().toStdString(), table[p].title);
        const QList<QAction*> actions = frame->Popups()[p]->actions();
        ASSERT_EQ(static_cast<size_t>(actions.size()), table[p].items.size()) << table[p].title;
        for (size_t i = 0; i < table[p].items.size(); ++i) {
            const auto& item = table[p].items[i];
            const QAction& action = *actions[static_cast<qsizetype>(i)];
            SCOPED_TRACE(table[p].title + " item " + std::to_string(i));
            ASSERT_EQ(action.isSeparator(), item.IsSeparator());
            if (item.IsSeparator()) continue;
            EXPECT_EQ(CommandIdOf(action), item.id);
            EXPECT_EQ(frame->Action(item.id), &action);
            EXPECT_EQ(action.text().toStdString(), item.text);
            EXPECT_EQ(action.statusTip().toStdString(), item.hint);
            EXPECT_FALSE(item.hint.empty());
            // The key shown after the tab is the key that works.
            const std::string key =
                action.shortcut().toString(QKeySequence::PortableText).toStdString();
            const size_t tab = item.text.find('\t');
            EXPECT_EQ(key, tab == std::string::npos ? "" : item.text.substr(tab + 1));
            if (!key.empty()) shortcuts[key] = item.id;
        }
    }
    const std::map<std::string, int> expected = {
        {"F1", 501},           {"Ctrl+O", 24330}, {"Ctrl+Shift+P", 110},
        {"Ctrl+Shift+S", 104}, {"Ctrl+S", 203},   {"Ctrl+P", 204},
        {"Ctrl+F", 106},       {"Ctrl+W", 201},   {"Ctrl+C", 205},
    };
    EXPECT_EQ(shortcuts, expected);
    EXPECT_EQ(frame->windowTitle().toStdString(), "KLU Reader");
    EXPECT_EQ(frame->centralWidget(), &frame->Client());
}

TEST_F(FrameCommandsTest, ControlBarButtonsAndHighlightedItemsShowTheirHints) {
    std::vector<int> expected, found;
    for (const ControlBarSlot& slot : ControlBarLayout())
        expected.push_back(slot.id != 0 ? slot.id : -slot.gap);
    for (QAction* action : frame->ControlBar().actions()) {
        if (const int id = CommandIdOf(*action)) {
            found.push_back(id);
            EXPECT_FALSE(action->icon().isNull()) << id;
            EXPECT_EQ(action, frame->Action(id)) << "a button is the menu item's own action";
        } else if (QWidget* gap = frame->ControlBar().widgetForAction(action)) {
            found.push_back(-gap->maximumWidth());
        }
    }
    EXPECT_EQ(found, expected);

    // An open pop-up reports the highlighted item through the menu bar that opened it.
    for (int id : {24330, 24361, 503}) {
        frame->statusBar()->clearMessage();
        frame->Action(id)->showStatusText(frame->menuBar());
        EXPECT_EQ(frame->statusBar()->currentMessage().toStdString(), FindMenuItem(id)->hint) << id;
    }
    frame->Action(104)->showStatusText(Button(104));
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Decodes the current file to plain text");
}

TEST_F(FrameCommandsTest, EveryCommandFallsInOneGroupEnabledWithAFileOrATextWindow) {
    std::set<int> all;
    size_t count = 0;
    for (const QMenu* popup : frame->Popups()) {
        for (const QAction* action : popup->actions()) {
            if (action->isSeparator()) continue;
            all.insert(CommandIdOf(*action));
            ++count;
        }
    }
    std::set<int> groups = kFileLoadedCommands;
    groups.insert(kViewCommands.begin(), kViewCommands.end());
    groups.insert(kAlwaysCommands.begin(), kAlwaysCommands.end());
    EXPECT_EQ(all, groups);
    EXPECT_EQ(count, kFileLoadedCommands.size() + kViewCommands.size() + kAlwaysCommands.size());

    frame->show();
    ExpectEnabled(false, false);
    EXPECT_FALSE(Button(106)->isEnabled());
    // A disabled command does nothing, even when called directly.
    Client().Command(106);
    EXPECT_TRUE(dialogs.textRequests.empty());
    EXPECT_TRUE(dialogs.messages.empty());

    LoadResult result = LoadOk;
    ASSERT_TRUE(LoadHintFileAt(Write("sample.klu", SampleHintFile()), state.currentDocument, false,
                               result));
    frame->UpdateMenus();
    ExpectEnabled(true, false);
    EXPECT_TRUE(Button(106)->isEnabled());
    EXPECT_FALSE(Button(203)->isEnabled());

    state.currentDocument.Clear();
    frame->UpdateMenus();
    ExpectEnabled(false, false);

    // The window commands follow the current child: on for a text window, off for another.
    TMetaTextHunk hunk("Shown", nullptr, SUBJECT);
    QMdiSubWindow* text = Client().addSubWindow(new TStringChild(hunk, "SUBJECT", state.settings));
    text->show();
    Client().setActiveSubWindow(text);
    frame->UpdateMenus();
    ExpectEnabled(false, true);
    QMdiSubWindow* plain = Client().addSubWindow(new QLabel("plain"));
    plain->show();
    Client().setActiveSubWindow(plain);
    frame->UpdateMenus();
    ExpectEnabled(false, false);
    delete text;
}

TEST_F(FrameCommandsTest, WindowCommandsArrangeAndCloseTheChildrenAboutAndExit) {
    frame->resize(800, 600);
    frame->show();
    QMdiSubWindow* first = Client().addSubWindow(new QLabel("one"));
    QMdiSubWindow* second = Client().addSubWindow(new QLabel("two"));
    for (QMdiSubWindow* window : {first, second}) {
        window->setGeometry(0, 0, 100, 100);
        window->show();
    }
    QSignalSpy changed(&Client(), &TKLUClient::StateChanged);
    frame->Action(24362)->trigger();
    EXPECT_FALSE(first->geometry().intersects(second->geometry()));
    EXPECT_EQ(changed.count(), 1) << "every command asks the menus to be looked at again";
    frame->Action(24361)->trigger();
    EXPECT_NE(first->pos(), second->pos());
    frame->Action(24365)->trigger();
    EXPECT_TRUE(Client().subWindowList().isEmpty());

    frame->Action(503)->trigger();
    EXPECT_EQ(dialogs.aboutShown, 1);
    frame->Action(24310)->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameCommandsTest, RecentFilesShowTheLastFourNewestFirstBeforeExit) {
    EXPECT_TRUE(RecentItems().empty());
    EXPECT_EQ(frame->Popups().front()->actions().size(), 12);
    // A path opened again, in other letters, moves to the top.
    for (const char* path : {"/a/one.klu", "/a/two.klu", "/A/ONE.KLU"})
        ASSERT_TRUE(state.recentFiles.Add(path));
    EXPECT_EQ(RecentItems(), (std::vector<std::pair<std::string, int>>{
                                 {"&1 /A/ONE.KLU", 31990}, {"&2 /a/two.klu", 31991}, {"-", 0}}));
    for (const char* path : {"/a/three.klu", "/a/four.klu", "/a/five.klu"})
        ASSERT_TRUE(state.recentFiles.Add(path));
    const std::vector<std::pair<std::string, int>> expected = {
        {"&1 /a/five.klu", 31990},
        {"&2 /a/four.klu", 31991},
        {"&3 /a/three.klu", 31992},
        {"&4 /A/ONE.KLU", 31993},
        {"-", 0},
    };
    EXPECT_EQ(RecentItems(), expected);
    EXPECT_EQ(RecentItems(), expected) << "opening the pop-up again rebuilds the items";
}

TEST_F(FrameCommandsTest, ChoosingARecentFileOpensThatPath) {
    ASSERT_TRUE(state.recentFiles.Add("/a/one.klu"));
    ASSERT_TRUE(state.recentFiles.Add("/a/two.klu"));
    RecentItems();
    QAction* second = frame->Popups().front()->actions()[12];
    ASSERT_EQ(CommandIdOf(*second), 31991);
    second->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, std::string("/a/one.klu") + kCannotOpenText);

    // A file that is there opens and moves to the top of the list.
    const std::string path = Write("three.klu", SampleHintFile("From the List"));
    ASSERT_TRUE(state.recentFiles.Add(path));
    ASSERT_TRUE(state.recentFiles.Add("/a/one.klu"));
    RecentItems();
    frame->Popups().front()->actions()[12]->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.recentFiles.Entry(0), path);
}

}  // namespace
}  // namespace klu::test
