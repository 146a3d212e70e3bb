// Both generations of hint files, the information block, and the checksum in each of its places.
#include <gtest/gtest.h>

#include <random>

#include "fuzz/seed_catalog.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/text_hunk.h"
#include "model/format/checksum.h"
#include "model/format/decode.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::Items;
using test::LoadBytes;
using test::Tree;

TEST(Load88a, SubjectsQuestionsHintsAndTheAuthorsNote) {
    HintFilePlan plan;
    plan.title88 = "Old Game";
    plan.subjects88 = {
        {"The Cave",
         {{"How do I light the lamp", {"Look around.", "Use the flint on the lamp."}},
          {"Where is the key?", {"Under the mat."}}}},
        {"The Tower", {{"How do I climb", {"Rope.", "Tie it to the hook.", "Pull yourself up."}}}},
    };
    plan.note88 = {"Written on a rainy day.", "Enjoy!"};
    HintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.GetRoot(), doc.Entry(0));
    // A question always gets "?" appended, even when its title ends with one; the last hint of a
    // question has no separator after it; the author's note is plain, not deciphered.
    EXPECT_EQ(Tree(*doc.GetRoot()),
              "SUBJECT Old Game{SUBJECT The Cave{HINT How do I light the lamp?{Look around.|--|"
              "Use the flint on the lamp.}|HINT Where is the key??{Under the mat.}}|"
              "SUBJECT The Tower{HINT How do I climb?{Rope.|--|Tie it to the hook.|--|"
              "Pull yourself up.}}|CREDIT A note from the author{Written on a rainy day.|Enjoy!}}");

    // The magic line is case-insensitive but exact.
    EXPECT_EQ(LoadBytes("kl" + test::WriteOrFail(plan).substr(2), doc), LoadResult::Ok);
    EXPECT_EQ(LoadBytes("KLU \r\nTitle\r\n1\r\n0\r\n", doc), LoadResult::NotHintFile);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("PK\x03\x04 zipped", doc), LoadResult::ZipArchive);
    EXPECT_EQ(doc.Count(), 0u);
    EXPECT_EQ(LoadBytes("", doc), LoadResult::NotHintFile);
}

TEST(Load88a, NumbersUseThePrefixRule) {
    // A = 07 (octal 7), B = 0x9; the subject's content starts at line 03, the first question's
    // hints at 07 and the second question's at 011 (octal 9).
    HintDocument doc;
    ASSERT_EQ(LoadBytes("KLU\r\nOctal\r\n07\r\n0x9\r\nSubject\r\n03\r\nQuestion\r\n07\r\n"
                        "Other\r\n011\r\nHint one\r\nHint two\r\nHint three\r\n",
                        doc),
              LoadResult::Ok);
    EXPECT_EQ(Tree(*doc.GetRoot()), "SUBJECT Octal{SUBJECT " + Decode88("Subject") + "{HINT " +
                                        Decode88("Question") + "?{" + Decode88("Hint one") +
                                        "|--|" + Decode88("Hint two") + "}|HINT " +
                                        Decode88("Other") + "?{" + Decode88("Hint three") + "}}}");
}

// Root "Game" (lines 1-33):
//   3-7   HINT "Q1?"    two hints
//   8-16  NESTHINT "N1": "first", "=" LINK (12-14) to Q1, "-", "second"
//   17-27 HYPERPNG "Pic": data line 19, region 20, OVERLAY 21-23, region 24, TEXT 25-27
//   28-29 BLANK
//   30-33 FROB (unknown keyword) with two lines
// VERSION 34-36, INFO 37-39.
HintFilePlan EveryKind() {
    HintFilePlan plan = seeds::NewerFile("Game");
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
    HintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    ASSERT_EQ(doc.Count(), 4u);  // older root, newer root, version, info
    Hunk* root = doc.GetRoot();
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
    EXPECT_EQ(doc.Entry(2)->AsHunk()->parent, root);
    // The writer agrees with the loader about where its nodes stand.
    EXPECT_EQ(LineNumberOf(plan, plan.topLevel[1].get()), 37);

    // The line before a separator ends; a link leads to the hunk on its target line.
    EXPECT_EQ(Items(root->FindByLine(3))->children[0]->hardBreak, 1);
    auto* link = dynamic_cast<LinkHunk*>(root->FindByLine(12));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target(), root->FindByLine(3));
    EXPECT_EQ(link->parent, root->FindByLine(8));

    // The text body comes from the data area; each line counts its CR LF and ends its line.
    auto* text = dynamic_cast<TextHunk*>(root->FindByLine(25));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->length, 19 + 2 + 9 + 2);
    for (const KLUObject* line : text->children)
        EXPECT_EQ(line->hardBreak, 1);
    EXPECT_EQ(text->GetDataEnd(), 0);
}

// Every key is tried on a line of the information block in turn, and a key that takes the line's
// value lets a later key read that value: "length=" as well.
TEST(Load96a, AnInformationLengthLineMayCarryAnotherKey) {
    HintFilePlan plan = seeds::NewerFile("Game");
    plan.topLevel.push_back(MakeNode("INFO", ""));
    plan.topLevel.back()->Line("length=copyright=Mine");
    HintDocument doc;
    ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    EXPECT_EQ(Tree(*doc.FindByType(INFO)), "INFO Game File Information@3{Copyright:|Mine| }");
}

