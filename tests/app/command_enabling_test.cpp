// Which commands the frame offers with and without a file, and with and without a child window
// that handles the window commands.
#include <QLabel>
#include <QMdiSubWindow>
#include <QToolBar>
#include <set>

#include "app/menu_builder.h"
#include "frame_fixture.h"
#include "model/meta_text_hunk.h"
#include "views/child_window_string.h"

namespace klu::test {
namespace {

const std::set<int> kFileLoadedCommands = {102, 104, 106, 110, 201, 302};
const std::set<int> kViewCommands = {203, 204, 205};
const std::set<int> kAlwaysCommands = {24330, 101,   107, 111, 24310, 24361, 24362,
                                       24364, 24365, 301, 501, 502,   510,   503};

class CommandEnablingTest : public FrameFixture {
  protected:
    bool Enabled(int id) const {
        QAction* action = frame->Action(id);
        EXPECT_NE(action, nullptr) << id;
        return action && action->isEnabled();
    }
    // The control-bar button of a command, or none.
    QWidget* Button(int id) const { return frame->ControlBar().widgetForAction(frame->Action(id)); }
};

TEST_F(CommandEnablingTest, EveryCommandFallsInExactlyOneGroup) {
    std::set<int> all;
    for (const QMenu* popup : frame->Popups()) {
        for (const QAction* action : popup->actions()) {
            if (!action->isSeparator()) all.insert(CommandIdOf(*action));
        }
    }
    std::set<int> groups = kFileLoadedCommands;
    groups.insert(kViewCommands.begin(), kViewCommands.end());
    groups.insert(kAlwaysCommands.begin(), kAlwaysCommands.end());
    EXPECT_EQ(all, groups);
    EXPECT_EQ(all.size(),
              kFileLoadedCommands.size() + kViewCommands.size() + kAlwaysCommands.size());
}

TEST_F(CommandEnablingTest, WithoutFileOnlyTheAlwaysCommandsAreEnabled) {
    for (int id : kAlwaysCommands)
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kFileLoadedCommands)
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : kViewCommands)
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(CommandEnablingTest, LoadedFileEnablesTheFileCommandsButNotTheWindowCommands) {
    LoadSampleFile();
    for (int id : kAlwaysCommands)
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kFileLoadedCommands)
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kViewCommands)
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(CommandEnablingTest, ClosingTheFileDisablesTheFileCommandsAgain) {
    LoadSampleFile();
    state.currentDocument.Clear();
    frame->UpdateMenus();
    for (int id : kFileLoadedCommands)
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(CommandEnablingTest, ControlBarButtonsFollowTheirCommands) {
    frame->show();
    for (int id : {106, 104, 110, 201, 203, 204}) {
        ASSERT_NE(Button(id), nullptr) << id;
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(Button(24330)->isEnabled());
    EXPECT_TRUE(Button(501)->isEnabled());
    LoadSampleFile();
    for (int id : {106, 104, 110, 201})
        EXPECT_TRUE(Button(id)->isEnabled()) << id;
}

TEST_F(CommandEnablingTest, WindowCommandsFollowTheCurrentChild) {
    TMetaTextHunk hunk("Shown", nullptr, SUBJECT);
    QMdiSubWindow* text =
        frame->Client().addSubWindow(new TStringChild(hunk, "SUBJECT", state.settings));
    frame->show();
    text->show();
    frame->Client().setActiveSubWindow(text);
    frame->UpdateMenus();
    for (int id : kViewCommands)
        EXPECT_TRUE(Enabled(id)) << id;

    // A child that shows no text leaves them off.
    QMdiSubWindow* plain = frame->Client().addSubWindow(new QLabel("plain"));
    plain->show();
    frame->Client().setActiveSubWindow(plain);
    frame->UpdateMenus();
    for (int id : kViewCommands)
        EXPECT_FALSE(Enabled(id)) << id;
    delete text;
}

}  // namespace
}  // namespace klu::test
