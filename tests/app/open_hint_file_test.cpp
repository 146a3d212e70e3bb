// Opening a hint file: the top window, the failures with their messages, the help file and the
// recent-file list.
#include <QApplication>
#include <QRegularExpression>

#include "app/command_ids.h"
#include "app/file_filter.h"
#include "app/open_hint_file.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

using OpenHintFileTest = WindowFixture;

void ExpectError(const FakeUserDialogs::Message& message, const std::string& text,
                 MessageButtons buttons = MessageButtons::Ok) {
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, buttons);
}

TEST_F(OpenHintFileTest, GoodFileOpensItsTopWindow) {
    const std::string path = Write("game.klu", SampleHintFile("Castle Quest"));
    Open(path);
    EXPECT_TRUE(dialogs.messages.empty());
    ASSERT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.currentPath, path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Castle Quest"});
    EXPECT_NE(WindowHunkUi::ViewOf(*state.currentDocument.GetRoot()), nullptr);
    EXPECT_TRUE(frame->Action(CM_FILEINFO)->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenHintFileTest, FindWindowClosesOnceTheFileCouldBeOpened) {
    TKLUClient& client = frame->Client();
    client.findWindow = client.addSubWindow(new QWidget);
    Open(folder / "nowhere.klu");
    EXPECT_FALSE(client.findWindow.isNull());
    Open(Write("bad.klu", "not a hint file\n"));
    EXPECT_TRUE(client.findWindow.isNull());
    EXPECT_TRUE(client.subWindowList().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenHintFileTest, MissingPathLeavesTheOpenFileAlone) {
    const std::string path = Write("game.klu", SampleHintFile("Castle Quest"));
    Open(path);
    const std::string missing = folder / "nowhere.klu";
    Open(missing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    ExpectError(dialogs.messages[0],
                missing +
                    " could not be opened.  Make sure that this file exists, and that no other "
                    "application is using it.");
    EXPECT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.currentPath, path);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Castle Quest"});
    // A folder cannot be opened as a file either.
    Open(folder.path());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text.find(folder.path() + " could not be opened."), 0u);
}

TEST_F(OpenHintFileTest, RejectedFilesLeaveNoFileOpen) {
    HintFileSpec unchecked;
    unchecked.root = MakeSubject("No Checksum");
    unchecked.root->Add(MakeQuestion("Why?", {{"because"}}));
    unchecked.checksumAt = ChecksumAt::Nowhere;
    const struct {
        std::string bytes;
        std::string text;
        MessageButtons buttons;
    } cases[] = {
        {"just some text\n", "The file you have tried to open is not a KLU file.",
         MessageButtons::Ok},
        {WriteHintFile(unchecked).value_or(""),
         "The hint file that you have tried to open has been corrupted.  Try downloading it "
         "again, and contact the KLU for support if you continue receive this error.",
         MessageButtons::Ok},
        {"PK\x03\x04 zipped",
         "The file you have tried to open is a ZIP-compressed archive.  You must first "
         "uncompress .ZIP files before loading them into the KLU reader.",
         MessageButtons::OkHelp},
    };
    const std::string good = Write("game.klu", SampleHintFile());
    for (const auto& rejected : cases) {
        Open(good);
        ASSERT_TRUE(state.FileLoaded());
        dialogs.messages.clear();
        Open(Write("bad.klu", rejected.bytes));
        ASSERT_EQ(dialogs.messages.size(), 1u) << rejected.text;
        ExpectError(dialogs.messages[0], rejected.text, rejected.buttons);
        EXPECT_FALSE(state.FileLoaded());
        EXPECT_EQ(state.currentDocument.Count(), 0u);
        EXPECT_TRUE(WindowTitles().empty());
        // The path of the file before stays; the rejected one never reaches the list.
        EXPECT_EQ(state.currentPath, good);
        EXPECT_EQ(state.recentFiles.Entry(0), good);
        EXPECT_FALSE(frame->Action(CM_FILEINFO)->isEnabled());
    }
}

TEST_F(OpenHintFileTest, HelpFileOpenedByHandShowsTheNotice) {
    std::filesystem::create_directory(folder / "docs");
    const std::string help = Write("docs/rored.klu", SampleHintFile("KLU Reader Documentation"));
    Open(help);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text,
              "The file that you have opened is the on-line help file for this program.  For "
              "future reference, you can access the file directly by selecting 'Show Help File' "
              "from the 'Help' menu or by pressing F1.  You can even view the help file when "
              "another KLU hint file is already open.");
    EXPECT_EQ(dialogs.messages[0].title, "KLU Help File");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    // Then the help file's own index, which this program folder does not have.
    EXPECT_EQ(dialogs.messages[1].text, "Unable to locate help file.");
    EXPECT_FALSE(state.FileLoaded());
    EXPECT_TRUE(WindowTitles().empty());
    EXPECT_TRUE(state.recentFiles.Shown().empty());

    // The same name with another title is any other file.
    dialogs.messages.clear();
    const std::string other = Write("RORED.KLU", SampleHintFile("Not the Manual"));
    Open(other);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Not the Manual"});
    EXPECT_EQ(state.recentFiles.Entry(0), other);
}

TEST(HelpFileTest, NeedsBothTheNameAndTheTitle) {
    EXPECT_TRUE(IsHelpFile("/opt/klu/RORED.KLU", "KLU Reader Documentation"));
    EXPECT_TRUE(IsHelpFile("/opt/klu/Rored.Klu", "klu reader documentation"));
    EXPECT_TRUE(IsHelpFile("/a/rored.klu.bak", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("RORED.KLU", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("/opt/klu/XRORED.KLU", "KLU Reader Documentation"));
    EXPECT_FALSE(IsHelpFile("/opt/klu/RORED.KLU", "KLU Reader Documentation 2"));
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

TEST_F(OpenHintFileTest, OpenCommandAsksForAHintFile) {
    const std::string path = Write("game.klu", SampleHintFile("Asked For"));
    frame->Action(CM_FILEOPEN)->trigger();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0], "||" + DialogFilterOf(kHintFileFilter));
    EXPECT_FALSE(state.FileLoaded());
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.openAnswer = path;
    frame->Action(CM_FILEOPEN)->trigger();
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Asked For"});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(FileFilterTest, HintFilesInAnyLetterCaseAndAllFiles) {
    const std::string filter = DialogFilterOf(kHintFileFilter);
    EXPECT_EQ(filter, "KLU Hint Files (*.[Kk][Ll][Uu]);;All Files (*)");
    const auto matches = [](const std::string& pattern, const std::string& name) {
        return QRegularExpression(
                   QRegularExpression::wildcardToRegularExpression(QString::fromStdString(pattern)))
            .match(QString::fromStdString(name))
            .hasMatch();
    };
    for (const char* name : {"game.klu", "GAME.KLU", "Game.Klu"})
        EXPECT_TRUE(matches("*.[Kk][Ll][Uu]", name)) << name;
    EXPECT_FALSE(matches("*.[Kk][Ll][Uu]", "game.txt"));
    EXPECT_TRUE(matches("*", "README"));
    EXPECT_EQ(DialogFilterOf("Text (*.txt)|*.TXT;*.doc"), "Text (*.[Tt][Xx][Tt] *.[Dd][Oo][Cc])");
}

}  // namespace
}  // namespace klu::test
