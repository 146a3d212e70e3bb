// Settings: the "KLUWIN" section read with its defaults and parsing rules, and written back;
// the recent-file list of section "MRU" and how an open reorders it; hint memory: the key of a
// file, the string of revealed counts in tree order, and the counts kept from one run to the next.
#include <gtest/gtest.h>

#include "fuzz/seed_catalog.h"
#include "model/document/hint_document.h"
#include "model/store/hint_memory.h"
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
TEST(RecentList, StartsEmptyAndTakesEachOpenedFileFirst) {
    test::TempFolder folder;
    ProfileFile profile{folder / "KLUWIN.INI"};
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
    // The counts of a freshly loaded copy after its memory is restored.
    std::string Reopened() const {
        HintDocument again;
        if (!Open(again)) return "not loaded";
        RestoreHintMemory(profile, again, path);
        return HintMemoryString(*again.GetRoot());
    }
    // The counts after a string is applied to the open document.
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
