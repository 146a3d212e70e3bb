// The profile: which lines of its text are sections and keys, how entries are changed, and on
// disk its defaults, the value limit, and writes that never lose the file.
#include "model/profile_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <tuple>

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
    // Accented letters of Windows-1252 fold too: "ÉTÉ" and "été".
    EXPECT_EQ(FindIn("[\xC9T\xC9]\nCl\xC9=1\n", "\xE9t\xE9", "cl\xE9"), "1");
    EXPECT_EQ(FindIn("\xEF\xBB\xBF[A]\nk=1\n[B]\r\nk=2\n[a]\nj=3", "a", "j"), "3");
}

TEST(ProfileTextFind, GarbageIsNoEntryAndLongLinesAreReadWhole) {
    const std::string bytes =
        "k=before any section\n[A]\nno equals sign\n;k=commented out\n[broken header\n"
        "k=still in A\n=no key\n\x01\xFF\x00junk\n"s +
        std::string(100000, '[') + "\nlong=" + std::string(100000, 'v');
    EXPECT_EQ(FindIn(bytes, "A", "k"), "still in A");
    EXPECT_EQ(FindIn(bytes, "broken header", "k"), std::nullopt);
    EXPECT_EQ(FindIn(bytes, "A", "no equals sign"), std::nullopt);
    EXPECT_EQ(FindIn(bytes, "A", ";k"), std::nullopt);
    EXPECT_EQ(FindIn(bytes, "A", "long"), std::string(100000, 'v'));
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

TEST(ProfileTextSet, RefusesEntriesThatCouldNotBeFoundAgain) {
    const std::string bytes = "[A]\r\na=1\r\n";
    for (const auto& [section, key, value] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"", "k", "v"},
             {"A", " ", "v"},
             {"A]", "k", "v"},
             {"A\n", "k", "v"},
             {"A", "k=1", "v"},
             {"A", "[k", "v"},
             {"A", ";k", "v"},
             {"A", "a", "carriage\rreturn"},
         }) {
        ProfileText text = ProfileText::Parse(bytes);
        EXPECT_FALSE(text.Set(section, key, value)) << section << "/" << key;
        EXPECT_EQ(text.Serialize(), bytes);
    }
    EXPECT_TRUE(ProfileText::CanStore(" A ", "C:\\HINTS\\GAME.KLU.48211", "1,2,"));
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

TEST(ProfileFileWrite, BadEntriesAreLeftOutAndGarbageStaysReadableAndWritable) {
    TempFolder folder;
    ProfileFile profile(folder / "p.ini");
    EXPECT_FALSE(profile.WriteProfileStrings({{"S", "bad=key", "1"}, {"S", "good", "2"}}));
    EXPECT_EQ(profile.ReadProfileString("S", "good", ""), "2");
    EXPECT_EQ(profile.ReadProfileString("S", "bad", "none"), "none");
    EXPECT_FALSE(profile.WriteProfileString("S", "k", "two\nlines"));
    EXPECT_EQ(profile.ReadProfileString("S", "k", "none"), "none");

    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    WriteFile(profile.Path(), garbage + "\n[S]\r\r\nk=1\n\n\r\n[");
    EXPECT_EQ(profile.ReadProfileString("S", "k", "none"), "1");
    ASSERT_TRUE(profile.WriteProfileString("S", "k", "2"));
    ASSERT_TRUE(profile.WriteProfileString("New", "n", "3"));
    EXPECT_EQ(profile.ReadProfileString("S", "k", ""), "2");
    EXPECT_EQ(profile.ReadProfileString("New", "n", ""), "3");
}

TEST(ProfileFileWrite, FollowsASymbolicLink) {
    TempFolder folder;
    WriteFile(folder / "real.ini", "[S]\nk=1\n");
    std::filesystem::create_symlink(folder / "real.ini", folder / "link.ini");
    ProfileFile profile(folder / "link.ini");
    ASSERT_TRUE(profile.WriteProfileString("S", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadFile(folder / "real.ini"), "[S]\r\nk=2\r\n");
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

TEST(ProfileFileFailure, AFileWeMayNotReadOrWriteIsLeftAlone) {
    TempFolder folder;
    if (!test::ReadOnlyFolderStopsWrites(folder.path()))
        GTEST_SKIP() << "permission bits do not stop this user (root)";
    const std::string path = folder / "KLUWIN.INI";
    WriteFile(path, "[S]\nk=1\n");
    ProfileFile profile(path);
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(profile.WriteProfileString("S", "k", "2"));
    ::chmod(path.c_str(), 0200);  // cannot be read: replacing it would lose its content
    EXPECT_FALSE(profile.WriteProfileString("S", "k", "2"));
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(ReadFile(path), "[S]\nk=1\n");
}

// A disk that fills up while the new file is written: the write stops with an error.
TEST(ProfileFileFailure, AWriteThatStopsHalfwayKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder / "KLUWIN.INI";
    const std::string old_bytes = "[S]\r\nk=1\r\n";
    WriteFile(path, old_bytes);
    ProfileFile profile(path);

    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit small = old_limit;
    small.rlim_cur = 4096;
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = profile.WriteProfileString("S", "k", std::string(10000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(path), old_bytes);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
}  // namespace klu
