// The checksum at each of its candidate places, and what a failed test does to the load.
#include "model/checksum.h"

#include <gtest/gtest.h>

#include "model/info_hunk.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::LoadBytes;

// Bit by bit, as a shift register fed with each byte's bits reversed, independent of the table.
uint16_t ShiftRegisterValue(std::string_view bytes) {
    uint16_t reg = 0;
    for (unsigned char byte : bytes) {
        for (int bit = 0; bit < 8; ++bit) {  // least significant bit first = reversed byte
            const bool in = (byte >> bit) & 1;
            const bool top = reg & 0x8000;
            reg = static_cast<uint16_t>(reg << 1);
            if (in != top) reg ^= 0x8005;
        }
    }
    return reg;
}

TEST(Checksum, Crc16ArcOfTheCheckString) {
    EXPECT_EQ(Crc16Arc("123456789"), 0xBB3D);
}

TEST(Checksum, StoredValueIsTheReversedCrcAdjustedAbove7FFF) {
    // 0xBB3D reversed is 0xBCDD; above 0x7FFF with a non-zero low byte it gains 0x100.
    EXPECT_EQ(StoredChecksum("123456789"), 0xBDDD);
    for (const std::string sample : {"a", "KLU\r\n", "hint file", "\x1A\xFF\x00 data"}) {
        uint16_t v = ShiftRegisterValue(sample);
        if (v > 0x7FFF && (v & 0xFF) != 0) v = static_cast<uint16_t>(v + 0x100);
        EXPECT_EQ(StoredChecksum(sample), v) << sample;
    }
}

TEST(Checksum, NoAdjustmentWhenTheLowByteIsZeroOrTheValueIsLow) {
    // Search a few short inputs for each case rather than trusting one magic string.
    bool saw_low = false, saw_zero_low_byte = false;
    for (int n = 0; n < 70000 && !(saw_low && saw_zero_low_byte); ++n) {
        const std::string sample = std::to_string(n);
        const uint16_t v = ShiftRegisterValue(sample);
        if (v <= 0x7FFF) {
            saw_low = true;
            EXPECT_EQ(StoredChecksum(sample), v);
        } else if ((v & 0xFF) == 0) {
            saw_zero_low_byte = true;
            EXPECT_EQ(StoredChecksum(sample), v);
        }
    }
    EXPECT_TRUE(saw_low && saw_zero_low_byte);
}

HintFileSpec WithGifAndText(ChecksumAt where) {
    HintFileSpec plan;
    plan.title88 = "Sum";
    plan.root = MakeSubject("Sum");
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
    THintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadOk);
    EXPECT_EQ(doc.Count(), 3u);

    // Flip every byte in turn near each candidate and at the file's end: one of them is the
    // checksum, so some flip must corrupt the load, and a corrupt load empties the document.
    bool corrupted = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::string broken = bytes;
        broken[i] = static_cast<char>(broken[i] ^ 0x01);
        if (LoadBytes(broken, doc) == LoadCorrupted) {
            corrupted = true;
            EXPECT_EQ(doc.Count(), 0u);
        }
    }
    EXPECT_TRUE(corrupted);
}

INSTANTIATE_TEST_SUITE_P(EveryCandidate, ChecksumPlace,
                         ::testing::Values(ChecksumAt::FileEnd, ChecksumAt::AfterEndOfText,
                                           ChecksumAt::DataEnd, ChecksumAt::InfoLength));

TEST(ChecksumPlaces, DataEndCountsGifAndSoundButNotPictures) {
    HintFileSpec plan = WithGifAndText(ChecksumAt::DataEnd);
    // Picture data after the GIF: the data end is still the GIF's end.
    plan.root->Add(MakeData("HYPERPNG", "Picture", std::string(50, 'P')));
    const std::string bytes = test::WriteOrFail(plan);
    THintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadOk);
    const int64_t data_end = doc.GetRoot()->GetDataEnd();
    EXPECT_LT(data_end, static_cast<int64_t>(bytes.size()));
    // Garbage appended after everything leaves that candidate intact.
    EXPECT_EQ(LoadBytes(bytes + "tail", doc), LoadOk);
}

TEST(ChecksumPlaces, InfoLengthIsTheOnlyCandidateWhenGiven) {
    const std::string bytes = test::WriteOrFail(WithGifAndText(ChecksumAt::InfoLength));
    THintDocument doc;
    ASSERT_EQ(LoadBytes(bytes, doc), LoadOk);
    auto* info = dynamic_cast<TInfoHunk*>(doc.FindByType(INFO));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->infoLength, static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(LoadBytes(bytes + "appended", doc), LoadOk);

    // The same file with the checksum at its end but a stated length elsewhere fails.
    HintFileSpec plan = WithGifAndText(ChecksumAt::FileEnd);
    plan.topLevel.back()->Line("length=50");
    EXPECT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadCorrupted);
}

TEST(ChecksumPlaces, NoChecksumAnywhereIsCorrupt) {
    THintDocument doc;
    EXPECT_EQ(LoadBytes(test::WriteOrFail(WithGifAndText(ChecksumAt::Nowhere)), doc),
              LoadCorrupted);
    EXPECT_EQ(doc.Count(), 0u);
}

TEST(ChecksumPlaces, OlderFormatFilesHaveNone) {
    HintFileSpec plan;
    plan.title88 = "Old";
    plan.subjects88 = {{"S", {{"Q", {"H"}}}}};
    plan.checksumAt = ChecksumAt::Nowhere;
    THintDocument doc;
    EXPECT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadOk);
}

}  // namespace
}  // namespace klu
