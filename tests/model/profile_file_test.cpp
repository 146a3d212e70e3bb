// The profile: which lines of its text are sections and keys, how entries are changed, and on
// disk its defaults, the value limit, and writes that never lose the file.
#include "model/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/profile_text.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using namespace std::string_literals;

std::optional<std::string> FindIn(std::string_view bytes, std::string_view section,
                                  std::string_view key) {
    return ProfileText::Parse(bytes).Find(section, key);
}

TEST(ProfileTextFind, NamesMatchWithoutRegardToCaseOrBlanksAndTheFirstKeyWins) {
    const std::string bytes =
        "[KLUWIN]\r\nMainFont=Arial=x\r\n  Counting =  Off  \r\nCOUNTING=On\n";
    EXPECT_EQ(FindIn(bytes, "kluwin", "MAINFONT"), "Arial=x");
    EXPECT_EQ(FindIn(bytes, " KluWin ", "counting"), "Off");
    EXPECT_EQ(FindIn(bytes, "KLUWIN", "Memory"), std::nullopt);
    EXPECT_EQ(FindIn(bytes, "MRU", "MainFont"), std::nullopt);
    EXPECT_EQ(FindIn("\xEF\xBB\xBF[A]\nk=1\n[B]\r\nk=2\n[a]\nj=3", "a", "j"), "3");
}

TEST(ProfileTextSet, ChangesOneLineAndKeepsEverythingElseInOrder) {
    ProfileText text = ProfileText::Parse(
        "; kept\n[Other]\nx = 1\n[KLUWIN]\nCOUNTING=On\nCounting=Later\n; note\n\n[Tail]\ny=2\n"
        "[kluwin]\nz=3");
    ASSERT_TRUE(text.Set("kluwin", "counting", "Off"));  // the key keeps its spelling
    ASSERT_TRUE(text.Set("KLUWIN", "Memory", "On"));     // at the end of the first section
    ASSERT_TRUE(text.Set("MRU", "MRU0", "/a.klu"));      // a new section at the end
    EXPECT_EQ(text.Serialize(),
              "; kept\r\n[Other]\r\nx = 1\r\n[KLUWIN]\r\nCOUNTING=Off\r\nCounting=Later\r\n"
              "; note\r\nMemory=On\r\n\r\n[Tail]\r\ny=2\r\n[kluwin]\r\nz=3\r\n\r\n[MRU]\r\n"
              "MRU0=/a.klu\r\n");
    const ProfileText again = ProfileText::Parse(text.Serialize());
    EXPECT_EQ(again.Serialize(), text.Serialize());
    EXPECT_EQ(again.Find("kluwin", "memory"), "On");
}

TEST(ProfileFileRead, DefaultsForAMissingFileOrAFolderAndAtMost2047Characters) {
    TempFolder folder;
    EXPECT_EQ(ProfileFile(folder / "KLUWIN.INI").ReadProfileString("KLUWIN", "Counting", "On"),
              "On");
    EXPECT_EQ(ProfileFile(folder.path()).ReadProfileString("KLUWIN", "Counting", "On"), "On");

    const std::string long_value(3000, '7');
    WriteFile(folder / "p.ini",
              "[S]\nlong=" + long_value + "\nexact=" + std::string(2047, 'e') + "\n");
    const ProfileFile profile(folder / "p.ini");
    EXPECT_EQ(profile.ReadProfileString("S", "long", ""), std::string(2047, '7'));
    EXPECT_EQ(profile.ReadProfileString("S", "exact", ""), std::string(2047, 'e'));
    EXPECT_EQ(profile.ReadProfileString("S", "none", long_value), std::string(2047, '7'));
}

TEST(ProfileFileWrite, CrLfLinesKeepingWhatTheProgramDoesNotKnow) {
    TempFolder folder;
    ProfileFile profile(folder / "KLUWIN.INI");
    ASSERT_TRUE(profile.WriteProfileString("KLUWIN", "Counting", "Off"));
    EXPECT_EQ(ReadFile(profile.Path()), "[KLUWIN]\r\nCounting=Off\r\n");
    EXPECT_EQ(folder.EntryCount(), 1u);  // no temporary file left behind

    WriteFile(profile.Path(),
              "[Other Program]\nfoo=bar\n; a comment\n[KLUWIN]\nUnknown=1\nCounting=On\n"
              "garbage line\n[MRU]\nMRU0=/a.klu\n");
    ASSERT_TRUE(profile.WriteProfileStrings({{"KLUWIN", "Counting", "Off"},
                                             {"KLUWIN", "Memory", "Off"},
                                             {"Memory", "/a.klu.12", "1,"}}));
    EXPECT_EQ(ReadFile(profile.Path()),
              "[Other Program]\r\nfoo=bar\r\n; a comment\r\n[KLUWIN]\r\nUnknown=1\r\n"
              "Counting=Off\r\ngarbage line\r\nMemory=Off\r\n[MRU]\r\nMRU0=/a.klu\r\n\r\n"
              "[Memory]\r\n/a.klu.12=1,\r\n");
}

TEST(ProfileFileFailure, NoFolderOrAFolderInTheWayFailsQuietly) {
    TempFolder folder;
    ProfileFile in_missing_folder(folder / "missing/KLUWIN.INI");
    EXPECT_FALSE(in_missing_folder.WriteProfileString("S", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

    std::filesystem::create_directory(folder / "KLUWIN.INI");
    ProfileFile a_folder(folder / "KLUWIN.INI");
    EXPECT_FALSE(a_folder.WriteProfileString("S", "k", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "KLUWIN.INI"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(ProfileFileFailure, AReadOnlyFolderKeepsTheOldFile) {
    TempFolder folder;
    if (!test::ReadOnlyFolderStopsWrites(folder.path()))
        GTEST_SKIP() << "permission bits do not stop this user (root)";
    WriteFile(folder / "KLUWIN.INI", "[S]\nk=1\n");
    ::chmod(folder.path().c_str(), 0555);
    ProfileFile profile(folder / "KLUWIN.INI");
    EXPECT_FALSE(profile.WriteProfileString("S", "k", "2"));
    EXPECT_EQ(profile.ReadProfileString("S", "k", ""), "1");
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(ReadFile(folder / "KLUWIN.INI"), "[S]\nk=1\n");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace klu
