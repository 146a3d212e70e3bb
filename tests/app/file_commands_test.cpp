// The commands on the open file, the help commands, and the window commands Save and Copy.
#include <sys/resource.h>

#include <QClipboard>
#include <csignal>
#include <filesystem>

#include "app/command_ids.h"
#include "app/open_hint_file.h"
#include "views/list_window.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class FileCommandsTest : public WindowFixture {
  protected:
    QWidget* ListWidget() { return Client().listWindow ? Client().listWindow->widget() : nullptr; }
    static std::string TitleOf(const QWidget* w) { return w ? w->windowTitle().toStdString() : ""; }
    SearchResultsWindow* Search(const std::string& phrase) {
        dialogs.textAnswer = phrase;
        Client().Command(CM_FINDINFILE);
        return Client().findWindow ? qobject_cast<SearchResultsWindow*>(Client().findWindow->widget())
                                   : nullptr;
    }
    // A folder of two hint files; gives its path with the final slash.
    std::string MakeFolder(const std::string& name) {
        std::filesystem::create_directory(folder / name);
        Write(name + "/b.klu", SampleHintFile("The Second Game"));
        Write(name + "/a.klu", SampleHintFile("A First Game"));
        return folder / (name + "/");
    }
    // A help file with the two subjects the help commands look for, or without them.
    void LoadHelp(bool with_subjects) {
        auto root = MakeSubject("KLU Reader Documentation");
        if (with_subjects) {
            root->Add(MakeSubject("Help File Index"))->Add(MakeText("Index", {"Topics"}));
            root->Add(MakeSubject("Unzipping ZIP Files"))->Add(MakeText("Zip", {"Unpack"}));
        } else {
            root->Add(MakeText("About", {"Nothing here"}));
        }
        state.helpDocument.Clear();
        const std::string path = Write("RORED.KLU", HintFileOf(std::move(root)));
        ASSERT_EQ(LoadHintFile(ReadHintFile(path), state.helpDocument, true).result,
                  LoadResult::Ok);
    }
};

TEST_F(FileCommandsTest, SearchReplacesTheResultsOnlyWhenSomethingIsFound) {
    Open(Write("game.klu", ThreeHintFile()));
    QPointer<SearchResultsWindow> first = Search("SeCoNd");
    EXPECT_EQ(
        dialogs.textRequests,
        std::vector<std::string>{"Find Text|Enter search phrase (it is not case-sensitive)|254"});
    ASSERT_EQ(TitleOf(first), "Search Results for \"SeCoNd\"");

    // Nothing found: the message, titled with the phrase, and the old results stay. No phrase at
    // all is a cancel, not a list of everything.
    for (const char* phrase : {"nowhere at all", "", "   "})
        EXPECT_EQ(Search(phrase), first.data()) << '"' << phrase << '"';
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{"No hints were found with the requested string.",
                                     "Search Results for \"nowhere at all\"", MessageIcon::Stop}}));

    // Found again: the old window is gone, a new one shows the new results, and its link leads
    // to the matching question.
    SearchResultsWindow* results = Search("only");
    EXPECT_FALSE(first);
    ASSERT_EQ(TitleOf(results), "Search Results for \"only\"");
    Hunk* link = results->ShownHunk().FindByName("Once?");
    ASSERT_NE(link, nullptr);
    link->Open();
    EXPECT_NE(ui.ViewOf(*Child("Once?")), nullptr);
}

TEST_F(FileCommandsTest, ListingOpensItsFilesComesToTheFrontAndIsReplacedForAnotherFolder) {
    state.settings.listFolder = MakeFolder("games");
    Client().Command(CM_VERBOSELISTING);
    QPointer<FileListWindow> listing = qobject_cast<FileListWindow*>(ListWidget());
    ASSERT_EQ(TitleOf(listing), "KLU Hint Files in " + state.settings.listFolder);
    auto& hunk = static_cast<ItemsHunk&>(listing->ShownHunk());
    ASSERT_EQ(hunk.GetChildCount(), 2u);
    EXPECT_EQ(hunk.GetChild(0)->GetName(), "A First Game");  // sorted as "FIRST GAME, A"
    EXPECT_EQ(listing->Control().VisibleCount(), 2);
    hunk.GetChild(1)->Open();
    ASSERT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.currentDocument.GetRoot()->GetName(), "The Second Game");
    EXPECT_EQ(state.currentPath, state.settings.listFolder + "b.klu");

    // Again: the same window comes to the front, even after another was opened.
    ASSERT_NE(Client().currentSubWindow()->widget(), listing.data());
    Client().Command(CM_VERBOSELISTING);
    EXPECT_EQ(ListWidget(), listing.data());
    EXPECT_EQ(Client().currentSubWindow()->widget(), listing.data());

    const std::string other = MakeFolder("more");
    dialogs.folderAnswer = other.substr(0, other.size() - 1);  // the slash is added
    Client().Command(CM_CHANGELISTFOLDER);
    EXPECT_EQ(state.settings.listFolder, other);
    EXPECT_FALSE(listing);
    EXPECT_EQ(TitleOf(ListWidget()), "KLU Hint Files in " + other);
}

