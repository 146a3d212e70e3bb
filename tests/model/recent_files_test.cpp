// The recent-file list: its entries in section "MRU" and how an open reorders them.
#include "model/store/recent_files.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;
using test::WriteFile;
using Strings = std::vector<std::string>;

class RecentList : public ::testing::Test {
  protected:
    // The paths the menu shows, in order.
    Strings ShownPaths() const {
        Strings paths;
        for (const RecentFile& file : recent.Shown())
            paths.push_back(file.path);
        return paths;
    }
    TempFolder folder;
    ProfileFile profile{folder / "KLUWIN.INI"};
    RecentFiles recent{profile};
};

// Each opened file goes first, a file again in any case moves first, and a fifth pushes the
// oldest out; the list reads back from the profile.
TEST_F(RecentList, StartsEmptyAndTakesEachOpenedFileFirst) {
    EXPECT_EQ(RecentFiles::MenuText(0, "/hints/game.klu"), "&1 /hints/game.klu");
    EXPECT_EQ(RecentFiles::MenuText(3, "x"), "&4 x");
    EXPECT_EQ(recent.ShownCount(), 4);
    EXPECT_TRUE(recent.Shown().empty());
    for (const char* path : {"/a.klu", "/b.klu"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(ShownPaths(), (Strings{"/b.klu", "/a.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU0", ""), "/b.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU2", ""), "Default");
    for (int index : {2, 4, -1})
        EXPECT_EQ(recent.Entry(index), std::nullopt) << index;

    for (const char* path : {"/c.klu", "/A.KLU", "/A.KLU"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(ShownPaths(), (Strings{"/A.KLU", "/c.klu", "/b.klu"}));
    for (const char* path : {"/4.klu", "/5.klu"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(ShownPaths(), (Strings{"/5.klu", "/4.klu", "/A.KLU", "/c.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU3", ""), "/c.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU4", "absent"), "absent");
}

}  // namespace
}  // namespace klu
