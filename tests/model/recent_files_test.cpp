// The recent-file list: its entries in section "MRU" and how an open reorders them.
#include "model/recent_files.h"

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

TEST_F(RecentList, StartsEmptyAndTakesEachOpenedFileFirst) {
    EXPECT_EQ(RecentFiles::MenuText(0, "/hints/game.klu"), "&1 /hints/game.klu");
    EXPECT_EQ(RecentFiles::MenuText(3, "x"), "&4 x");
    EXPECT_EQ(recent.ShownCount(), 4);
    EXPECT_TRUE(recent.Shown().empty());
    ASSERT_TRUE(recent.Add("/a.klu"));
    ASSERT_TRUE(recent.Add("/b.klu"));
    EXPECT_EQ(ShownPaths(), (Strings{"/b.klu", "/a.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU0", ""), "/b.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU2", ""), "Default");
    EXPECT_EQ(recent.Entry(2), std::nullopt);
    EXPECT_EQ(recent.Entry(4), std::nullopt);
    EXPECT_EQ(recent.Entry(-1), std::nullopt);
}

TEST_F(RecentList, AFileAgainInAnyCaseMovesFirstAndAFifthPushesTheOldestOut) {
    for (const char* path : {"/a.klu", "/b.klu", "/c.klu"})
        ASSERT_TRUE(recent.Add(path));
    ASSERT_TRUE(recent.Add("/A.KLU"));
    EXPECT_EQ(ShownPaths(), (Strings{"/A.KLU", "/c.klu", "/b.klu"}));
    ASSERT_TRUE(recent.Add("/A.KLU"));
    EXPECT_EQ(ShownPaths(), (Strings{"/A.KLU", "/c.klu", "/b.klu"}));
    for (const char* path : {"/4.klu", "/5.klu"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(ShownPaths(), (Strings{"/5.klu", "/4.klu", "/A.KLU", "/c.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU3", ""), "/c.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU4", "absent"), "absent");
}

}  // namespace
}  // namespace klu
