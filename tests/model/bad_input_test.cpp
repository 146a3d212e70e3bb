// Damaged and hostile files: every load ends, stays in bounds and keeps what it could read.
#include <gtest/gtest.h>

#include "model/checksum.h"
#include "model/link_hunk.h"
#include "model/text_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::Items;
using test::LoadBytes;

constexpr std::string_view k88aPart = "KLU\r\nT\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n";

// A newer-format file from hand-written hunk text, with a valid checksum at its end.
std::string NewerFile(std::string_view hunks) {
    std::string bytes(k88aPart);
    bytes += hunks;
    bytes += '\x1A';
    const uint16_t sum = StoredChecksum(bytes);
    bytes += static_cast<char>(sum & 0xFF);
    bytes += static_cast<char>(sum >> 8);
    return bytes;
}

HintFileSpec RichFile() {
    HintFileSpec plan;
    plan.title88 = "Rich";
    plan.subjects88 = {{"Old subject", {{"Old question", {"one", "two"}}}}};
    plan.note88 = {"note"};
    plan.root = MakeSubject("Rich");
    HintNode* q = plan.root->Add(MakeQuestion("Q", {{"a"}, {"b"}}));
    HintNode* nest = plan.root->Add(MakeNode("NESTHINT", "N"));
    nest->Line("nested line");
    nest->Add(MakeLink("to Q", q));
    HintNode* pic = plan.root->Add(MakeData("HYPERPNG", "P", "png"));
    pic->AddRegion(1, 2, 3, 4, MakeText("T", {"text line"}));
    plan.root->Add(MakeData("SOUND", "S", "RIFF"));
    plan.topLevel.push_back(MakeNode("INFO", "i"));
    plan.topLevel.back()->Line("copyright=me");
    return plan;
}

TEST(BadInput, EveryTruncationLoadsWithoutFault) {
    const std::string bytes = test::WriteOrFail(RichFile());
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
        for (bool picture_mode : {false, true}) {
            THintDocument doc;
            const LoadResult result = LoadBytes(bytes.substr(0, cut), doc, picture_mode);
            EXPECT_GE(result, LoadOk);
            EXPECT_LE(result, LoadZipArchive);
            if (result == LoadOk && doc.Count() > 0) {
                std::string state;
                doc.GetRoot()->SaveState(state);  // the partial tree is walkable
            }
        }
    }
}

std::string NestedSubjects(int depth) {
    std::string hunks;
    for (int i = 0; i < depth; ++i)
        hunks += std::to_string(2 * (depth - i) + 1) + " SUBJECT\r\nS\r\n";
    hunks += "3 COMMENT\r\nC\r\ninnermost\r\n";
    return NewerFile(hunks);
}

TEST(BadInput, NestingDeeperThanAThousandLevelsIsOutOfMemory) {
    THintDocument doc;
    EXPECT_EQ(LoadBytes(NestedSubjects(990), doc), LoadOk);
    THunk* deepest = doc.GetRoot()->FindByLine(2 * 990 + 1);
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->GetType(), COMMENT);
    EXPECT_EQ(LoadBytes(NestedSubjects(1200), doc), LoadOutOfMemory);
    EXPECT_EQ(doc.Count(), 0u);
}

TEST(BadInput, AbsurdCountsEndWithTheText) {
    THintDocument doc;
    EXPECT_EQ(LoadBytes(NewerFile("2147483647 SUBJECT\r\nRoot\r\n2147483647 HINT\r\nQ\r\n"), doc),
              LoadOk);
    EXPECT_EQ(LoadBytes(NewerFile("-5 SUBJECT\r\nRoot\r\n0 HINT\r\nQ\r\n"), doc), LoadOk);
    EXPECT_EQ(LoadBytes("KLU\r\nT\r\n2147483647\r\n2147483647\r\nS\r\n3\r\n", doc), LoadOk);
    EXPECT_EQ(LoadBytes("KLU\r\nT\r\n-2147483648\r\n2147483647\r\nhint\r\n", doc), LoadOk);
    EXPECT_EQ(LoadBytes("KLU\r\nT\r\n99999999999999999999\r\n", doc), LoadOk);
}

