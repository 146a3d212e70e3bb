// Opening a hint file: the top window and the failures with their messages.

#include "app/command_ids.h"
#include "app/file_filter.h"
#include "app/open_hint_file.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

using OpenHintFileTest = WindowFixture;

TEST_F(OpenHintFileTest, OpenAsksForAHintFileAndShowsItsTopWindow) {
    const std::string path = Write("game.klu", SampleHintFile("Castle Quest"));
    frame->Action(CM_FILEOPEN)->trigger();
    EXPECT_EQ(dialogs.openRequests,
              std::vector<std::string>{"||" + DialogFilterOf(kHintFileFilter)});
    EXPECT_FALSE(state.FileLoaded());

    dialogs.openAnswer = path;
    frame->Action(CM_FILEOPEN)->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.currentPath, path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Castle Quest"});
    // A path that cannot be opened leaves the open file and the search results alone.
    Client().findWindow = Client().addSubWindow(new QWidget);
    const std::string missing = folder / "nowhere.klu";
    Open(missing);
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{missing + kCannotOpenText, "Error", MessageIcon::Stop}}));
    EXPECT_EQ(state.currentPath, path);
    EXPECT_EQ(WindowTitles(), (std::vector<std::string>{"Castle Quest", ""}));
    EXPECT_FALSE(Client().findWindow.isNull());
}

TEST_F(OpenHintFileTest, RejectedFilesLeaveNoFileOpen) {
    HintFilePlan unchecked;
    unchecked.root = MakeSubject("No Checksum");
    unchecked.root->Add(MakeQuestion("Why?", {{"because"}}));
    unchecked.checksumAt = ChecksumAt::Nowhere;
    const struct {
        std::string bytes;
        std::string text;
        MessageButtons buttons;
    } cases[] = {
        {"just some text\n", kNotHintFileText, MessageButtons::Ok},
        {WriteOrFail(unchecked), kCorruptedText, MessageButtons::Ok},
        {"PK\x03\x04 zipped", kZipArchiveText, MessageButtons::OkHelp},
    };

    const std::string good = Write("game.klu", SampleHintFile());
    for (const auto& rejected : cases) {
        Open(good);
        ASSERT_TRUE(state.FileLoaded());
        Client().findWindow = Client().addSubWindow(new QWidget);
        dialogs.messages.clear();
        Open(Write("bad.klu", rejected.bytes));
        const Message error{rejected.text, "Error", MessageIcon::Stop, rejected.buttons};
        EXPECT_EQ(dialogs.messages, std::vector<Message>{error});
        EXPECT_FALSE(state.FileLoaded());
        EXPECT_EQ(state.currentDocument.Count(), 0u);
        EXPECT_EQ(state.currentPath, good);
        EXPECT_EQ(state.recentFiles.Entry(0), good);
    }
    EXPECT_EQ(dialogs.messagesUnderOverrideCursor, 0) << "the load's wait cursor went first";
}

}  // namespace
}  // namespace klu::test
