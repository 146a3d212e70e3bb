// The profile: where it goes, its text's sections and keys, writes that never lose the file;
// and its users: the settings, the recent files of section "MRU", and hint memory.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <thread>

#include "fuzz/seed_catalog.h"
#include "model/document/hint_document.h"
#include "model/files/file_locations.h"
#include "model/files/whole_file.h"
#include "model/store/hint_memory.h"
#include "model/store/profile_file.h"
#include "model/store/profile_text.h"
#include "model/store/recent_files.h"
#include "model/store/settings.h"
#include "model/text/text_util.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

EnvironmentLookup Environment(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](const std::string& name) {
        auto found = variables.find(name);
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    };
}

// A home folder with the program's folder in it.
class FileLocationsChoice : public ::testing::Test {
  protected:
    FileLocationsChoice() { std::filesystem::create_directory(program); }
    TempFolder home;
    const std::string program = home / "program";
    const uid_t me = FileLocations::CurrentUser();
};

// Nothing is ever created beside the program, even in a folder it may write: the files go to
// the XDG folders, which are created.
TEST_F(FileLocationsChoice, WithoutFilesBesideTheProgramTheXdgFoldersAreCreatedAndUsed) {
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
TEST_F(FileLocationsChoice, OnlyTheUsersOwnFilesBesideTheProgramAreUsed) {
    WriteFile(program + "/KLUWIN.INI", "[MRU]\r\nMRU0=/root/secret.klu\r\n");
    WriteFile(program + "/VIRIDADO.DB", "");
    for (const uid_t user : {me, me + 1}) {
        const FileLocations locations(program, Environment({{"HOME", home.path()}}), user);
        EXPECT_EQ(locations.ProfileFolder(), user == me ? program + "/" : home / ".config/kluwin/");
        EXPECT_EQ(locations.CacheFolder(), user == me ? program + "/" : home / ".cache/kluwin/");
        EXPECT_EQ(locations.DefaultListFolder(), user == me ? program + "/" : home.path() + "/");
    }
    EXPECT_FALSE(std::filesystem::exists(home / ".config/kluwin/KLUWIN.INI"));
}

// A program whose folder it may no longer write keeps the settings and hint memory that the
// user's profile beside it held; a profile in the XDG folder is never replaced.
TEST_F(FileLocationsChoice, TheUsersOwnProfileBesideTheProgramStartsTheXdgOne) {
    const std::string kept = "[KLUWIN]\r\nCounting=Off\r\n";
    WriteFile(home / "old.ini", kept);
    EXPECT_FALSE(CarryProfileOver(home / "old.ini", home / "new.ini", me + 1));
    EXPECT_TRUE(CarryProfileOver(home / "old.ini", home / "new.ini", me));
    WriteFile(home / "old.ini", "[KLUWIN]\r\nCounting=On\r\n");
    EXPECT_FALSE(CarryProfileOver(home / "old.ini", home / "new.ini", me));
    EXPECT_EQ(ReadFile(home / "new.ini"), kept);

    WriteFile(program + "/KLUWIN.INI", kept);
    if (!test::ReadOnlyFolderStopsWrites(program))
        GTEST_SKIP() << "permission bits do not stop this user (root)";
    ::chmod(program.c_str(), 0555);
    const FileLocations locations(program, Environment({{"HOME", home.path()}}));
    ::chmod(program.c_str(), 0755);
    EXPECT_EQ(ReadFile(locations.ProfilePath()), kept);
}

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

TEST(ProfileFileRead, ValuesOfAnyLength) {
    TempFolder folder;
    const std::string long_value(30000, '7');
    const ProfileFile profile(folder.Write("p.ini", "[S]\nlong=" + long_value + "\n"));
    EXPECT_EQ(profile.ReadProfileString("S", "long", ""), long_value);
    EXPECT_EQ(profile.ReadProfileString("S", "none", long_value), long_value);
}

TEST(ProfileFileWrite, CrLfLinesKeepingWhatTheProgramDoesNotKnow) {
    TempFolder folder;
    ProfileFile profile(folder / "KLUWIN.INI");
    ASSERT_TRUE(profile.WriteProfileString("KLUWIN", "Counting", "Off"));
    EXPECT_EQ(ReadFile(profile.Path()), "[KLUWIN]\r\nCounting=Off\r\n");
    EXPECT_EQ(folder.EntryCount(), 2u);  // with its lock file; no temporary file left behind

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

// A profile in a missing folder, or a folder in its place: reading gives the defaults, and writing
// fails quietly and creates nothing.
TEST(ProfileFileFailure, NoFolderOrAFolderInTheWayGivesDefaultsAndFailsQuietly) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "KLUWIN.INI");
    for (const std::string& path : {folder / "missing/KLUWIN.INI", folder / "KLUWIN.INI"}) {
        ProfileFile profile(path);
        EXPECT_EQ(profile.ReadProfileString("KLUWIN", "Counting", "On"), "On") << path;
        EXPECT_FALSE(profile.WriteProfileString("S", "k", "1")) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "KLUWIN.INI"));
    EXPECT_EQ(folder.EntryCount(), 2u);  // and the lock file
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

