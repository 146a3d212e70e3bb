// Settings: the "KLUWIN" section read with its defaults and parsing rules, and written back.
#include "model/settings.h"

#include <gtest/gtest.h>

#include "model/hint_document.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;

FontRecord Font(std::string face, int32_t points, int32_t weight, bool italic) {
    return FontRecord{std::move(face), points, weight, italic};
}

TEST(FontRecordText, ReadsEveryFieldAndAMissingCommaReadsTheSameTextAgain) {
    const FontRecord font = ParseFontRecord("Times New Roman,12,700,1");
    EXPECT_EQ(font, Font("Times New Roman", 12, 700, true));
    EXPECT_EQ(FormatFontRecord(font), "Times New Roman,12,700,1");
    const std::vector<std::pair<std::string, FontRecord>> cases = {
        {"Arial,10,400,0", Font("Arial", 10, 400, false)},
        {"Arial, -9,+400x,0", Font("Arial", -9, 400, false)},
        {"Arial", Font("Arial", 0, 0, false)},
        {"Arial,12", Font("Arial", 12, 12, false)},
        {"Arial,10,1", Font("Arial", 10, 1, true)},
        {"Arial,,,1", Font("Arial", 0, 0, true)},
        {"", Font("", 0, 0, false)},
        {",9,700,1,extra", Font("", 9, 700, false)},
        // The face keeps 31 characters.
        {std::string(40, 'F') + ",14,700,1", Font(std::string(31, 'F'), 14, 700, true)}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseFontRecord(text), expected) << text;
    EXPECT_EQ(FixedFontOf(font), Font("Courier New", 12, 700, true));
}

class SettingsProfile : public ::testing::Test {
  protected:
    Settings Load() const { return LoadSettings(profile, "/opt/kluwin/"); }
    void Store(const std::string& key, const std::string& value) {
        ASSERT_TRUE(profile.WriteProfileString("KLUWIN", key, value));
    }
    bool Save(const Settings& settings) { return SaveSettings(profile, settings, no_document, ""); }
    test::TempFolder folder;
    ProfileFile profile{folder / "KLUWIN.INI"};
    THintDocument no_document;
};

TEST_F(SettingsProfile, NoProfileGivesTheDefaultsAndASaveWritesTheFiveKeys) {
    const Settings settings = Load();
    EXPECT_EQ(settings.mainFont, Font("Arial", 10, 400, false));
    EXPECT_EQ(settings.fixedFont, Font("Courier New", 10, 400, false));
    EXPECT_TRUE(settings.showCounting);
    EXPECT_TRUE(settings.hintMemoryOn);
    EXPECT_EQ(settings.linkColor, 0x00FF0000u);  // blue
    EXPECT_EQ(settings.listFolder, "/opt/kluwin/");
    ASSERT_TRUE(Save(settings));
    EXPECT_EQ(ReadFile(profile.Path()),
              "[KLUWIN]\r\nMainFont=Arial,10,400,0\r\nCounting=On\r\nMemory=On\r\n"
              "TextColor=16711680\r\nInstallDir=/opt/kluwin/\r\n");
}

TEST_F(SettingsProfile, ChangedSettingsSurviveASaveAndALoad) {
    Settings settings = Load();
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

TEST_F(SettingsProfile, OnIsReadInAnyCaseAndAnythingElseIsOff) {
    Store("Counting", "on");
    Store("Memory", "Yes");
    Settings settings = Load();
    EXPECT_TRUE(settings.showCounting);
    EXPECT_FALSE(settings.hintMemoryOn);
    ASSERT_TRUE(Save(settings));
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "Counting", ""), "On");
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "Memory", ""), "Off");
}

TEST_F(SettingsProfile, TheLinkColourIsTheLeadingNumber) {
    for (const auto& [text, colour] : std::vector<std::pair<std::string, uint32_t>>{
             {"255", 0x000000FFu},       // red
             {"65280", 0x0000FF00u},     // green
             {"16711680", 0x00FF0000u},  // blue
             {"12abc", 12u},
             {"green", 0u},
             {"-1", 0xFFFFFFFFu},
         }) {
        Store("TextColor", text);
        EXPECT_EQ(Load().linkColor, colour) << text;
    }
    ASSERT_TRUE(Save(Load()));
    EXPECT_EQ(profile.ReadProfileString("KLUWIN", "TextColor", ""), "4294967295");
    EXPECT_EQ(Load().linkColor, 0xFFFFFFFFu);  // stable from one run to the next
}

TEST_F(SettingsProfile, AnUnwritableProfileIsReportedAndLoadingStillWorks) {
    ProfileFile nowhere(folder / "no/such/folder/KLUWIN.INI");
    const Settings settings = LoadSettings(nowhere, "/p/");
    EXPECT_EQ(settings.listFolder, "/p/");
    EXPECT_FALSE(SaveSettings(nowhere, settings, no_document, ""));
}

}  // namespace
}  // namespace klu
