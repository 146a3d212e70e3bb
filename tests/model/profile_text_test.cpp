// The text of a profile: which lines are sections and keys, and how entries are changed.
#include "model/profile_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace klu {
namespace {

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

}  // namespace
}  // namespace klu