TEST(BadInput, ChildWithoutLinesEndsTheBodyThatHoldsIt) {
    THintDocument doc;
    ASSERT_EQ(
        LoadBytes(NewerFile("9 SUBJECT\r\nRoot\r\n0 HINT\r\nQ\r\n3 COMMENT\r\nC\r\nx\r\n"), doc),
        LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->children[0]->GetType(), HINT);
    // The rest of the file is read as top-level hunks.
    EXPECT_EQ(doc.FindByType(COMMENT)->title, "C");
}

TEST(BadInput, GarbageAfterTheRootEndsTheHunkLoop) {
    THintDocument doc;
    EXPECT_EQ(LoadBytes(NewerFile("2 SUBJECT\r\nRoot\r\nnot a hunk at all\r\nmore\r\n"), doc),
              LoadOk);
    EXPECT_EQ(doc.GetRoot()->title, "Root");
}

TEST(BadInput, TextBodiesOutsideTheFileLoadNothingAndHarmNoOtherBody) {
    const std::string hunks =
        "11 SUBJECT\r\nRoot\r\n"
        "3 TEXT\r\nBeyond\r\n0 0 99999999 2147483647\r\n"
        "3 TEXT\r\nNegative\r\n0 0 -40 100\r\n"
        "3 TEXT\r\nGood\r\n0 0 OFFSET 8\r\n";
    // The good body lies right after the end-of-text byte; its offset is padded to the width of
    // the placeholder, which decimal reading allows.
    std::string bytes = std::string(k88aPart) + hunks;
    const std::string offset = std::to_string(bytes.size() + 1);  // + the end-of-text byte
    bytes.replace(bytes.find("OFFSET"), 6, std::string(6 - offset.size(), '0') + offset);
    bytes += '\x1A';
    bytes += "abcdef\r\n";
    const uint16_t sum = StoredChecksum(bytes);
    bytes += static_cast<char>(sum & 0xFF);
    bytes += static_cast<char>(sum >> 8);
    THintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 3u);
    EXPECT_TRUE(Items(root->children[0])->children.empty());
    EXPECT_TRUE(Items(root->children[1])->children.empty());
    ASSERT_EQ(Items(root->children[2])->children.size(), 1u);
    EXPECT_EQ(Items(root->children[2])->children[0]->title.size(), 6u);
}

TEST(BadInput, LinkWithExtraLinesConsumesThem) {
    THintDocument doc;
    ASSERT_EQ(LoadBytes(NewerFile("10 SUBJECT\r\nRoot\r\n5 LINK\r\nL\r\n1\r\nextra\r\nextra\r\n"
                                  "3 COMMENT\r\nC\r\nx\r\n"),
                        doc),
              LoadOk);
    auto* root = Items(doc.GetRoot());
    ASSERT_EQ(root->children.size(), 2u);
    EXPECT_EQ(static_cast<THunk*>(root->children[1])->lineNumber, 8);
}

TEST(BadInput, LinksThatLeadRoundInACircleOpenNothing) {
    THintDocument doc;
    ASSERT_EQ(
        LoadBytes(NewerFile("8 SUBJECT\r\nRoot\r\n3 LINK\r\nA\r\n6\r\n3 LINK\r\nB\r\n3\r\n"), doc),
        LoadOk);
    auto* first = dynamic_cast<TLinkHunk*>(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Open(), 0);  // returns instead of recursing for ever
}

TEST(BadInput, VeryLongLinesAndKeywords) {
    const std::string long_title(100000, 't');
    const std::string long_keyword(500, 'K');
    THintDocument doc;
    ASSERT_EQ(LoadBytes(NewerFile("6 SUBJECT\r\n" + long_title + "\r\n4 " + long_keyword +
                                  "\r\nx\r\ny\r\nz\r\n"),
                        doc),
              LoadOk);
    EXPECT_EQ(doc.GetRoot()->title.size(), long_title.size());
    EXPECT_EQ(Items(doc.GetRoot())->children.at(0)->GetType(), UNKNOWN);
}

}  // namespace
}  // namespace klu
