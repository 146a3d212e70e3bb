// The commands on the open file (information, export, search, hint memory, the listing), the help
// commands, and the window commands Save and Copy.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <filesystem>

#include "app/command_texts.h"
#include "views/list_child.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

class FileCommandsTest : public WindowFixture {
  protected:
    QWidget* FindWidget() { return Client().findWindow ? Client().findWindow->widget() : nullptr; }
    QWidget* ListWidget() { return Client().listWindow ? Client().listWindow->widget() : nullptr; }
    void Search(const std::string& phrase) {
        dialogs.textAnswer = phrase;
        Client().Command(106);
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
        WindowFixture::LoadHelp(std::move(root));
    }
};

TEST_F(FileCommandsTest, SearchReplacesTheResultsOnlyWhenSomethingIsFound) {
    Open(Write("game.klu", ThreeHintFile()));
    Search("SeCoNd");
    EXPECT_EQ(
        dialogs.textRequests,
        std::vector<std::string>{"Find Text|Enter search phrase (it is not case-sensitive)|254"});
    QPointer<QWidget> first = FindWidget();
    ASSERT_TRUE(qobject_cast<TFindChild*>(first.data()));
    EXPECT_EQ(first->windowTitle(), "Search Results for \"SeCoNd\"");

    // Nothing found: the message, titled with the phrase, and the old results stay.
    Search("nowhere at all");
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{"No hints were found with the requested string.",
                                     "Search Results for \"nowhere at all\"", MessageIcon::Stop}}));
    EXPECT_EQ(FindWidget(), first.data());

    // Found again: the old window is gone, a new one shows the new results.
    Search("only");
    EXPECT_FALSE(first);
    auto* results = qobject_cast<TFindChild*>(FindWidget());
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->windowTitle(), "Search Results for \"only\"");

    // A cancelled dialog searches nothing.
    dialogs.textAnswer.reset();
    Client().Command(106);
    EXPECT_EQ(FindWidget(), results);

    // The last link of the results leads to the matching question.
    auto& hunk = static_cast<TItemsHunk&>(results->Hunk());
    THunk* last = nullptr;
    for (size_t i = 0; i < hunk.GetChildCount(); ++i)
        if (hunk.GetChild(i)->IsHunk()) last = static_cast<THunk*>(hunk.GetChild(i));
    ASSERT_NE(last, nullptr);
    last->Open();
    EXPECT_NE(WindowHunkUi::ViewOf(*Child("Once?")), nullptr);
    // Opening a file closes the results.
    Open(Write("other.klu", SampleHintFile()));
    EXPECT_FALSE(Client().findWindow);
}

