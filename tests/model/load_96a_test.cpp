// The newer generation: hunk kinds, their bodies and the line number of every hunk.
#include <gtest/gtest.h>

#include "model/checksum.h"
#include "model/decode.h"
#include "model/filler_hunks.h"
#include "model/info_hunk.h"
#include "model/link_hunk.h"
#include "model/media_hunks.h"
#include "model/meta_text_hunk.h"
#include "model/text_hunk.h"
#include "model_test_support.h"

namespace klu {
using namespace std::string_literals;
namespace {

using test::ChildTexts;
using test::Items;
using test::LoadBytes;

// Root "Game" (lines 1-33):
//   3-7   HINT "Q1?"    two hints
//   8-16  NESTHINT "N1": "first", "=" LINK (12-14) to Q1, "-", "second"
//   17-27 HYPERPNG "Pic": data line 19, region 20, OVERLAY 21-23, region 24, TEXT 25-27
//   28-29 BLANK
//   30-33 FROB (unknown keyword) with two lines
// VERSION 34-36, INFO 37-39.
HintFileSpec EveryKind() {
    HintFileSpec plan;
    plan.title88 = "Game";
    plan.root = MakeSubject("Game");
    HintNode& root = *plan.root;
    HintNode* q1 = root.Add(MakeQuestion("Q1?", {{"A first hint that is long"}, {"second"}}));
    HintNode* nest = root.Add(MakeNode("NESTHINT", "N1"));
    nest->Line("first");
    nest->Add(MakeLink("see Q1", q1));
    nest->Separator();
    nest->Line("second");
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

class EveryKindFile : public ::testing::Test {
  protected:
    void SetUp() override {
        plan = EveryKind();
        ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
        root = Items(doc.GetRoot());
        ASSERT_NE(root, nullptr);
    }
    THunk* At(int32_t line) { return root->FindByLine(line); }

    HintFileSpec plan;
    THintDocument doc;
    TItemsHunk* root = nullptr;
};

TEST_F(EveryKindFile, EveryHunkHasTheLineNumberOfItsHeader) {
    EXPECT_EQ(doc.Count(), 4u);  // older root, newer root, version, info
    EXPECT_EQ(root->lineNumber, 1);
    EXPECT_EQ(root->lineCount, 33);
    const std::vector<std::pair<int32_t, int>> expected = {
        {3, HINT},     {8, NESTHINT}, {12, LINK},  {17, HYPERPNG}, {18, PNGOBJECT},
        {21, OVERLAY}, {25, TEXT},    {28, BLANK}, {30, UNKNOWN}};
    for (const auto& [line, kind] : expected) {
        THunk* hunk = At(line);
        ASSERT_NE(hunk, nullptr) << "line " << line;
        EXPECT_EQ(hunk->GetType(), kind) << "line " << line;
        EXPECT_EQ(hunk->lineNumber, line);
    }
    EXPECT_EQ(At(13), nullptr);
    EXPECT_EQ(static_cast<THunk*>(doc.Entry(2))->lineNumber, 34);
    EXPECT_EQ(static_cast<THunk*>(doc.Entry(3))->lineNumber, 37);
    // The writer agrees with the loader about where its nodes stand.
    EXPECT_EQ(LineNumberOf(plan, plan.topLevel[1].get()), 37);
}

TEST_F(EveryKindFile, HintHunkDecodesLinesAndMarksSeparators) {
    auto* q1 = static_cast<TMetaTextHunk*>(At(3));
    EXPECT_EQ(q1->title, "Q1?");
    EXPECT_EQ(ChildTexts(*q1),
              (std::vector<std::string>{"A first hint that is long", "-", "second"}));
    EXPECT_EQ(q1->children[0]->hardBreak, 1);  // the line before a separator ends
    EXPECT_EQ(q1->children[1]->isSeparator, 1);
    EXPECT_EQ(q1->HintCount(), 2);
}

TEST_F(EveryKindFile, NestedHintHoldsDecodedLinesAndEmbeddedHunks) {
    auto* nest = static_cast<TMetaTextHunk*>(At(8));
    EXPECT_EQ(ChildTexts(*nest), (std::vector<std::string>{"first", "see Q1", "-", "second"}));
    auto* link = dynamic_cast<TLinkHunk*>(nest->children[1]);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->targetLine, 3);
    EXPECT_EQ(link->Target(), At(3));
    EXPECT_EQ(link->parent, nest);
}

TEST_F(EveryKindFile, PictureHoldsItsObjectWithRegionsAndData) {
    auto* picture = dynamic_cast<THyperPNGHunk*>(At(17));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->children.size(), 1u);
    TPNGObject* object = picture->Finish();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->title, "This is a graphic.");
    EXPECT_EQ(object->lineCount, 11);
    EXPECT_EQ(object->dataLength, 7);
    ASSERT_EQ(object->regions.size(), 2u);
    ASSERT_EQ(object->children.size(), 2u);
    EXPECT_EQ(object->regions[1].left, 5);
    EXPECT_EQ(object->regions[1].bottom, 20);
    EXPECT_EQ(object->regions[0].target, object->children[0]);
    auto* overlay = dynamic_cast<TOverlayHunk*>(object->children[0]);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->x, 3);
    EXPECT_EQ(overlay->y, 4);
    EXPECT_EQ(overlay->dataLength, 11);
    EXPECT_EQ(overlay->dataOffset, object->dataOffset + 7);  // the writer lays data out in order
}

