// The checksum at each of its candidate places, and what a failed test does to the load.
#include "fuzz/seed_catalog.h"
#include "model/format/checksum.h"

#include <gtest/gtest.h>

#include <random>

#include "model_test_support.h"

namespace klu {
namespace {

using test::LoadBytes;

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
    for (size_t split = 0; split <= 17; ++split) {
        EXPECT_EQ(Crc16Arc(fox.substr(split), Crc16Arc(fox.substr(0, split))), 0xFCDF) << split;
    }
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