// Readers writing at the same moment (a logout ends them together) each read the file again
// under the lock: no entry is lost.
TEST(ProfileFileWrite, WritesAtTheSameTimeLoseNoEntry) {
    TempFolder folder;
    const std::string path = folder / "KLUWIN.INI";
    const auto write_entries = [&path](const std::string& reader) {
        ProfileFile profile(path);
        for (int i = 0; i < 30; ++i)
            profile.WriteProfileString("Memory", reader + std::to_string(i), "1,");
    };
    std::thread first(write_entries, "a"), second(write_entries, "b");
    first.join();
    second.join();
    const std::optional<ProfileText> text = ProfileFile(path).ReadText();
    ASSERT_TRUE(text);
    int lost = 0;
    for (const char* reader : {"a", "b"}) {
        for (int i = 0; i < 30; ++i)
            lost += !text->Find("Memory", reader + std::to_string(i));
    }
    EXPECT_EQ(lost, 0);
}

// A link in the lock file's place, planted by someone who may write in the folder, creates
// nothing where it leads.
TEST(ProfileFileWrite, ALinkPlantedAsTheLockFileIsNotFollowed) {
    TempFolder folder;
    ProfileFile profile(folder / "KLUWIN.INI");
    std::filesystem::create_symlink(folder / "elsewhere", ProfileFile::LockPath(profile.Path()));
    EXPECT_TRUE(profile.WriteProfileString("S", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "elsewhere"));
}

// A profile that cannot be read for a while (a pipe in its place stands in for an I/O error)
// gives defaults, which must not be written over it once it can be read again.
class UnreadableProfile : public ::testing::Test {
  protected:
    UnreadableProfile() { EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0); }
    void ReadableAgain(const std::string& stored) {
        std::filesystem::remove(path);
        WriteFile(path, stored);
    }
    TempFolder folder;
    const std::string path = folder / "KLUWIN.INI";
    ProfileFile profile{path};
    HintDocument none;
};

TEST_F(UnreadableProfile, DefaultsReadInAFailureNeverReplaceTheEntries) {
    Settings settings = LoadSettings(profile, "/p/");
    RecentFiles recent(profile);
    EXPECT_FALSE(recent.Add("/games/b.klu"));
    ReadableAgain("[KLUWIN]\r\nCounting=Off\r\n[MRU]\r\nMRU0=/games/a.klu\r\n");
    EXPECT_TRUE(recent.Add("/games/c.klu"));
    EXPECT_TRUE(SaveSettings(profile, settings, none, ""));
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "Counting", ""), "Off");
    EXPECT_EQ(recent.Entry(0), "/games/c.klu");
    EXPECT_EQ(recent.Entry(1), "/games/a.klu");
}

