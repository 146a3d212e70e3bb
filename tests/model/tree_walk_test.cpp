// Regression: entries of a folder listing show as links (IsHunk) without being hunks; the tree
// walkers once cast every such child to a hunk and read past the object.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "model/file_bytes.h"
#include "model/file_info.h"
#include "model/meta_text_hunk.h"
#include "model/plain_text.h"
#include "model/search.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;

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

TEST(FileBytes, PipesAndFoldersAreRefusedWithoutWaiting) {
    TempFolder folder;
    const std::string pipe = folder / "pipe.klu";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<char> bytes;
    EXPECT_FALSE(ReadFileBytes(pipe, bytes));  // a blocking open would never return
    EXPECT_FALSE(ReadFileBytes(folder.path(), bytes));
    EXPECT_FALSE(ReadFileBytes(folder / "missing.klu", bytes));
}

}  // namespace
}  // namespace klu
