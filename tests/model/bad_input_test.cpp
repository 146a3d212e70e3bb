// Damaged and hostile files: every load ends, stays in bounds and keeps what it could read.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/seed_catalog.h"
#include "model/checksum.h"
#include "model/file_info.h"
#include "model/link_hunk.h"
#include "model/text_file_lines.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::Items;
using test::LoadBytes;
using test::Tree;

// A newer-format file from hand-written hunk text and data, with a valid checksum at its end.
// "OFFSET" in the hunks stands for the offset of the data, padded with zeros to the width of the
// placeholder, which decimal reading allows.
std::string NewerFile(std::string_view hunks, std::string_view data = "") {
    std::string bytes = "KLU\r\nT\r\n1\r\n0\r\n** END OF 88A FORMAT **\r\n";
    bytes += hunks;
    bytes += '\x1A';
    if (const size_t at = bytes.find("OFFSET"); at != std::string::npos) {
        const std::string offset = std::to_string(bytes.size());
        bytes.replace(at, 6, std::string(6 - offset.size(), '0') + offset);
    }
    bytes += data;
    const uint16_t sum = StoredChecksum(bytes);
    bytes += static_cast<char>(sum & 0xFF);
    bytes += static_cast<char>(sum >> 8);
    return bytes;
}

// Every cut of every file the fuzzers start from, the older and newer formats, every kind of
// hunk and each place of the checksum among them.
TEST(BadInput, EveryTruncationLoadsWithoutFault) {
    for (auto group : {seeds::OlderFormatSeeds, seeds::NewerFormatSeeds, seeds::MetaHunkSeeds,
                       seeds::PictureSeeds, seeds::ChecksumSeeds}) {
        for (const auto& seed : group()) {
            const std::string bytes = test::WriteOrFail(seed.file);
            for (size_t cut = 0; cut <= bytes.size(); ++cut) {
                for (bool picture_mode : {false, true}) {
                    THintDocument doc;
                    const LoadResult result = LoadBytes(bytes.substr(0, cut), doc, picture_mode);
                    EXPECT_GE(result, LoadOk) << seed.name << " cut at " << cut;
                    EXPECT_LE(result, LoadZipArchive) << seed.name << " cut at " << cut;
                    if (result == LoadOk && doc.Count() > 0) {
                        std::string state;
                        doc.GetRoot()->SaveState(state);  // the partial tree is walkable
                    }
                }
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

TEST(BadInput, LinksThatLeadRoundInACircleOpenNothing) {
    THintDocument doc;
    ASSERT_EQ(
        LoadBytes(NewerFile("8 SUBJECT\r\nRoot\r\n3 LINK\r\nA\r\n6\r\n3 LINK\r\nB\r\n3\r\n"), doc),
        LoadOk);
    auto* first = NodeCast<TLinkHunk>(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Open(), 0);  // returns instead of recursing for ever
}

// Gigabytes without a line end (sparse files, taking no disk): the loader judges them by their
// first block or their size, and the header scan stops at a line no hint file has.
TEST(BadInput, HugeFilesCostTheirFirstBlockOnly) {
    test::TempFolder folder;
    const struct {
        std::string start;
        HintFileRead read;
        LoadResult result;
    } cases[] = {{"", HintFileRead::FirstBlock, LoadNotHintFile},
                 {"KLU\r\nTitle of a huge file", HintFileRead::TooLarge, LoadOutOfMemory}};
    for (const auto& huge : cases) {
        const std::string path = folder / "huge.klu";
        test::WriteFile(path, huge.start);
        std::filesystem::resize_file(path, uintmax_t{4} << 30);
        std::vector<char> bytes;
        EXPECT_EQ(ReadHintFileBytes(path, bytes), huge.read);
        EXPECT_LE(bytes.size(), 4096u);
        THintDocument document;
        LoadResult result = LoadOk;
        ASSERT_TRUE(LoadHintFileAt(path, document, false, result));
        EXPECT_EQ(result, huge.result);
        TextFileLines lines(path);
        std::string line;
        while (lines.Next(line)) {
        }
        EXPECT_LE(lines.BytesRead(), size_t{2} << 20);
        EXPECT_EQ(TFileInfo(path, 0).GetName(), "");
    }
}

}  // namespace
}  // namespace klu