// A folder chosen meanwhile is written, and so is the default chosen again after it.
TEST_F(UnreadableProfile, AListingFolderChosenAfterAFailedReadIsWrittenEachTimeItChanges) {
    Settings settings = LoadSettings(profile, "/p/");
    ReadableAgain("[KLUWIN]\r\nInstallDir=/old/\r\n");
    for (const char* chosen : {"/chosen/", "/p/"}) {
        settings.listFolder = chosen;
        EXPECT_TRUE(SaveSettings(profile, settings, none, ""));
        EXPECT_EQ(profile.ReadProfileString("KLUWIN", "InstallDir", ""), chosen);
    }
}

// Files left by replacements whose process was killed before the rename go at the next start;
// those of a process that still runs, and other files, stay.
TEST(ProfileFileFailure, StaleTemporaryFilesOfEndedProcessesAreRemoved) {
    TempFolder folder;
    const std::string path = folder / "KLUWIN.INI";
    const std::string ended = path + ".~2147483646-0";  // beyond any PID the kernel gives
    const std::string running = path + ".~" + std::to_string(::getpid()) + "-3";
    const std::string tagged = path + ".~2147483646-9f3a0c71b2e4";
    for (const std::string& name : {path, ended, ended + "1", tagged, running, path + ".~x-1"})
        WriteFile(name, "[S]\n");
    EXPECT_EQ(RemoveStaleTemporaries(path), 3);
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_EQ(folder.EntryCount(), 3u);
}

using Strings = std::vector<std::string>;

FontRecord Font(std::string face, int32_t points, int32_t weight, bool italic) {
    return FontRecord{std::move(face), points, weight, italic};
}

TEST(FontRecordText, ReadsEveryFieldAndAMissingCommaReadsTheSameTextAgain) {
    const FontRecord font = ParseFontRecord("Times New Roman,12,700,1");
    EXPECT_EQ(font, Font("Times New Roman", 12, 700, true));
    EXPECT_EQ(FormatFontRecord(font), "Times New Roman,12,700,1");
    const std::vector<std::pair<std::string, FontRecord>> cases = {
        {"Arial,12", Font("Arial", 12, 12, false)},
        // The face keeps 31 characters.
        {std::string(40, 'F') + ",14,700,1", Font(std::string(31, 'F'), 14, 700, true)}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseFontRecord(text), expected) << text;
    EXPECT_EQ(FixedFontOf(font), Font("Courier New", 12, 700, true));
}

class SettingsProfile : public ::testing::Test {
  protected:
    Settings Load() const { return LoadSettings(profile, "/opt/kluwin/"); }
    bool Save(Settings& settings) { return SaveSettings(profile, settings, no_document, ""); }
    test::TempFolder folder;
    ProfileFile profile{folder / "KLUWIN.INI"};
    HintDocument no_document;
};

// No profile gives the defaults (no font: the desktop's) and a save writes five keys, none of
// them a font; changed settings come back.
TEST_F(SettingsProfile, DefaultsWithoutAProfileAndChangedSettingsSurviveASaveAndALoad) {
    Settings settings = Load();
    EXPECT_EQ(settings.mainFont, FontRecord{});
    EXPECT_EQ(settings.fixedFont, Font("Courier New", 0, 0, false));
    EXPECT_TRUE(settings.showCounting);
    EXPECT_TRUE(settings.hintMemoryOn);
    EXPECT_EQ(settings.linkColor, 0x00FF0000u);  // blue
    EXPECT_EQ(settings.listFolder, "/opt/kluwin/");
    ASSERT_TRUE(Save(settings));
    EXPECT_EQ(ReadFile(profile.Path()),
              "[KLUWIN]\r\nCounting=On\r\nMemory=On\r\n"
              "TextColor=16711680\r\nInstallDir=/opt/kluwin/\r\nLayout=Tabs\r\n");

    settings.mainFont = Font("Times New Roman", 12, 700, true);
    settings.fixedFont = FixedFontOf(settings.mainFont);
    settings.showCounting = false;
    settings.hintMemoryOn = false;
    settings.linkColor = 0x000080FF;
    settings.listFolder = "/home/player/hints";
    ASSERT_TRUE(Save(settings));
    const Settings loaded = LoadSettings(profile, "/elsewhere/");
    EXPECT_EQ(loaded.mainFont, settings.mainFont);
    EXPECT_EQ(loaded.fixedFont, Font("Courier New", 12, 700, true));
    EXPECT_FALSE(loaded.showCounting);
    EXPECT_FALSE(loaded.hintMemoryOn);
    EXPECT_EQ(loaded.linkColor, 0x000080FFu);
    EXPECT_EQ(loaded.listFolder, "/home/player/hints");
}

