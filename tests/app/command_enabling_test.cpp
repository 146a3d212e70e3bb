// Which commands the frame offers with and without a file, and with and without a child window
// that handles the window commands.
#include <QLabel>
#include <QMdiSubWindow>
#include <QToolBar>
#include <set>

#include "app/menu_builder.h"
#include "app/view_commands.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

const std::set<int> kFileLoadedCommands = {102, 104, 106, 110, 201, 302};
const std::set<int> kViewCommands = {203, 204, 205};
const std::set<int> kAlwaysCommands = {24330, 101,   107, 111, 24310, 24361, 24362,
                                       24364, 24365, 301, 501, 502,   510,   503};

// A child window that handles some of the window commands.
class FakeView : public QLabel, public ViewCommands {
  public:
    explicit FakeView(std::set<int> handled) : handled_(std::move(handled)) {}
    bool HandlesCommand(int id) const override { return handled_.count(id) > 0; }
    void DoCommand(int id) override { done.push_back(id); }
    std::vector<int> done;

  private:
    std::set<int> handled_;
};

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

TEST_F(CommandEnablingTest, WindowCommandsFollowWhatTheCurrentChildHandles) {
    auto* view = new FakeView({203, 205});
    QMdiSubWindow* child = frame->Client().addSubWindow(view);
    frame->show();
    child->show();
    frame->Client().setActiveSubWindow(child);
    frame->UpdateMenus();
    EXPECT_TRUE(Enabled(203));
    EXPECT_FALSE(Enabled(204));
    EXPECT_TRUE(Enabled(205));

    frame->Action(205)->trigger();
    frame->Action(204)->trigger();  // disabled: nobody runs it
    EXPECT_EQ(view->done, std::vector<int>{205});

    // A child that is not a view leaves them off.
    QMdiSubWindow* plain = frame->Client().addSubWindow(new QLabel("plain"));
    plain->show();
    frame->Client().setActiveSubWindow(plain);
    frame->UpdateMenus();
    for (int id : kViewCommands)
        EXPECT_FALSE(Enabled(id)) << id;
}

}  // namespace
}  // namespace klu::test