// Show Help File opens the index, or else the top; Help of the message about archives opens
// the subject on unzipping. Without a help file both say there is none.
TEST_F(FileCommandsTest, HelpCommandsOpenTheirSubjectsOrSayThereIsNoHelpFile) {
    const std::string zip = Write("archive.klu", std::string("PK\x03\x04 zipped", 10));
    dialogs.answer = MessageAnswer::Help;
    Client().Command(CM_SHOWHELPFILE);
    Client().Command(CM_PRINTHELPFILE);
    Open(zip);
    EXPECT_EQ(
        dialogs.messages,
        (std::vector<Message>{{"Unable to locate help file.", "Error", MessageIcon::None},
                              {"Unable to locate help file", "Error", MessageIcon::Stop},
                              {kZipArchiveText, "Error", MessageIcon::Stop, MessageButtons::OkHelp},
                              {"Unable to locate help file.", "Error", MessageIcon::None}}));
    EXPECT_TRUE(WindowTitles().empty());

    LoadHelp(true);
    Client().Command(CM_SHOWHELPFILE);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Help File Index"});
    Client().closeAllSubWindows();
    Open(zip);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Unzipping ZIP Files"});
    Client().closeAllSubWindows();
    LoadHelp(false);
    Client().Command(CM_SHOWHELPFILE);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"KLU Reader Documentation"});
    EXPECT_EQ(dialogs.messages.size(), 5u);
}

// Copy takes what the window shows; Save Window adds the whole hunk to its file each time.
// Decode to Text and Export as Web Page replace their file and ask first. None may write over
// the hint file that is open or the help file.
TEST_F(FileCommandsTest, CopyTakesWhatIsShownSavesAskBeforeReplacingAndSpareHintAndHelpFiles) {
    LoadHelp(true);
    const std::string game = Write("game.klu", ThreeHintFile());
    Open(game);
    HintWindow* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();  // two of three hints shown
    frame->UpdateMenus();
    ASSERT_EQ(Client().CurrentView(), question);

    Client().Command(CM_COPYTOCLIPBOARD);
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_NE(copied.find("first"), std::string::npos);
    EXPECT_NE(copied.find("second"), std::string::npos);
    EXPECT_EQ(copied.find("third"), std::string::npos);
    EXPECT_TRUE(copied.ends_with("\n")) << copied;
    EXPECT_EQ(copied.find('\r'), std::string::npos);

    // Saved twice to one file: both copies, each with the title and the hidden hint too.
    dialogs.saveAnswer = folder / "saved.txt";
    Client().Command(CM_SAVEWINDOW);
    Client().Command(CM_SAVEWINDOW);
    const std::string text = ReadFile(*dialogs.saveAnswer);
    EXPECT_NE(text.find("How?\n\n", text.find("How?\n\n") + 1), std::string::npos) << text;
    EXPECT_NE(text.find("third"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    const std::pair<std::string, std::string> kept[] = {
        {game, " is the hint file that is open."},
        {state.helpFilePath, " is the help file of this program."}};
    for (const int command : {CM_DECODETOTEXT, CM_EXPORTWEBPAGE, CM_SAVEWINDOW}) {
        for (const auto& [target, refusal] : kept) {
            const std::string before = ReadFile(target);
            dialogs.messages.clear();
            dialogs.saveAnswer = target;
            Client().Command(command);
            ASSERT_EQ(dialogs.messages.size(), 1u) << command;
            EXPECT_EQ(dialogs.messages[0].text.find(target + refusal), 0u);
            EXPECT_EQ(ReadFile(target), before) << command;
        }
    }
    EXPECT_EQ(dialogs.replaceConfirmations,
              (std::vector<bool>{false, false, true, true, true, true, false, false}));

    // The web page asks for its own suffix and holds the questions, not their hints.
    dialogs.messages.clear();
    dialogs.saveAnswer = folder / "game.html";
    Client().Command(CM_EXPORTWEBPAGE);
    const std::string page = ReadFile(*dialogs.saveAnswer);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.saveRequests.back().ends_with("|html")) << dialogs.saveRequests.back();
    EXPECT_NE(page.find(" How?</h"), std::string::npos);
    EXPECT_EQ(page.find("third"), std::string::npos);
}

// A write that fails part way (at a file-size limit, as on a full disk) leaves the file the user
// chose as it was, whether the save replaces it (Decode to Text) or adds to its end (Save).
TEST_F(FileCommandsTest, AFailedSaveLeavesTheChosenFileWhole) {
    Open(Write("game.klu", ThreeHintFile()));
    ASSERT_NE(OpenWindow(*Child("How?")), nullptr);
    frame->UpdateMenus();
    const std::string old(10, 'o');
    for (const int command : {CM_DECODETOTEXT, CM_SAVEWINDOW}) {
        const std::string target = Write("kept.txt", old);
        const size_t entries = folder.EntryCount();
        dialogs.messages.clear();
        dialogs.saveAnswer = target;
        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        const rlimit limit{old.size() + 20, before.rlim_max};
        const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Client().Command(command);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, old_handler);
        EXPECT_EQ(ReadFile(target), old) << command;
        EXPECT_EQ(dialogs.messages.size(), 1u) << command;
        EXPECT_EQ(folder.EntryCount(), entries) << command << ": a temporary file was left";
    }
}

}  // namespace
}  // namespace klu::test