TEST_F(FileCommandsTest, DecodeToTextWritesTheExportAndReportsAFileItCannotWrite) {
    Open(Write("game.klu", ThreeHintFile("Exported Game")));
    dialogs.saveAnswer = Write("out.txt", "old content that must go");
    Client().Command(104);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_TRUE(dialogs.saveRequests[0].starts_with("Text Files (")) << dialogs.saveRequests[0];
    EXPECT_TRUE(dialogs.saveRequests[0].ends_with("|txt"));
    const std::string text = ReadFile(*dialogs.saveAnswer);
    EXPECT_TRUE(text.starts_with("KLU: ")) << text;
    EXPECT_NE(text.find("Exported Game"), std::string::npos);
    EXPECT_EQ(text.find("old content"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.saveAnswer = folder / "no such folder/out.txt";
    Client().Command(104);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find("no such folder"), std::string::npos);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
}

TEST_F(FileCommandsTest, InformationOpensTheInfoHunkOrTheNoteOrSaysThereIsNone) {
    HintFilePlan newer;
    newer.root = MakeSubject("Informed");
    newer.root->Add(MakeQuestion("Q?", {{"a"}}));
    newer.topLevel.push_back(MakeNode("INFO", "info"));
    newer.topLevel.back()->Line("AUTHOR=Ann");
    Open(Write("newer.klu", WriteOrFail(newer)));
    Client().Command(102);
    const THunk* info = state.currentDocument.FindByType(INFO);
    ASSERT_NE(info, nullptr);
    EXPECT_NE(WindowHunkUi::ViewOf(*info), nullptr);

    HintFilePlan older;
    older.title88 = "Old Game";
    older.subjects88 = {{"Start", {{"How?", {"so"}}}}};
    older.note88 = {"Written by hand."};
    Open(Write("noted.klu", WriteOrFail(older)));
    const size_t windows = WindowTitles().size();
    Client().Command(102);
    EXPECT_EQ(WindowTitles().size(), windows + 1);
    EXPECT_TRUE(dialogs.messages.empty());

    older.note88.clear();
    Open(Write("bare.klu", WriteOrFail(older)));
    Client().Command(102);
    EXPECT_EQ(
        dialogs.messages,
        (std::vector<Message>{{kNoInformationText, "File Information", MessageIcon::Information}}));
}

TEST_F(FileCommandsTest, ShowTopWindowReopensItAndResetForgetsTheRevealedHints) {
    Open(Write("game.klu", ThreeHintFile()));
    THunk* root = state.currentDocument.GetRoot();
    WindowHunkUi::ViewOf(*root)->DestroyWindow();
    Client().Command(201);
    EXPECT_NE(WindowHunkUi::ViewOf(*root), nullptr);

    THintChild* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();
    ASSERT_EQ(Child("How?")->GetRevealed(), 2);
    Client().Command(302);
    EXPECT_EQ(Child("How?")->GetRevealed(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FileCommandsTest, ListingComesToTheFrontAndIsReplacedOnlyForAnotherFolder) {
    state.settings.listFolder = MakeFolder("games");
    Client().Command(101);
    QPointer<QWidget> listing = ListWidget();
    ASSERT_TRUE(qobject_cast<TFileChild*>(listing.data()));
    EXPECT_EQ(listing->windowTitle().toStdString(),
              "KLU Hint Files in " + state.settings.listFolder);

    // Again: the same window comes to the front, even after another was opened.
    Open(Write("game.klu", ThreeHintFile()));
    ASSERT_NE(Client().currentSubWindow()->widget(), listing.data());
    Client().Command(101);
    EXPECT_EQ(ListWidget(), listing.data());
    EXPECT_EQ(Client().currentSubWindow()->widget(), listing.data());

    // The same folder in other letters keeps it; a cancelled dialog too.
    dialogs.folderAnswer = state.settings.listFolder;
    for (char& c : *dialogs.folderAnswer)
        c = static_cast<char>(std::toupper(c));
    Client().Command(107);
    EXPECT_EQ(dialogs.folderPrompts, std::vector<std::string>{kListFolderPrompt});
    EXPECT_EQ(ListWidget(), listing.data());
    dialogs.folderAnswer.reset();
    Client().Command(107);
    EXPECT_EQ(ListWidget(), listing.data());

    // Another folder replaces it.
    const std::string other = MakeFolder("more");
    dialogs.folderAnswer = other.substr(0, other.size() - 1);  // the slash is added
    Client().Command(107);
    EXPECT_EQ(state.settings.listFolder, other);
    EXPECT_FALSE(listing);
    ASSERT_TRUE(ListWidget());
    EXPECT_EQ(ListWidget()->windowTitle().toStdString(), "KLU Hint Files in " + other);
}

TEST_F(FileCommandsTest, ListingEntryOpensItsFileAndTheKeysOfTheInvisibleButton) {
    QApplication::setActiveWindow(frame.get());
    state.settings.listFolder = MakeFolder("games");
    Client().Command(101);
    auto* listing = qobject_cast<TFileChild*>(ListWidget());
    ASSERT_NE(listing, nullptr);
    auto& hunk = static_cast<TItemsHunk&>(listing->Hunk());
    ASSERT_EQ(hunk.GetChildCount(), 2u);
    EXPECT_EQ(hunk.GetChild(0)->GetName(), "A First Game");  // sorted as "FIRST GAME, A"
    EXPECT_EQ(listing->Control().VisibleCount(), 2);

    // The button holds the focus; Enter does nothing, Tab goes to the first entry.
    EXPECT_TRUE(listing->Button().hasFocus());
    QTest::keyClick(&listing->Button(), Qt::Key_Return);
    EXPECT_FALSE(state.FileLoaded());
    QTest::keyClick(&listing->Button(), Qt::Key_Tab);
    EXPECT_EQ(listing->Control().CurrentLink(), hunk.GetChild(0));

    // An entry opens its file as the Open command would; the listing stays.
    hunk.GetChild(1)->Open();
    ASSERT_TRUE(state.FileLoaded());
    EXPECT_EQ(state.currentDocument.GetRoot()->GetName(), "The Second Game");
    EXPECT_EQ(state.currentPath, state.settings.listFolder + "b.klu");
    EXPECT_EQ(ListWidget(), listing);

    // Esc on the button closes the window.
    listing->Button().setFocus();
    QTest::keyClick(&listing->Button(), Qt::Key_Escape);
    DeleteClosed();
    EXPECT_FALSE(Client().listWindow);
}

TEST_F(FileCommandsTest, ShowHelpFileOpensTheIndexOrElseTheTopOrSaysThereIsNone) {
    Client().Command(501);
    Client().Command(502);
    EXPECT_EQ(dialogs.messages,
              (std::vector<Message>{{"Unable to locate help file.", "Error", MessageIcon::None},
                                    {"Unable to locate help file", "Error", MessageIcon::Stop}}));
    EXPECT_TRUE(WindowTitles().empty());

    LoadHelp(true);
    Client().Command(501);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Help File Index"});
    Client().closeAllSubWindows();
    LoadHelp(false);
    Client().Command(501);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"KLU Reader Documentation"});
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(FileCommandsTest, HelpOfTheZipMessageOpensItsSubjectOnly) {
    const std::string zip = Write("archive.klu", std::string("PK\x03\x04 zipped", 10));
    dialogs.answer = MessageAnswer::Help;
    Open(zip);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkHelp);
    EXPECT_EQ(dialogs.messages[1].text, "Unable to locate help file.");

    LoadHelp(false);  // no such subject: the top is no answer
    Open(zip);
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].text, "Unable to locate help file.");

    LoadHelp(true);
    Open(zip);
    EXPECT_EQ(dialogs.messages.size(), 5u);
    EXPECT_EQ(WindowTitles(), std::vector<std::string>{"Unzipping ZIP Files"});
}

