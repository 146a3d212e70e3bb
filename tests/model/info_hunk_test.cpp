// The information block: its keys and the display text that Finish builds.
#include "model/info_hunk.h"

#include <gtest/gtest.h>

#include "model/hunk_reader.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::ChildTexts;
using Strings = std::vector<std::string>;

// Loads a file whose information hunk holds the given lines (none: no information hunk), with
// an optional version hunk before it, and gives the information hunk.
TInfoHunk* LoadInfo(THintDocument& doc, Strings lines, bool with_version = false) {
    HintFileSpec plan;
    plan.root = MakeSubject("The Game");
    if (with_version) {
        plan.topLevel.push_back(MakeNode("VERSION", "96a"));
        plan.topLevel.back()->Line("made by hand").Line("second line");
    }
    if (!lines.empty()) {
        plan.topLevel.push_back(MakeNode("INFO", "ignored title"));
        for (auto& line : lines)
            plan.topLevel.back()->Line(std::move(line));
    }
    EXPECT_EQ(test::LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    return dynamic_cast<TInfoHunk*>(doc.FindByType(INFO));
}

TEST(InfoHunk, KeysInAnyCaseAtTheStartOfTheLineTheLastOneWinning) {
    THintDocument doc;
    TInfoHunk* info = LoadInfo(doc, {"AUTHOR=Ann", " publisher=Spaced", "publisher =Also not",
                                     "Publisher=Games Inc", "author=Bob"});
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->author, "Bob");
    EXPECT_EQ(info->publisher, "Games Inc");
    EXPECT_EQ(ChildTexts(*info),
              (Strings{"Author:", "Bob", " ", "Game Publisher:", "Games Inc", " "}));
    EXPECT_EQ(info->children[0]->hardBreak, 1);
    EXPECT_EQ(info->title, "The Game File Information");
}

TEST(InfoHunk, ListsKeepFileOrderAndTimeCreatedNeedsBothDateAndTime) {
    THintDocument doc;
    TInfoHunk* info = LoadInfo(doc, {"copyright=1996 One", "copyright=game-note=Two",
                                     "author-note=Likes ## signs", "copyright=Three"});
    ASSERT_NE(info, nullptr);
    // A value may hold a later key; "##" is one "#".
    EXPECT_EQ(ChildTexts(*info),
              (Strings{"Copyright:", "1996 One", "game-note=Two", "Three", " ",
                       "About the Author:", "Likes # signs", " ", "About the Game:", "Two", " "}));
    THintDocument only_date;
    EXPECT_TRUE(LoadInfo(only_date, {"date=1 May 1996"})->children.empty());
    THintDocument both;
    EXPECT_EQ(ChildTexts(*LoadInfo(both, {"time=12:00", "date=1 May 1996"})),
              (Strings{"Time Created:", "1 May 1996 12:00", " "}));
}

int32_t LengthOf(const std::string& line) {
    const std::string body = "title\r\n" + line + "\r\n";
    HintStream stream(std::vector<char>(body.begin(), body.end()));
    HunkReader reader(stream, false);
    return TInfoHunk(reader, 3, nullptr).infoLength;
}

TEST(InfoHunk, LengthTakesTheLeadingNumber) {
    EXPECT_EQ(LengthOf("length= +1234 bytes"), 1234);
    EXPECT_EQ(LengthOf("LENGTH=-5"), -5);
    EXPECT_EQ(LengthOf("length=about 40"), 0);
    EXPECT_EQ(LengthOf("length=99999999999"), INT32_MAX);
    EXPECT_EQ(LengthOf("the length=40"), 0);
}

TEST(InfoHunk, FileWithoutInfoGetsAnEmptyOneShowingTheVersion) {
    THintDocument doc;
    TInfoHunk* info = LoadInfo(doc, {}, true);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(doc.Entry(doc.Count() - 1), info);
    EXPECT_EQ(ChildTexts(*info), (Strings{"KLU Version:", "96a", " ",
                                          "Compiler Info:", "made by hand", "second line"}));
    EXPECT_EQ(info->title, "The Game File Information");

    THintDocument bare;
    TInfoHunk* empty = LoadInfo(bare, {"nothing=known"});
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->children.empty());
}

}  // namespace
}  // namespace klu
