// The verbose listing: the header scan that gives each entry its title, version and
// information keys, the listing of a folder through the title cache, and the tree walkers over
// its entries.
#include "model/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "listing_test_support.h"
#include "model/file_info.h"
#include "model/plain_text.h"
#include "model/search.h"
#include "model/text_file_lines.h"
#include "model/title_cache.h"

namespace klu {
namespace {

namespace fs = std::filesystem;
using test::NewerFilePlan;
using test::TempFolder;
using test::WriteFile;
using test::WriteHintFileAt;
using Strings = std::vector<std::string>;

TEST(FileInfoScan, OlderFilesGiveATitleWithoutLeadingBlanksOthersNone) {
    TempFolder folder;
    WriteHintFileAt(folder / "old.klu", test::OlderFilePlan("   Old Quest  "));
    const TFileInfo entry(folder / "old.klu", 0);
    EXPECT_EQ(entry.fileTitle, "Old Quest  ");
    EXPECT_EQ(entry.version, "88a");
    EXPECT_EQ(entry.path, folder / "old.klu");

    WriteFile(folder / "text.klu", "Not a hint file\r\nKLU\r\nTitle\r\n");
    WriteFile(folder / "empty.klu", "");
    for (const std::string name : {"text.klu", "empty.klu", "missing.klu"}) {
        const TFileInfo other(folder / name, 0);
        EXPECT_EQ(other.fileTitle + other.version, "") << name;
    }
}

TEST(FileInfoScan, NewerFileGivesRootTitleVersionAndInformationKeys) {
    TempFolder folder;
    HintFilePlan plan =
        NewerFilePlan("  The Newer Game", "Release 2",
                      {"Author=Ann", "PUBLISHER=Games Inc", " author=not at the start",
                       "date=1 May 1996", "TIME=12:00", "author=Bob"});
    // Lines past the count of the information hunk's header are not read.
    plan.topLevel.push_back(MakeNode("COMMENT", "author=Eve"));
    WriteHintFileAt(folder / "new.klu", plan);
    const TFileInfo entry(folder / "new.klu", -3);
    EXPECT_EQ(entry.fileTitle, "  The Newer Game");  // leading blanks stay here
    EXPECT_EQ(entry.version, "Release 2");
    EXPECT_EQ(entry.author, "Bob");  // the later line wins
    EXPECT_EQ(entry.publisher, "Games Inc");
    EXPECT_EQ(entry.date, "1 May 1996");
    EXPECT_EQ(entry.time, "12:00");
    // In the listing, an entry is a link that shows its file's title; a copy keeps every field.
    EXPECT_EQ(entry.GetName(), "  The Newer Game");
    EXPECT_EQ(entry.title, "");
    const TFileInfo copy(entry);
    const auto fields = [](const TFileInfo& e) {
        return std::tie(e.path, e.fileTitle, e.version, e.author, e.publisher, e.date, e.time,
                        e.reserved, e.hardBreak, e.wrap);
    };
    EXPECT_EQ(fields(copy), fields(entry));
    EXPECT_EQ(copy.reserved, -3);
    EXPECT_EQ(copy.hardBreak, 1);
}

TEST(FileInfoScan, IgnoresCaseReadsAnyLineEndAndNeedsNumberedHeaders) {
    TempFolder folder;
    // Line feeds alone, keywords in other cases, a carriage return inside the title, and lines
    // that hold a keyword without a non-zero number in front.
    WriteFile(folder / "lf.klu",
              "klu\n Old\n** end of 88a format **\nthe subject\nNo\n0 subject\nZero\n"
              "3 Subject\nNew\rTitle\n-\n2 version\nv7\n4 Info\nx\nAUTHOR=Lower\n");
    const TFileInfo entry(folder / "lf.klu", 0);
    EXPECT_EQ(entry.fileTitle, "New Title");
    EXPECT_EQ(entry.version, "v7");
    EXPECT_EQ(entry.author, "Lower");

    // The end-of-text byte cuts the file before its version hunk: what was found is kept.
    WriteFile(folder / "cut.klu",
              "KLU\r\nOld\r\n** END OF 88A FORMAT **\r\n3 SUBJECT\r\nRoot\r\n\x1a"
              "2 VERSION\r\nhidden\r\n");
    const TFileInfo cut(folder / "cut.klu", 0);
    EXPECT_EQ(cut.fileTitle, "Root");
    EXPECT_EQ(cut.version, "88a");
}

TEST(FileInfoScan, StopsReadingAtTheInformationHunk) {
    TempFolder folder;
    HintFilePlan plan = NewerFilePlan("Pictures", "96a", {"author=Ann"});
    plan.root->Add(MakeData("GIFA", "A big picture", std::string(300'000, 'G')));
    WriteHintFileAt(folder / "big.klu", plan);
    TextFileLines lines(folder / "big.klu");
    const TFileInfo entry(lines, folder / "big.klu", 0);
    EXPECT_EQ(entry.author, "Ann");
    EXPECT_LT(lines.BytesRead(), test::ReadFile(folder / "big.klu").size() / 4);
}

// Folders "games" and "more" of hint files, and a cache beside them.
class FolderListing : public ::testing::Test {
  protected:
    FolderListing() {
        fs::create_directory(root_ / "games");
        fs::create_directory(root_ / "more");
    }
    std::string Folder(const std::string& name = "games") const { return root_ / name + "/"; }
    std::string Cache() const { return root_ / "VIRIDADO.DB"; }
    void Write(const std::string& name, const std::string& title,
               const std::string& folder = "games") {
        test::WriteHintFileAt(Folder(folder) + name, test::NewerFilePlan(title));
    }
    // Each entry of a listing as "title <- path", the folder left out of the path.
    static Strings Entries(const TMetaTextHunk& listing, const std::string& folder) {
        Strings entries;
        for (const TKLUObject* entry : listing.children) {
            std::string path = dynamic_cast<const TFileInfo&>(*entry).path;
            if (path.starts_with(folder)) path.erase(0, folder.size());
            entries.push_back(entry->GetName() + " <- " + path);
        }
        return entries;
    }
    Strings Listed(const std::string& folder = "games") {
        const auto listing = BuildFolderListing(Folder(folder), Cache(), &stats_);
        return listing ? Entries(*listing, Folder(folder)) : Strings{"(no listing)"};
    }

    test::TempFolder root_;
    ListingStats stats_;
};

TEST_F(FolderListing, ListsHintFilesSortedByTitleWithFullPaths) {
    Write("bard.klu", "Bard");
    Write("adv.KLU", "The Adventure");
    Write("abyss.Klu", "Abyss");
    test::WriteHintFileAt(Folder() + "quest.klu", test::OlderFilePlan("  A Quest"));
    WriteFile(Folder() + "notes.klu", "Just some notes\r\n");
    const auto listing = BuildFolderListing(Folder(), Cache(), &stats_);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title, "KLU Hint Files in " + Folder());
    EXPECT_EQ(listing->GetType(), SUBJECT);
    EXPECT_EQ(
        Entries(*listing, ""),
        (Strings{" <- " + Folder() + "notes.klu", "Abyss <- " + Folder() + "abyss.Klu",
                 "The Adventure <- " + Folder() + "adv.KLU", "Bard <- " + Folder() + "bard.klu",
                 "A Quest <- " + Folder() + "quest.klu"}));
    for (const TKLUObject* entry : listing->children) {
        EXPECT_EQ(entry->hardBreak, 1);
        EXPECT_EQ(entry->wrap, 1);
    }
    EXPECT_EQ(stats_.recordsWritten, 5u);
    // Save Window writes the listing through WriteText, which reads only names and flags of the
    // entries (the tree walkers would take them for hunks of a file).
    std::ostringstream out;
    listing->WriteText(out);
    EXPECT_EQ(out.str(), "\nAbyss\nThe Adventure\nBard\nA Quest\n");
}

TEST_F(FolderListing, LeavesOutOtherFilesAndKeepsTheNameOrderOfEqualKeys) {
    Write("game.klu", "Game");
    Write(".hidden.klu", "Hidden");
    Write("game.klu.bak", "Backup");
    Write("gameklu", "No dot");
    fs::create_directory(Folder() + "folder.klu");
    // Links count as what they lead to.
    Write("target.txt", "Linked");
    fs::create_symlink(Folder() + "target.txt", Folder() + "link.klu");
    fs::create_directory_symlink(Folder() + "folder.klu", Folder() + "dir.klu");
    fs::create_symlink(Folder() + "nothing", Folder() + "dangling.klu");
    EXPECT_EQ(Listed(), (Strings{"Game <- game.klu", "Linked <- link.klu"}));

    // Written in reverse order; keys all "GAME, THE".
    Write("c.klu", "game, the", "more");
    Write("b.klu", "The Game", "more");
    Write("a.klu", "Game, The", "more");
    Write("0.klu", "Zork", "more");
    EXPECT_EQ(Listed("more"), (Strings{"Game, The <- a.klu", "The Game <- b.klu",
                                       "game, the <- c.klu", "Zork <- 0.klu"}));
}

TEST_F(FolderListing, CachedTitlesAreUsedForTheSameNameInAnyFolder) {
    Write("game.klu", "Original Title");
    Write("other.klu", "Other");
    Write("gone.klu", "Gone");
    Listed();
    // Replaced by a file with another title, by something that is no hint file at all, and
    // removed: no file is opened again, and the record of the one gone stays in the cache.
    Write("game.klu", "Replacement Title");
    WriteFile(Folder() + "other.klu", "garbage");
    fs::remove(Folder() + "gone.klu");
    EXPECT_EQ(Listed(), (Strings{"Original Title <- game.klu", "Other <- other.klu"}));
    EXPECT_EQ(stats_.scanned, 0u);
    EXPECT_EQ(stats_.fromCache, 2u);
    EXPECT_EQ(stats_.recordsWritten, 0u);
    const TitleCache cache(Cache());
    EXPECT_EQ(cache.RecordCount(), 3u);
    ASSERT_NE(cache.Find("gone.klu"), nullptr);
    EXPECT_EQ(cache.Find("gone.klu")->fileTitle, "Gone");

    Write("GAME.KLU", "Second Folder's Game", "more");
    Write("new.klu", "New", "more");
    EXPECT_EQ(Listed("more"), (Strings{"New <- new.klu", "Original Title <- GAME.KLU"}));
    EXPECT_EQ(stats_.scanned, 1u);
}

TEST_F(FolderListing, WithoutAUsableCacheEveryFileIsScannedEachTime) {
    Write("game.klu", "Game");
    fs::create_directory(Cache());  // a folder where the cache file should be
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Listed(), Strings{"Game <- game.klu"});
        EXPECT_FALSE(stats_.cacheOpen);
        EXPECT_EQ(stats_.scanned, 1u);
        EXPECT_EQ(stats_.recordsWritten, 0u);
    }
}

TEST_F(FolderListing, AFolderPathGetsItsTrailingSlashAndOnlyAnUnreadableOneNoListing) {
    Write("game.klu", "Game");
    EXPECT_EQ(BuildFolderListing(root_ / "missing/", Cache()), nullptr);
    EXPECT_EQ(BuildFolderListing(Folder() + "game.klu/", Cache()), nullptr);
    EXPECT_FALSE(fs::exists(Cache()));  // nothing was touched
    EXPECT_TRUE(Listed("more").empty());

    const std::string bare = root_ / "games";
    const auto listing = BuildFolderListing(bare, Cache());
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title, "KLU Hint Files in " + bare + "/");
    EXPECT_EQ(Entries(*listing, ""), Strings{"Game <- " + bare + "/game.klu"});
}

// Regression: entries of a folder listing show as links (IsHunk) without being hunks; the tree
// walkers once cast every such child to a hunk and read past the object.
TEST(TreeWalk, ListingEntriesAreNotTreatedAsHunks) {
    TMetaTextHunk listing("KLU Hint Files in /games/", nullptr, SUBJECT);
    TempFolder folder;
    auto* entry = new TFileInfo(folder / "missing.klu", 0);
    entry->fileTitle = "A Game";
    listing.AddChild(entry);
    ASSERT_TRUE(entry->IsHunk());
    EXPECT_EQ(entry->AsHunk(), nullptr);

    EXPECT_EQ(listing.FindByLine(12345), nullptr);
    EXPECT_EQ(listing.FindByName("A Game"), nullptr);
    std::string state;
    listing.SaveState(state);
    EXPECT_EQ(state, "");
    EXPECT_TRUE(listing.StateValid());
    listing.SetNumber("");
    EXPECT_EQ(listing.GetDataEnd(), 0);
    // The listing matches at the top of its chain: an entry of no links, one blank line.
    EXPECT_EQ(FindInTree(listing, "game")->children.size(), 1u);
    FlattenedText flat("x");
    listing.Flatten(flat.hunk());
    std::ostringstream out;
    listing.WriteText(out);
    EXPECT_EQ(out.str(), "A Game\n");
}

}  // namespace
}  // namespace klu