TEST_F(FileCommandsTest, WebSiteOpensTheAddressAndExplainsAFailure) {
    Client().Command(510);
    ASSERT_EQ(dialogs.webAddresses.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.webAnswer = false;
    Client().Command(510);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Error connecting to KLU web site");
    EXPECT_TRUE(dialogs.messages[0].text.ends_with(dialogs.webAddresses[0]));
    EXPECT_TRUE(dialogs.messages[0].text.starts_with("This program was unable to find your web"));
}

TEST_F(FileCommandsTest, CopyTakesWhatTheWindowShowsAndSaveTheWholeHunkEachTime) {
    Open(Write("game.klu", ThreeHintFile()));
    THintChild* question = OpenWindow(*Child("How?"));
    ASSERT_NE(question, nullptr);
    question->CmAnotherHint();  // two of three hints shown
    frame->UpdateMenus();
    ASSERT_EQ(Client().CurrentView(), question);

    Client().Command(205);
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_NE(copied.find("first"), std::string::npos);
    EXPECT_NE(copied.find("second"), std::string::npos);
    EXPECT_EQ(copied.find("third"), std::string::npos);
    EXPECT_TRUE(copied.ends_with("\r\n"));

    // Saved twice to one file: both copies, each with the title and the hidden hint too.
    dialogs.saveAnswer = folder / "saved.txt";
    Client().Command(203);
    Client().Command(203);
    const std::string text = ReadFile(*dialogs.saveAnswer);
    const size_t first = text.find("How?\n\n");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find("How?\n\n", first + 1), std::string::npos) << text;
    EXPECT_NE(text.find("third"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.saveAnswer = folder / "missing/saved.txt";
    Client().Command(203);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace klu::test
