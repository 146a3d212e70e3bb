// Where the profile and the title cache go: beside the program, or in the XDG folders.
#include "model/file_locations.h"

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

TEST(FileLocationsChoice, AWritableProgramFolderHoldsBothFiles) {
    TempFolder program;
    const FileLocations locations(program.path(), Environment({{"HOME", "/nonexistent"}}));
    EXPECT_TRUE(locations.BesideProgram());
    EXPECT_EQ(locations.ProfilePath(), program / "KLUWIN.INI");
    EXPECT_EQ(locations.TitleCachePath(), program / "VIRIDADO.DB");
    EXPECT_EQ(locations.DefaultListFolder(), program.path() + "/");
}

// A program folder that does not exist cannot be written, also by root.
TEST(FileLocationsChoice, OtherwiseTheXdgFoldersAreCreatedAndUsed) {
    TempFolder home;
    const std::string program = home / "no-such-program-folder";
    const FileLocations locations(program, Environment({{"HOME", home.path()},
                                                        {"XDG_CONFIG_HOME", home / "config"},
                                                        {"XDG_CACHE_HOME", home / "cache/"}}));
    EXPECT_FALSE(locations.BesideProgram());
    EXPECT_EQ(locations.ProfilePath(), home / "config/kluwin/KLUWIN.INI");
    EXPECT_EQ(locations.TitleCachePath(), home / "cache/kluwin/VIRIDADO.DB");
    EXPECT_TRUE(std::filesystem::is_directory(home / "config/kluwin"));
    EXPECT_TRUE(std::filesystem::is_directory(home / "cache/kluwin"));
    // Hint files are looked for at home, not among the installed programs.
    EXPECT_EQ(locations.DefaultListFolder(), home.path() + "/");
}

// A program whose folder it may no longer write keeps the settings and hint memory that a
// profile beside it held; a profile in the XDG folder is never replaced.
TEST(FileLocationsChoice, AProfileBesideTheProgramStartsTheXdgOne) {
    TempFolder home;
    const std::string kept = "[KLUWIN]\r\nCounting=Off\r\n";
    WriteFile(home / "old.ini", kept);
    EXPECT_TRUE(CarryProfileOver(home / "old.ini", home / "new.ini"));
    WriteFile(home / "old.ini", "[KLUWIN]\r\nCounting=On\r\n");
    EXPECT_FALSE(CarryProfileOver(home / "old.ini", home / "new.ini"));
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
