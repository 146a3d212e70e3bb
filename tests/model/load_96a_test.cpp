// The newer generation: hunk kinds, their bodies and the line number of every hunk, and the
// information block with its keys and the display text that Finish builds.
#include <gtest/gtest.h>

#include "model/checksum.h"
#include "model/hunk_reader.h"
#include "model/info_hunk.h"
#include "model/link_hunk.h"
#include "model/media_hunks.h"
#include "model/text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::ChildTexts;
using test::Items;
using test::LoadBytes;
using test::Tree;
using Strings = std::vector<std::string>;

// Root "Game" (lines 1-33):
//   3-7   HINT "Q1?"    two hints
//   8-16  NESTHINT "N1": "first", "=" LINK (12-14) to Q1, "-", "second"
//   17-27 HYPERPNG "Pic": data line 19, region 20, OVERLAY 21-23, region 24, TEXT 25-27
//   28-29 BLANK
//   30-33 FROB (unknown keyword) with two lines
// VERSION 34-36, INFO 37-39.
HintFilePlan EveryKind() {
    HintFilePlan plan;
    plan.title88 = "Game";
    plan.root = MakeSubject("Game");
    HintNode& root = *plan.root;
    HintNode* q1 = root.Add(MakeQuestion("Q1?", {{"A first hint that is long"}, {"second"}}));
    HintNode* nest = root.Add(MakeNode("NESTHINT", "N1"));
    nest->Line("first");
    nest->Add(MakeLink("see Q1", q1));
    nest->Separator().Line("second");
    HintNode* pic = root.Add(MakeData("HYPERPNG", "Pic", "PNGDATA"));
    auto overlay = MakeData("OVERLAY", "ov", "OVERLAYDATA");
    overlay->x = 3;
    overlay->y = 4;
    pic->AddRegion(0, 0, 10, 10, std::move(overlay));
    pic->AddRegion(5, 5, 20, 20, MakeText("T", {"Text body line one.", "Line two."}));
    root.Add(MakeBlank());
    root.Add(MakeNode("FROB", "x"))->Line("junk1").Line("junk2");
    plan.topLevel.push_back(MakeNode("VERSION", "1.0"));
    plan.topLevel.back()->Line("compiler 7");
    plan.topLevel.push_back(MakeNode("INFO", "info"));
    plan.topLevel.back()->Line("author=Ann Example");
    return plan;
}

TEST(Load96a, EveryKindOfHunkOnTheLineOfItsHeader) {
    const HintFilePlan plan = EveryKind();
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    ASSERT_EQ(doc.Count(), 4u);  // older root, newer root, version, info
    THunk* root = doc.GetRoot();
    EXPECT_EQ(root->lineCount, 33);
    EXPECT_EQ(Tree(*root),
              "SUBJECT Game@1{HINT Q1?@3{A first hint that is long|--|second}|"
              "NESTHINT N1@8{first|LINK see Q1@12|--|second}|"
              "HYPERPNG Pic@17{PNGOBJECT This is a graphic.@18{OVERLAY ov@21|"
              "TEXT T@25{Text body line one.|Line two.}}}|BLANK @28|UNKNOWN x@30}");
    EXPECT_EQ(Tree(*doc.Entry(2)), "VERHUNK 1.0@34{compiler 7}");
    EXPECT_EQ(Tree(*doc.Entry(3)),
              "INFO Game File Information@37{Author:|Ann Example| |KLU Version:|1.0| |"
              "Compiler Info:|compiler 7}");
    EXPECT_EQ(doc.Entry(2)->parent, root);
    // The writer agrees with the loader about where its nodes stand.
    EXPECT_EQ(LineNumberOf(plan, plan.topLevel[1].get()), 37);

    // The line before a separator ends; a link leads to the hunk on its target line.
    EXPECT_EQ(Items(root->FindByLine(3))->children[0]->hardBreak, 1);
    auto* link = dynamic_cast<TLinkHunk*>(root->FindByLine(12));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target(), root->FindByLine(3));
    EXPECT_EQ(link->parent, root->FindByLine(8));

    // The picture object holds the regions, its data and the overlay's, laid out in order.
    auto* object = dynamic_cast<TPNGObject*>(root->FindByLine(18));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->lineCount, 11);
    EXPECT_EQ(object->dataLength, 7);
    ASSERT_EQ(object->regions.size(), 2u);
    EXPECT_EQ(object->regions[1].left, 5);
    EXPECT_EQ(object->regions[1].bottom, 20);
    EXPECT_EQ(object->regions[0].target, object->children.at(0));
    auto* overlay = dynamic_cast<TOverlayHunk*>(object->children[0]);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->x, 3);
    EXPECT_EQ(overlay->y, 4);
    EXPECT_EQ(overlay->dataLength, 11);
    EXPECT_EQ(overlay->dataOffset, object->dataOffset + 7);
    // The text body comes from the data area; each line counts its CR LF and ends its line.
    auto* text = dynamic_cast<TTextHunk*>(root->FindByLine(25));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->length, 19 + 2 + 9 + 2);
    for (const TKLUObject* line : text->children)
        EXPECT_EQ(line->hardBreak, 1);
    EXPECT_EQ(text->GetDataEnd(), 0);
}

TEST(Load96a, PictureModeBuildsThePictureObjectDirectly) {
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(EveryKind()), doc, true), LoadOk);
    THunk* object = doc.GetRoot()->FindByLine(17);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(Tree(*object),
              "PNGOBJECT Pic@17{OVERLAY ov@21|TEXT T@25{Text body line one.|Line two.}}");
    EXPECT_EQ(object->parent, doc.GetRoot());
}

TEST(Load96a, KeywordsInAnyCaseAndDecimalThirdLineNumbers) {
    // Written by hand, its lines counted from the one after the older part: keywords in other
    // cases; the text hunk's numbers carry leading zeros, and the link after it is read in
    // decimal too (under the prefix rule 010 would be 8).
    std::string bytes =
        "KLU\r\nT\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n16 subject\r\nT\r\n"
        "3 Text\r\nTitle\r\n000 000002 000000 000000\r\n2 BLANK\r\n\r\n3 LINK\r\nback\r\n010\r\n"
        "3 BLANK\r\n\r\nignored\r\n3 cOmMeNt\r\nremark\r\nplain text\r\n\x1A";
    const uint16_t sum = StoredChecksum(bytes);
    bytes += static_cast<char>(sum & 0xFF);
    bytes += static_cast<char>(sum >> 8);
    THintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadOk);
    EXPECT_EQ(
        Tree(*doc.GetRoot()),
        "SUBJECT T@1{TEXT Title@3|BLANK @6|LINK back@8|BLANK @11|COMMENT remark@14{plain text}}");
    auto* text = dynamic_cast<TTextHunk*>(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->flags, 2);
    EXPECT_EQ(text->wrapMode, 2);
    EXPECT_EQ(dynamic_cast<TLinkHunk*>(Items(doc.GetRoot())->children.at(2))->targetLine, 10);
}

// Loads a file whose information hunk holds the given lines (none: no information hunk), with
// an optional version hunk before it, and gives the information hunk.
TInfoHunk* LoadInfo(THintDocument& doc, Strings lines, bool with_version = false) {
    HintFilePlan plan;
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