TEST_F(EveryKindFile, TextBodyIsLoadedFromTheDataArea) {
    auto* text = dynamic_cast<TTextHunk*>(At(25));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->length, 19 + 2 + 9 + 2);  // each line counts its CR LF
    EXPECT_EQ(ChildTexts(*text), (std::vector<std::string>{"Text body line one.", "Line two."}));
    for (const TKLUObject* line : text->children)
        EXPECT_EQ(line->hardBreak, 1);
    EXPECT_EQ(text->GetDataEnd(), 0);
}

TEST_F(EveryKindFile, BlankUnknownVersionAndInfo) {
    EXPECT_EQ(At(28)->GetName(), "");
    EXPECT_EQ(At(30)->title, "x");
    auto* version = Items(doc.Entry(2));
    EXPECT_EQ(version->GetType(), VERHUNK);
    EXPECT_EQ(version->parent, root);
    EXPECT_EQ(doc.FindByType(VERHUNK), version);
    auto* info = dynamic_cast<TInfoHunk*>(doc.Entry(3));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->title, "Game File Information");
    EXPECT_EQ(ChildTexts(*info),
              (std::vector<std::string>{"Author:", "Ann Example", " ", "KLU Version:", "1.0", " ",
                                        "Compiler Info:", "compiler 7"}));
}

TEST(Load96a, PictureModeBuildsThePictureObjectDirectly) {
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(EveryKind()), doc, true), LoadOk);
    THunk* object = doc.GetRoot()->FindByLine(17);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetType(), PNGOBJECT);
    EXPECT_EQ(object->title, "Pic");
    EXPECT_EQ(object->parent, doc.GetRoot());
    EXPECT_EQ(doc.GetRoot()->FindByLine(18), nullptr);
    EXPECT_EQ(doc.GetRoot()->FindByLine(25)->GetType(), TEXT);
}

TEST(Load96a, KeywordsInAnyCaseSelectTheSameClass) {
    HintFileSpec plan;
    plan.root = MakeNode("subject", "Root");
    plan.root->Add(MakeNode("Hint", "question"))->Line("the hint");
    plan.root->Add(MakeNode("cOmMeNt", "remark"))->Line("plain text");
    THintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    EXPECT_EQ(root->GetType(), SUBJECT);
    EXPECT_EQ(root->children[0]->GetType(), HINT);
    EXPECT_EQ(root->children[1]->GetType(), COMMENT);
    EXPECT_EQ(Items(root->children[1])->children[0]->title, "plain text");
}

TEST(Load96a, ThirdLineNumbersWithLeadingZerosAreDecimal) {
    // Written by hand: the text hunk's numbers carry leading zeros, and the link after it is read
    // in decimal too (under the prefix rule 010 would be 8).
    std::string text =
        "KLU\r\nT\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n"
        "13 SUBJECT\r\nT\r\n"
        "3 TEXT\r\nTitle\r\n000 000002 000000 000000\r\n"
        "2 BLANK\r\n\r\n"
        "3 LINK\r\nback\r\n010\r\n"
        "3 BLANK\r\n\r\nignored\r\n";
    text += '\x1A';
    THintDocument doc;
    std::string with_sum = text + "\0\0"s;
    const uint16_t sum = StoredChecksum(text);
    with_sum[text.size()] = static_cast<char>(sum & 0xFF);
    with_sum[text.size() + 1] = static_cast<char>(sum >> 8);
    ASSERT_EQ(LoadBytes(with_sum, doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 4u);
    auto* text_hunk = dynamic_cast<TTextHunk*>(root->children[0]);
    ASSERT_NE(text_hunk, nullptr);
    EXPECT_EQ(text_hunk->flags, 2);
    EXPECT_EQ(text_hunk->wrapMode, 2);
    EXPECT_TRUE(text_hunk->children.empty());
    auto* link = dynamic_cast<TLinkHunk*>(root->children[2]);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->targetLine, 10);
    EXPECT_EQ(link->lineNumber, 8);
    EXPECT_EQ(root->children[3]->GetType(), BLANK);
    EXPECT_EQ(static_cast<THunk*>(root->children[3])->lineNumber, 11);
}

}  // namespace
}  // namespace klu
