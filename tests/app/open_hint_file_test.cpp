// Opening a hint file, its failures and messages, and hint files inside ZIP archives.
#include <filesystem>

#include "app/command_ids.h"
#include "app/file_filter.h"
#include "app/open_hint_file.h"
#include "model/files/zip_members.h"
#include "model/store/folder_listing.h"
#include "model/store/hint_memory.h"
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

class ArchiveOpenTest : public WindowFixture {
  protected:
    std::string Zip(const std::string& name,
                    const std::vector<std::pair<std::string, std::string>>& members) {
        const std::string path = folder / name;
        EXPECT_TRUE(WriteZipArchive(path, members));
        return path;
    }
    std::string TopTitle() const {
        const Hunk* root = state.currentDocument.GetRoot();
        return root ? root->GetName() : "(none)";
    }
};

TEST_F(ArchiveOpenTest, TheOnlyHintFileOpensUnderTheArchivesNameWithItsMemory) {
    const std::string zip =
        Zip("one.zip", {{"readme.txt", "Unpack me."}, {"GAME.KLU", ThreeHintFile("Zipped")}});
    Open(zip);
    EXPECT_EQ(TopTitle(), "Zipped");
    EXPECT_TRUE(dialogs.choiceRequests.empty());
    const std::string member = zip + "/GAME.KLU";
    EXPECT_EQ(state.recentFiles.Entry(0), member);
    EXPECT_EQ(MemoryKeyOf(member), member + "." + std::to_string(ThreeHintFile("Zipped").size()));

    ASSERT_NE(Child("How?"), nullptr);
    Child("How?")->SetRevealed(2);
    Open(Write("other.klu", SampleHintFile()));
    Open(member);  // from the recent files
    ASSERT_EQ(TopTitle(), "Zipped");
    EXPECT_EQ(Child("How?")->GetRevealed(), 2);
}

TEST_F(ArchiveOpenTest, OfSeveralTheUserPicksOneOrNoneAndWithoutAnyTheMessageComes) {
    const std::string several = Zip("several.zip", {{"a/FIRST.KLU", ThreeHintFile("First")},
                                                    {"second.klu", ThreeHintFile("Second")}});
    dialogs.choiceAnswer = 0;
    Open(several);
    EXPECT_EQ(dialogs.choiceItems, (std::vector<std::string>{"a/FIRST.KLU", "second.klu"}));
    EXPECT_EQ(TopTitle(), "First");
    EXPECT_EQ(state.currentPath, several + "/a/FIRST.KLU");
    dialogs.choiceAnswer.reset();
    Open(several);
    EXPECT_EQ(TopTitle(), "First") << "a cancelled choice keeps the file that was open";

    Open(Zip("none.zip", {{"readme.txt", "Nothing here."}}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kZipArchiveText);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkHelp);
}

// Of two members with one name, the listing and the choice offer the second as NAME;2, and it
// opens as itself.
TEST_F(ArchiveOpenTest, TheSecondMemberOfANameOpensAsItselfFromTheListingAndTheChoice) {
    const std::string zip = Zip("twins.zip", {{"GAME.KLU", ThreeHintFile("First")},
                                              {"GAMF.KLU", ThreeHintFile("Second")}});
    std::string bytes = ReadFile(zip);
    for (size_t at = bytes.find("GAMF.KLU"); at != std::string::npos; at = bytes.find("GAMF.KLU"))
        bytes[at + 3] = 'E';
    Write("twins.zip", bytes);
    const auto listing = BuildFolderListing(folder.path(), state.locations.TitleCachePath());
    ASSERT_EQ(listing->GetChildCount(), 2u);
    listing->SetObserver(&ui);
    listing->GetChild(1)->Open();
    EXPECT_EQ(TopTitle(), "Second");
    EXPECT_EQ(state.currentPath, zip + "/GAME.KLU;2");

    dialogs.choiceAnswer = 0;
    Open(zip);
    EXPECT_EQ(dialogs.choiceItems, (std::vector<std::string>{"GAME.KLU", "GAME.KLU;2"}));
    EXPECT_EQ(TopTitle(), "First");
}

// Each reader reads an open member's media from a copy of its own, which only its user may
// read, no listing shows, and which goes with the file or the reader.
TEST_F(ArchiveOpenTest, EachReaderKeepsItsOwnUnpackedMemberWhileTheFileIsOpen) {
    namespace fs = std::filesystem;
    Open(Zip("a.zip", {{"A.KLU", ThreeHintFile("First")}}));
    const std::string mine = state.currentDataPath;
    std::string theirs;
    {
        AppState other(folder.path(), std::string(), NoEnvironment);
        MainWindow other_frame(other, dialogs);
        OpenHintFile(other_frame.Client(), other, dialogs,
                     Zip("b.zip", {{"B.KLU", ThreeHintFile("Second")}}));
        theirs = other.currentDataPath;
        EXPECT_EQ(ReadFile(theirs), ThreeHintFile("Second"));
        EXPECT_EQ(ReadFile(mine), ThreeHintFile("First"));
        EXPECT_EQ(fs::status(mine).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        const auto listing = BuildFolderListing(folder.path(), state.locations.TitleCachePath());
        EXPECT_EQ(listing->GetChildCount(), 2u) << "the members of a.zip and b.zip alone";
    }
    EXPECT_FALSE(fs::exists(theirs));
    Open(Write("plain.klu", SampleHintFile()));
    EXPECT_FALSE(fs::exists(mine));
}

}  // namespace
}  // namespace klu::test
