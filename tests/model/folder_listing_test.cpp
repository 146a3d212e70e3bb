// The verbose listing of a folder through the title cache.
#include "model/folder_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "listing_test_support.h"
#include "model/file_info.h"
#include "model/title_cache.h"

namespace klu {
namespace {

using test::NewerFileSpec;
using test::WriteFile;
using test::WriteHintFileAt;
using Strings = std::vector<std::string>;

Strings Titles(const TMetaTextHunk& listing) {
    Strings titles;
    for (const TKLUObject* entry : listing.children)
        titles.push_back(entry->GetName());
    return titles;
}

Strings Paths(const TMetaTextHunk& listing) {
    Strings paths;
    for (const TKLUObject* entry : listing.children)
        paths.push_back(dynamic_cast<const TFileInfo&>(*entry).path);
    return paths;
}

// Folders "games" and "more" of hint files, and a cache beside them.
class FolderListing : public ::testing::Test {
  protected:
    FolderListing() {
        std::filesystem::create_directory(root_ / "games");
        std::filesystem::create_directory(root_ / "more");
    }
    std::string Folder(const std::string& name = "games") const { return root_ / name + "/"; }
    std::string Cache() const { return root_ / "VIRIDADO.DB"; }
    void Write(const std::string& name, const std::string& title,
               const std::string& folder = "games") {
        WriteHintFileAt(Folder(folder) + name, NewerFileSpec(title));
    }
    std::unique_ptr<TMetaTextHunk> List(const std::string& folder = "games") {
        auto listing = BuildFolderListing(Folder(folder), Cache(), &stats_);
        EXPECT_NE(listing, nullptr);
        return listing;
    }
    Strings ListedTitles(const std::string& folder = "games") {
        const auto listing = List(folder);
        return listing ? Titles(*listing) : Strings{"(no listing)"};
    }

    test::TempFolder root_;
    ListingStats stats_;
};

TEST_F(FolderListing, ListsHintFilesSortedByTitleWithFullPaths) {
    Write("bard.klu", "Bard");
    Write("adv.KLU", "The Adventure");
    Write("abyss.Klu", "Abyss");
    WriteHintFileAt(Folder() + "quest.klu", test::OlderFileSpec("  A Quest"));
    WriteFile(Folder() + "notes.klu", "Just some notes\r\n");
    auto listing = List();
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title, "KLU Hint Files in " + Folder());
    EXPECT_EQ(listing->GetType(), SUBJECT);
    EXPECT_EQ(Titles(*listing), (Strings{"", "Abyss", "The Adventure", "Bard", "A Quest"}));
    EXPECT_EQ(Paths(*listing),
              (Strings{Folder() + "notes.klu", Folder() + "abyss.Klu", Folder() + "adv.KLU",
                       Folder() + "bard.klu", Folder() + "quest.klu"}));
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
    std::filesystem::create_directory(Folder() + "folder.klu");
    // Links count as what they lead to.
    Write("target.txt", "Linked");
    std::filesystem::create_symlink(Folder() + "target.txt", Folder() + "link.klu");
    std::filesystem::create_directory_symlink(Folder() + "folder.klu", Folder() + "dir.klu");
    std::filesystem::create_symlink(Folder() + "nothing", Folder() + "dangling.klu");
    EXPECT_EQ(ListedTitles(), (Strings{"Game", "Linked"}));

    // Written in reverse order; keys all "GAME, THE".
    Write("c.klu", "game, the", "more");
    Write("b.klu", "The Game", "more");
    Write("a.klu", "Game, The", "more");
    Write("0.klu", "Zork", "more");
    EXPECT_EQ(ListedTitles("more"), (Strings{"Game, The", "The Game", "game, the", "Zork"}));
}

TEST_F(FolderListing, CachedTitlesAreUsedForTheSameNameInAnyFolder) {
    Write("game.klu", "Original Title");
    Write("other.klu", "Other");
    Write("gone.klu", "Gone");
    List();
    // Replaced by a file with another title, by something that is no hint file at all, and
    // removed: no file is opened again, and the record of the one gone stays in the cache.
    Write("game.klu", "Replacement Title");
    WriteFile(Folder() + "other.klu", "garbage");
    std::filesystem::remove(Folder() + "gone.klu");
    EXPECT_EQ(ListedTitles(), (Strings{"Original Title", "Other"}));
    EXPECT_EQ(stats_.scanned, 0u);
    EXPECT_EQ(stats_.fromCache, 2u);
    EXPECT_EQ(stats_.recordsWritten, 0u);
    const TitleCache cache(Cache());
    EXPECT_EQ(cache.RecordCount(), 3u);
    ASSERT_NE(cache.Find("gone.klu"), nullptr);
    EXPECT_EQ(cache.Find("gone.klu")->fileTitle, "Gone");

    Write("GAME.KLU", "Second Folder's Game", "more");
    Write("new.klu", "New", "more");
    auto listing = List("more");
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(Titles(*listing), (Strings{"New", "Original Title"}));
    EXPECT_EQ(Paths(*listing)[1], Folder("more") + "GAME.KLU");
    EXPECT_EQ(stats_.scanned, 1u);
}

TEST_F(FolderListing, ADamagedCacheKeepsTheRecordsBeforeTheDamage) {
    Write("old.klu", "Old");
    List();
    const std::string intact = test::ReadFile(Cache());
    WriteFile(Cache(), intact + "broken.klu\r\nBroken\r\nnot a number\r\n");
    Write("broken.klu", "Broken For Real");
    Write("new.klu", "New");
    const Strings titles = {"Broken For Real", "New", "Old"};
    EXPECT_EQ(ListedTitles(), titles);
    EXPECT_EQ(stats_.fromCache, 1u);
    EXPECT_EQ(stats_.recordsWritten, 2u);
    // The new records read back intact: nothing is scanned the next time.
    EXPECT_EQ(ListedTitles(), titles);
    EXPECT_EQ(stats_.scanned, 0u);
    EXPECT_EQ(TitleCache(Cache()).RecordCount(), 3u);
}

TEST_F(FolderListing, WithoutAUsableCacheEveryFileIsScannedEachTime) {
    Write("game.klu", "Game");
    std::filesystem::create_directory(Cache());  // a folder where the cache file should be
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(ListedTitles(), Strings{"Game"});
        EXPECT_FALSE(stats_.cacheOpen);
        EXPECT_EQ(stats_.scanned, 1u);
        EXPECT_EQ(stats_.recordsWritten, 0u);
    }
}

TEST_F(FolderListing, AFolderPathGetsItsTrailingSlashAndOnlyAnUnreadableOneNoListing) {
    Write("game.klu", "Game");
    const std::string bare = root_ / "games";
    EXPECT_EQ(BuildFolderListing(root_ / "missing/", Cache()), nullptr);
    EXPECT_EQ(BuildFolderListing(Folder() + "game.klu/", Cache()), nullptr);
    EXPECT_FALSE(std::filesystem::exists(Cache()));  // nothing was touched
    EXPECT_TRUE(ListedTitles("more").empty());

    auto listing = BuildFolderListing(bare, Cache());
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->title, "KLU Hint Files in " + bare + "/");
    EXPECT_EQ(Paths(*listing), Strings{bare + "/game.klu"});
}

}  // namespace
}  // namespace klu
