// The profile on disk: defaults, the value limit, and writes that never lose the file.
#include "model/profile_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

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
