// Where the profile and the title cache go: a portable copy beside the program, else the XDG
// folders.
#include "model/files/file_locations.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// An environment made of the given variables only.
EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](const std::string& name) {
        auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    };
}

// Nothing is ever created beside the program, even in a folder it may write: the files go to
// the XDG folders, which are created.
TEST(FileLocationsChoice, WithoutFilesBesideTheProgramTheXdgFoldersAreCreatedAndUsed) {
    TempFolder home;
    const std::string program = home / "program";
    std::filesystem::create_directory(program);
    const FileLocations locations(program, Environment({{"HOME", home.path()},
                                                        {"XDG_CONFIG_HOME", home / "config"},
                                                        {"XDG_CACHE_HOME", home / "cache/"}}));
    EXPECT_FALSE(locations.BesideProgram());
    EXPECT_EQ(locations.ProfilePath(), home / "config/kluwin/KLUWIN.INI");
    EXPECT_EQ(locations.TitleCachePath(), home / "cache/kluwin/VIRIDADO.DB");
    EXPECT_TRUE(std::filesystem::is_directory(home / "config/kluwin"));
    EXPECT_TRUE(std::filesystem::is_directory(home / "cache/kluwin"));
    EXPECT_TRUE(std::filesystem::is_empty(program));
    // Hint files are looked for at home, not among the programs.
    EXPECT_EQ(locations.DefaultListFolder(), home.path() + "/");
}

// Files beside the program are used in place only when they are the user's own (a portable
// copy); another user's (root's, beside an installed reader) are neither used nor copied.
TEST(FileLocationsChoice, OnlyTheUsersOwnFilesBesideTheProgramAreUsed) {
    TempFolder home;
    const std::string program = home / "program";
    std::filesystem::create_directory(program);
    WriteFile(program + "/KLUWIN.INI", "[MRU]\r\nMRU0=/root/secret.klu\r\n");
    WriteFile(program + "/VIRIDADO.DB", "");
    const uid_t me = FileLocations::CurrentUser();
    for (const uid_t user : {me, me + 1}) {
        const FileLocations locations(program, Environment({{"HOME", home.path()}}), user);
        const std::string expected = user == me ? program + "/" : home / ".config/kluwin/";
        EXPECT_EQ(locations.ProfileFolder(), expected) << user;
        EXPECT_EQ(locations.CacheFolder(), user == me ? program + "/" : home / ".cache/kluwin/");
        EXPECT_EQ(locations.DefaultListFolder(), user == me ? program + "/" : home.path() + "/");
    }
    EXPECT_FALSE(std::filesystem::exists(home / ".config/kluwin/KLUWIN.INI"));
}

// A program whose folder it may no longer write keeps the settings and hint memory that the
// user's profile beside it held; a profile in the XDG folder is never replaced.
TEST(FileLocationsChoice, TheUsersOwnProfileBesideTheProgramStartsTheXdgOne) {
    TempFolder home;
    const std::string kept = "[KLUWIN]\r\nCounting=Off\r\n";
    const uid_t me = FileLocations::CurrentUser();
    WriteFile(home / "old.ini", kept);
    EXPECT_FALSE(CarryProfileOver(home / "old.ini", home / "new.ini", me + 1));
    EXPECT_TRUE(CarryProfileOver(home / "old.ini", home / "new.ini", me));
    WriteFile(home / "old.ini", "[KLUWIN]\r\nCounting=On\r\n");
    EXPECT_FALSE(CarryProfileOver(home / "old.ini", home / "new.ini", me));
    EXPECT_EQ(ReadFile(home / "new.ini"), kept);

    const std::string program = home / "program";
    std::filesystem::create_directory(program);
    WriteFile(program + "/KLUWIN.INI", kept);
    if (!test::ReadOnlyFolderStopsWrites(program))
        GTEST_SKIP() << "permission bits do not stop this user (root)";
    ::chmod(program.c_str(), 0555);
    const FileLocations locations(program, Environment({{"HOME", home.path()}}));
    ::chmod(program.c_str(), 0755);
    EXPECT_EQ(ReadFile(locations.ProfilePath()), kept);
}

}  // namespace
}  // namespace klu
