// The recent files in the File pop-up, right before Exit.
#include <QMenu>

#include "app/menu_builder.h"
#include "app/open_hint_file.h"
#include "frame_fixture.h"

namespace klu::test {
namespace {

class RecentFileMenuTest : public FrameFixture {
  protected:
    QMenu& FileMenu() const { return *frame->Popups().front(); }

    // The items between the last fixed separator and Exit: text and id, "-" for a separator.
    std::vector<std::pair<std::string, int>> ItemsBeforeExit() {
        emit FileMenu().aboutToShow();
        const QList<QAction*> actions = FileMenu().actions();
        std::vector<std::pair<std::string, int>> items;
        for (qsizetype i = 11; i < actions.size() && actions[i] != frame->Action(24310); ++i) {
            if (actions[i]->isSeparator())
                items.emplace_back("-", 0);
            else
                items.emplace_back(actions[i]->text().toStdString(), CommandIdOf(*actions[i]));
        }
        return items;
    }
};

TEST_F(RecentFileMenuTest, NoRecentFilesLeavesTheMenuAsBuilt) {
    EXPECT_TRUE(ItemsBeforeExit().empty());
    EXPECT_EQ(FileMenu().actions().size(), 12);
}

TEST_F(RecentFileMenuTest, FivePathsShowTheLastFourNewestFirst) {
    for (const char* path :
         {"/a/one.klu", "/a/two.klu", "/a/three.klu", "/a/four.klu", "/a/five.klu"})
        ASSERT_TRUE(state.recentFiles.Add(path));
    const std::vector<std::pair<std::string, int>> expected = {
        {"&1 /a/five.klu", 31990},
        {"&2 /a/four.klu", 31991},
        {"&3 /a/three.klu", 31992},
        {"&4 /a/two.klu", 31993},
        {"-", 0},
    };
    EXPECT_EQ(ItemsBeforeExit(), expected);
    // Opening the pop-up again rebuilds the items instead of adding more.
    EXPECT_EQ(ItemsBeforeExit(), expected);
}

TEST_F(RecentFileMenuTest, ReopenedPathMovesToTheTop) {
    ASSERT_TRUE(state.recentFiles.Add("/a/one.klu"));
    ItemsBeforeExit();
    ASSERT_TRUE(state.recentFiles.Add("/a/two.klu"));
    ASSERT_TRUE(state.recentFiles.Add("/A/ONE.KLU"));
    const std::vector<std::pair<std::string, int>> expected = {
        {"&1 /A/ONE.KLU", 31990}, {"&2 /a/two.klu", 31991}, {"-", 0}};
    EXPECT_EQ(ItemsBeforeExit(), expected);
}

TEST_F(RecentFileMenuTest, ChoosingAnItemOpensThatPath) {
    ASSERT_TRUE(state.recentFiles.Add("/a/one.klu"));
    ASSERT_TRUE(state.recentFiles.Add("/a/two.klu"));
    ItemsBeforeExit();
    QAction* second = FileMenu().actions()[12];
    ASSERT_EQ(CommandIdOf(*second), 31991);
    second->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, std::string("/a/one.klu") + kCannotOpenText);

    // A file that is there opens and moves to the top of the list.
    const std::string path = folder / "three.klu";
    WriteFile(path, SampleHintFile("From the List"));
    ASSERT_TRUE(state.recentFiles.Add(path));
    ASSERT_TRUE(state.recentFiles.Add("/a/one.klu"));
    ItemsBeforeExit();
    FileMenu().actions()[12]->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.recentFiles.Entry(0), path);
}

}  // namespace
}  // namespace klu::test
