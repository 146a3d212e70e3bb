// Settings: the "KLUWIN" section read with its defaults and parsing rules, and written back;
// the recent-file list of section "MRU" and how an open reorders it.
#include "model/store/settings.h"

#include <gtest/gtest.h>

#include "model/document/hint_document.h"
#include "model/store/recent_files.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
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

}  // namespace
}  // namespace klu
