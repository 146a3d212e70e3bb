// Which commands the frame offers with and without a file or a text window.
#include <QLabel>
#include <set>

#include "app/menu_builder.h"
#include "app/menu_table.h"
#include "app/open_hint_file.h"
#include "model/meta_text_hunk.h"
#include "views/child_window_string.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

const std::set<int> kFileLoadedCommands = {102, 104, 105, 106, 110, 201, 302};
const std::set<int> kViewCommands = {203, 204, 205};
// Back and Forward wait for windows visited.
const std::set<int> kHistoryCommands = {208, 209};
// Go to the KLU Web Site (510) is there only when the build names a web address.
const std::set<int> kAlwaysCommands = [] {
    std::set<int> always = {24330, 101,   107,   111, 24310, 24361, 24362, 24364,
                            24365, 206,   207,   301, 401,   402,   501,   502,   503};
    if (!MakerWebAddress().empty()) always.insert(510);
    return always;
}();

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
        for (int id : kHistoryCommands)
            EXPECT_FALSE(Enabled(id)) << id;
    }
};

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
    groups.insert(kHistoryCommands.begin(), kHistoryCommands.end());
    EXPECT_EQ(all, groups);
    EXPECT_EQ(count, kFileLoadedCommands.size() + kViewCommands.size() + kAlwaysCommands.size() +
                         kHistoryCommands.size());

    frame->show();
    ExpectEnabled(false, false);
    // A disabled command does nothing, even when called directly.
    Client().Command(106);
    EXPECT_TRUE(dialogs.textRequests.empty());
    EXPECT_TRUE(dialogs.messages.empty());

    const std::string sample = Write("sample.klu", SampleHintFile());
    ASSERT_EQ(LoadHintFile(ReadHintFile(sample), state.currentDocument, false).result,
              LoadResult::Ok);
    frame->UpdateMenus();
    ExpectEnabled(true, false);

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

}  // namespace
}  // namespace klu::test