// Two readers share the profile: a save writes only what its reader changed, never the value
// it read before another reader changed it.
TEST_F(SettingsProfile, TwoReadersSavingInTurnKeepEachOthersChanges) {
    Settings first = Load();
    Settings second = Load();
    first.showCounting = false;
    second.linkColor = 255;
    ASSERT_TRUE(Save(first));
    ASSERT_TRUE(Save(second));
    const Settings both = Load();
    EXPECT_FALSE(both.showCounting);
    EXPECT_EQ(both.linkColor, 255u);
}

// Each opened file goes first, a file again in any case moves first, and a fifth pushes the
// oldest out; the list reads back from the profile.
using RecentList = SettingsProfile;

TEST_F(RecentList, StartsEmptyAndTakesEachOpenedFileFirst) {
    RecentFiles recent{profile};
    const auto shown = [&recent] {
        Strings paths;
        for (const RecentFile& file : recent.Shown())
            paths.push_back(file.path);
        return paths;
    };
    EXPECT_EQ(RecentFiles::MenuText(0, "/hints/game.klu"), "&1 /hints/game.klu");
    EXPECT_EQ(RecentFiles::MenuText(3, "x"), "&4 x");
    EXPECT_EQ(recent.ShownCount(), 4);
    EXPECT_TRUE(recent.Shown().empty());
    for (const char* path : {"/a.klu", "/b.klu"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(shown(), (Strings{"/b.klu", "/a.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU0", ""), "/b.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU2", ""), "Default");
    for (int index : {2, 4, -1})
        EXPECT_EQ(recent.Entry(index), std::nullopt) << index;
    for (const char* path : {"/c.klu", "/A.KLU", "/A.KLU"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(shown(), (Strings{"/A.KLU", "/c.klu", "/b.klu"}));
    for (const char* path : {"/4.klu", "/5.klu"})
        ASSERT_TRUE(recent.Add(path));
    EXPECT_EQ(shown(), (Strings{"/5.klu", "/4.klu", "/A.KLU", "/c.klu"}));
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU3", ""), "/c.klu");
    EXPECT_EQ(profile.ReadProfileString("MRU", "MRU4", "absent"), "absent");
}

TEST(MemoryKeyText, IsThePathADotAndTheLengthMeasuredByOpeningTheFile) {
    EXPECT_EQ(MemoryKey("C:\\HINTS\\GAME.KLU", 48211), "C:\\HINTS\\GAME.KLU.48211");
    TempFolder folder;
    WriteFile(folder / "five.klu", "12345");
    EXPECT_EQ(MemoryKeyOf(folder / "five.klu"), folder / "five.klu.5");
    EXPECT_EQ(MemoryKeyOf(folder / "none.klu"), folder / "none.klu.-1");
    EXPECT_EQ(MeasureFileLength(folder.path()), -1);
}

// Three questions, saved in this order: "First?" (3 hints) in a subject, a nested hint (1 hint:
// a separator on its first body line is ignored) holding "Inner?" (1 hint).
class RememberedFile : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(path, FileBytes("Memory Test"));
        ASSERT_TRUE(Open(document));
    }
    static std::string FileBytes(const std::string& title) {
        HintFilePlan plan = seeds::NewerFile(title);
        plan.root->Add(MakeSubject("Chapter"))->Add(MakeQuestion("First?", {{"a"}, {"b"}, {"c"}}));
        HintNode* nest = plan.root->Add(MakeNode("NESTHINT", "Nested"));
        nest->Separator().Line("only hint");
        nest->Add(MakeQuestion("Inner?", {{"x"}}));
        return test::WriteOrFail(plan);
    }
    bool Open(HintDocument& into) const { return test::LoadFileAt(path, into) && into.GetRoot(); }
    std::string Reopened() const {
        HintDocument again;
        if (!Open(again)) return "not loaded";
        RestoreHintMemory(profile, again, path);
        return HintMemoryString(*again.GetRoot());
    }
    std::string Applied(const std::string& memory) {
        ApplyHintMemory(*document.GetRoot(), memory);
        return HintMemoryString(*document.GetRoot());
    }
    Hunk& Question(const char* name) const { return *document.GetRoot()->FindByName(name); }
    std::string Stored() const {
        return profile.ReadProfileString("Memory", MemoryKeyOf(path), "");
    }

    TempFolder folder;
    std::string path = folder / "Game.klu";
    ProfileFile profile{folder / "KLUWIN.INI"};
    HintDocument document;
};

TEST_F(RememberedFile, CountsComeBackWhenTheFileIsOpenedAgain) {
    EXPECT_EQ(Reopened(), "0,0,0,");
    Question("First?").SetRevealed(2);
    Question("Inner?").SetRevealed(1);
    ASSERT_TRUE(SaveHintMemory(profile, document, path));
    EXPECT_EQ(Stored(), "2,0,1,");
    EXPECT_EQ(Reopened(), "2,0,1,");
    // Saving the settings keeps the memory of the current file, zeros after a reset too.
    Question("First?").SetRevealed(3);
    Settings settings = LoadSettings(profile, "/p/");
    ASSERT_TRUE(SaveSettings(profile, settings, document, path));
    EXPECT_EQ(Reopened(), "3,0,1,");
    document.GetRoot()->ResetState();
    ASSERT_TRUE(SaveSettings(profile, settings, document, path));
    EXPECT_EQ(Stored(), "0,0,0,");
}

TEST_F(RememberedFile, ShortLongCommalessAndInvalidStrings) {
    EXPECT_EQ(Applied("3,"), "3,0,0,");                 // the rest stays 0
    EXPECT_EQ(Applied("1,1,1,3,3,garbage"), "1,1,1,");  // the surplus is ignored
    // A value cut short (its comma gone) counts for nothing, nor does what follows it.
    EXPECT_EQ(Applied("3,1"), "3,0,0,");
    EXPECT_EQ(Applied("3,x,1,"), "3,0,1,");
    // A count beyond a question's hints, or below zero, resets every count; letters read as 0.
    EXPECT_EQ(Applied("2,1,5,"), "0,0,0,");  // a count beyond a question's hints resets all
    Question("First?").SetRevealed(2);
    EXPECT_EQ(Applied(""), "2,0,0,");  // nothing stored changes nothing
}

// Far more questions than 2,047 characters of memory hold: every count comes back.
TEST_F(RememberedFile, EveryCountOfAThousandsOfQuestionsFileComesBack) {
    HintFilePlan plan = seeds::NewerFile("Large");
    for (int i = 0; i < 1500; ++i)
        plan.root->Add(MakeQuestion("Q" + std::to_string(i) + "?", {{"a"}, {"b"}, {"c"}}));
    WriteFile(path, test::WriteOrFail(plan));
    HintDocument large;
    ASSERT_TRUE(Open(large));
    for (int i = 0; i < 1500; ++i)
        large.GetRoot()->FindByName("Q" + std::to_string(i) + "?")->SetRevealed(i % 3 + 1);
    const std::string saved = HintMemoryString(*large.GetRoot());
    ASSERT_GT(saved.size(), 2047u);
    ASSERT_TRUE(SaveHintMemory(profile, large, path));
    EXPECT_EQ(Reopened(), saved);
}

}  // namespace
}  // namespace klu