// Each document shows its hunks through its own observer, installed before or after a load; a
// top-level hunk below the root reaches it too.
TEST(Load96a, EachDocumentShowsItsHunksThroughItsOwnObserver) {
    const std::string bytes = test::WriteOrFail(EveryKind());
    test::RecordingObserver first_shows, second_shows;
    HintDocument first, second;
    first.SetObserver(&first_shows);
    ASSERT_EQ(LoadBytes(bytes, first), LoadResult::Ok);
    ASSERT_EQ(LoadBytes(bytes, second), LoadResult::Ok);
    second.SetObserver(&second_shows);
    Hunk* question = first.GetRoot()->FindByName("Q1?");
    Hunk* info = second.FindByType(INFO);
    question->Open();
    info->Open();
    EXPECT_EQ(first_shows.shown, std::vector<Hunk*>{question});
    EXPECT_EQ(second_shows.shown, std::vector<Hunk*>{info});
}

// Known answers worked out with a separate CRC-16/ARC: the stored value is the CRC with its bits
// reversed, raised by 0x100 when it is above 0x7FFF and its low byte is not zero. The CRC runs
// eight bytes at a time and the tail one by one: every split of a run, continued from the CRC so
// far, must give the same answer as the whole run.
TEST(Checksum, KnownAnswersOfTheCrcInAnyPiecesAndOfTheStoredValue) {
    EXPECT_EQ(StoredChecksum("123456789"), 0xBDDD);  // reversed 0xBCDD, raised
    EXPECT_EQ(StoredChecksum("a"), 0x8417);          // reversed 0x8317, raised
    EXPECT_EQ(StoredChecksum("KLU\r\n"), 0x6498);    // not above 0x7FFF
    EXPECT_EQ(StoredChecksum("2065"), 0x9B00);       // low byte zero
    std::string every_byte;
    for (int round = 0; round < 3; ++round) {
        for (int c = 0; c < 256; ++c)
            every_byte += static_cast<char>(c);
    }
    const std::string_view fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(Crc16Arc("123456789"), 0xBB3D);
    EXPECT_EQ(Crc16Arc(every_byte), 0x47BB);
    for (size_t split = 0; split <= 17; ++split)
        EXPECT_EQ(Crc16Arc(fox.substr(split), Crc16Arc(fox.substr(0, split))), 0xFCDF) << split;
}

// CRC-16/ARC by its definition, a bit at a time.
uint16_t BitwiseCrc(std::string_view bytes, uint16_t crc) {
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>(crc & 1 ? (crc >> 1) ^ 0xA001 : crc >> 1);
    }
    return crc;
}

// Long runs take another way than short ones, in blocks with a tail: every length, continued
// from any CRC, must give what the definition gives.
TEST(Checksum, CrcOfEveryLengthFromAnyStartFollowsTheDefinition) {
    std::mt19937 random(7);
    std::string bytes(1100, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    for (size_t length = 0; length <= bytes.size(); ++length) {
        const std::string_view run = std::string_view(bytes).substr(0, length);
        const auto start = static_cast<uint16_t>(random());
        ASSERT_EQ(Crc16Arc(run, start), BitwiseCrc(run, start)) << length;
    }
}

HintFilePlan WithGifAndText(ChecksumAt where) {
    HintFilePlan plan = seeds::NewerFile("Sum");
    plan.root->Add(MakeQuestion("Where?", {{"Here."}, {"There."}}));
    plan.root->Add(MakeData("GIFA", "Old picture", std::string(100, 'G')));
    plan.root->Add(MakeText("Notes", {"Some notes for the player."}));
    plan.topLevel.push_back(MakeNode("INFO", "info"));
    plan.topLevel.back()->Line("author=Someone");
    plan.checksumAt = where;
    return plan;
}

class ChecksumPlace : public ::testing::TestWithParam<ChecksumAt> {};

TEST_P(ChecksumPlace, IsFoundThereAndAWrongValueCorruptsTheLoad) {
    const std::string bytes = test::WriteOrFail(WithGifAndText(GetParam()));
    HintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadResult::Ok);
    EXPECT_EQ(doc.Count(), 3u);

    // Flip every byte in turn: one of them is the checksum, so some flip must corrupt the load,
    // and a corrupt load empties the document.
    bool corrupted = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::string broken = bytes;
        broken[i] = static_cast<char>(broken[i] ^ 0x01);
        if (LoadBytes(broken, doc) == LoadResult::Corrupted) {
            corrupted = true;
            EXPECT_EQ(doc.Count(), 0u);
        }
    }
    EXPECT_TRUE(corrupted);
}

// Given out in pieces, the checksum still covers every byte in front of it.
TEST_P(ChecksumPlace, CoversAFileWrittenInManyPieces) {
    HintFilePlan plan = WithGifAndText(GetParam());
    plan.root->items[1].node->data = std::string(600 * 1024, 'G');
    std::string bytes;
    std::vector<int64_t> sizes;  // the file's size, as each piece tells it
    ASSERT_TRUE(WriteHintFileTo(plan, [&](std::string_view piece, int64_t size) {
        bytes += piece;
        sizes.push_back(size);
        return true;
    }));
    EXPECT_GT(sizes.size(), 2u);
    EXPECT_EQ(sizes.back(), static_cast<int64_t>(bytes.size()));
    HintDocument doc;
    EXPECT_EQ(LoadBytes(bytes, doc), LoadResult::Ok);
}

INSTANTIATE_TEST_SUITE_P(EveryCandidate, ChecksumPlace,
                         ::testing::Values(ChecksumAt::FileEnd, ChecksumAt::AfterEndOfText,
                                           ChecksumAt::DataEnd, ChecksumAt::InfoLength));

}  // namespace
}  // namespace klu
