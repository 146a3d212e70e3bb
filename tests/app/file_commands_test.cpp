// The commands on the open file: information, export, search, hint memory, and the listing.
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/command_texts.h"
#include "app/klu_client.h"
#include "model/file_info.h"
#include "views/hint_button.h"
#include "views/list_child.h"
#include "window_fixture.h"

namespace klu::test {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WriteOrFail(HintFileSpec& plan) {
    std::string error;
    std::optional<std::string> bytes = WriteHintFile(plan, &error);
    EXPECT_TRUE(bytes.has_value()) << error;
    return bytes.value_or(std::string());
}

class FileCommandsTest : public WindowFixture {
  protected:
    TKLUClient& Client() { return frame->Client(); }
    QWidget* FindWidget() { return Client().findWindow ? Client().findWindow->widget() : nullptr; }
    QWidget* ListWidget() { return Client().listWindow ? Client().listWindow->widget() : nullptr; }
    void Search(const std::string& phrase) {
        dialogs.textAnswer = phrase;
        Client().Command(106);
    }
};

TEST_F(FileCommandsTest, SearchShowsResultsAndReplacesThemOnlyWhenSomethingIsFound) {
    Open(Write("game.klu", ThreeHintFile()));
    Search("SeCoNd");
    ASSERT_EQ(dialogs.textRequests.size(), 1u);
    EXPECT_EQ(dialogs.textRequests[0],
              "Find Text|Enter search phrase (it is not case-sensitive)|254");
    QPointer<QWidget> first = FindWidget();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->windowTitle(), "Search Results for \"SeCoNd\"");
    EXPECT_TRUE(qobject_cast<TFindChild*>(first.data()));

    // Nothing found: the message, titled with the phrase, and the old results stay.
    Search("nowhere at all");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No hints were found with the requested string.");
    EXPECT_EQ(dialogs.messages[0].title, "Search Results for \"nowhere at all\"");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(FindWidget(), first.data());

    // Found again: the old window and its results are gone, a new window shows the new ones.
    Search("only");
    EXPECT_FALSE(first);
    ASSERT_TRUE(FindWidget());
    EXPECT_EQ(FindWidget()->windowTitle(), "Search Results for \"only\"");

    // A cancelled dialog searches nothing.
    dialogs.textAnswer.reset();
    QWidget* shown = FindWidget();
    Client().Command(106);
    EXPECT_EQ(FindWidget(), shown);
}

TEST_F(FileCommandsTest, ResultLinksOpenTheirHunksAndOpeningAFileClosesTheResults) {
    Open(Write("game.klu", ThreeHintFile()));
    Search("only");
    auto* results = qobject_cast<TFindChild*>(FindWidget());
    ASSERT_NE(results, nullptr);
    auto& hunk = static_cast<TItemsHunk&>(results->Hunk());
    // Every link of the chain opens; the last one leads to the matching question.
    THunk* last = nullptr;
    for (size_t i = 0; i < hunk.GetChildCount(); ++i)
        if (hunk.GetChild(i)->IsHunk()) last = static_cast<THunk*>(hunk.GetChild(i));
    ASSERT_NE(last, nullptr);
    last->Open();
    EXPECT_NE(WindowHunkUi::ViewOf(*Child("Once?")), nullptr);

    Open(Write("other.klu", SampleHintFile()));
    EXPECT_FALSE(Client().findWindow);
}

TEST_F(FileCommandsTest, DecodeToTextWritesTheExportAndReportsAFileItCannotWrite) {
    Open(Write("game.klu", ThreeHintFile("Exported Game")));
    dialogs.saveAnswer = folder / "out.txt";
    WriteFile(*dialogs.saveAnswer, "old content that must go");
    Client().Command(104);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_NE(dialogs.saveRequests[0].find("Text Files ("), std::string::npos);
    EXPECT_TRUE(dialogs.saveRequests[0].ends_with("|txt"));
    const std::string text = ReadAll(*dialogs.saveAnswer);
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
    HintFileSpec newer;
    newer.root = MakeSubject("Informed");
    newer.root->Add(MakeQuestion("Q?", {{"a"}}));
    newer.topLevel.push_back(MakeNode("INFO", "info"));
    newer.topLevel.back()->Line("AUTHOR=Ann");
    Open(Write("newer.klu", WriteOrFail(newer)));
    Client().Command(102);
    const THunk* info = state.currentDocument.FindByType(INFO);
    ASSERT_NE(info, nullptr);
    EXPECT_NE(WindowHunkUi::ViewOf(*info), nullptr);

    HintFileSpec noted;
    noted.title88 = "Old Game";
    noted.subjects88 = {{"Start", {{"How?", {"so"}}}}};
    noted.note88 = {"Written by hand."};
    Open(Write("noted.klu", WriteOrFail(noted)));
    const size_t windows = WindowTitles().size();
    Client().Command(102);
    EXPECT_EQ(WindowTitles().size(), windows + 1);
    EXPECT_TRUE(dialogs.messages.empty());

    HintFileSpec bare;
    bare.title88 = "Bare Game";
    bare.subjects88 = {{"Start", {{"How?", {"so"}}}}};
    Open(Write("bare.klu", WriteOrFail(bare)));
    Client().Command(102);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kNoInformationText);
    EXPECT_EQ(dialogs.messages[0].title, "File Information");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
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

class ListingCommandsTest : public FileCommandsTest {
  protected:
    // A folder of two hint files; the listing shows it.
    std::string MakeFolder(const std::string& name) {
        const std::string path = folder / name;
        std::filesystem::create_directory(path);
        WriteFile(path + "/b.klu", SampleHintFile("The Second Game"));
        WriteFile(path + "/a.klu", SampleHintFile("A First Game"));
        return path + "/";
    }
};

TEST_F(ListingCommandsTest, ListingComesToTheFrontAndIsReplacedOnlyForAnotherFolder) {
    state.settings.listFolder = MakeFolder("games");
    Client().Command(101);
    QPointer<QWidget> listing = ListWidget();
    ASSERT_TRUE(listing);
    EXPECT_TRUE(qobject_cast<TFileChild*>(listing.data()));
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
    ASSERT_EQ(dialogs.folderPrompts.size(), 1u);
    EXPECT_EQ(dialogs.folderPrompts[0], kListFolderPrompt);
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

TEST_F(ListingCommandsTest, EntryOpensItsFileAndTheKeysOfTheInvisibleButton) {
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

}  // namespace
}  // namespace klu::test
