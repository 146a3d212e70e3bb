// Opening a hint file: the top window, the failures with their messages, the help file and the
// recent-file list.
#include <QApplication>

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
    EXPECT_NE(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()), nullptr);
    EXPECT_TRUE(frame->Action(CM_FILEINFO)->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A path that cannot be opened leaves the open file and the search results alone.
    Client().findWindow = Client().addSubWindow(new QWidget);
    const std::string missing = folder / "nowhere.klu";
    Open(missing);
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{missing + kCannotOpenText, "Error", MessageIcon::Stop}}));
    EXPECT_EQ(state.currentPath, path);
    EXPECT_EQ(WindowTitles(), (std::vector<std::string>{"Castle Quest", ""}));
    EXPECT_FALSE(Client().findWindow.isNull());
    Open(folder.path());  // nor can a folder
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.starts_with(folder.path() + " could not be opened."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
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
        // The file could be read: every window goes, the search results too.
        EXPECT_TRUE(WindowTitles().empty());
        EXPECT_TRUE(Client().findWindow.isNull());
        // The path of the file before stays; the rejected one never reaches the list.
        EXPECT_EQ(state.currentPath, good);
        EXPECT_EQ(state.recentFiles.Entry(0), good);
        EXPECT_FALSE(frame->Action(CM_FILEINFO)->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(OpenHintFileTest, HelpFileOpenedByHandShowsTheNotice) {
    EXPECT_TRUE(IsHelpFile("/opt/klu/Rored.Klu", "klu reader documentation"));
    EXPECT_TRUE(IsHelpFile("/a/rored.klu.bak", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("RORED.KLU", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("/opt/klu/XRORED.KLU", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("/opt/klu/RORED.KLU", "KLU Reader Documentation 2"));

    std::filesystem::create_directory(folder / "docs");
    Open(Write("docs/rored.klu", SampleHintFile("KLU Reader Documentation")));
    // The notice, then the help file's own index, which this program folder does not have.
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{kHelpNoticeText, "KLU Help File", MessageIcon::None},
                                    {"Unable to locate help file.", "Error", MessageIcon::None}}));
    EXPECT_FALSE(state.FileLoaded());
    EXPECT_TRUE(WindowTitles().empty());
    EXPECT_TRUE(state.recentFiles.Shown().empty());

    // The same name with another title is any other file.
    const std::string other = Write("RORED.KLU", SampleHintFile("Not the Manual"));
    Open(other);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Not the Manual"});
    EXPECT_EQ(state.recentFiles.Entry(0), other);
}

TEST_F(OpenHintFileTest, RecentFilesPutTheLastOpenedFirst) {
    const std::string a = Write("a.klu", SampleHintFile("A"));
    const std::string b = Write("b.klu", SampleHintFile("B"));
    const std::string c = Write("c.klu", SampleHintFile("C"));
    for (const std::string& path : {a, b, c, a})
        Open(path);
    std::vector<std::string> shown;
    for (const RecentFile& file : state.recentFiles.Shown())
        shown.push_back(file.path);
    EXPECT_EQ(shown, (std::vector<std::string>{a, c, b}));
    // Opening another file closes the windows of the one before.
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"A"});
}

TEST(FileFilterTest, HintFilesInAnyLetterCaseAndAllFiles) {
    EXPECT_EQ(DialogFilterOf(kHintFileFilter), "KLU Hint Files (*.[Kk][Ll][Uu]);;All Files (*)");
    EXPECT_EQ(DialogFilterOf("Text (*.txt)|*.TXT;*.doc"), "Text (*.[Tt][Xx][Tt] *.[Dd][Oo][Cc])");
}

}  // namespace
}  // namespace klu::test
