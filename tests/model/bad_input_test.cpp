// Damaged and hostile files: every load ends, stays in bounds and keeps what it could read.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/seed_catalog.h"
#include "model/store/file_info.h"
#include "model/document/link_hunk.h"
#include "model/files/text_file_lines.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::HandWrittenFile;
using test::Items;
using test::LoadBytes;
using test::Tree;

// Every cut of every file the fuzzers start from, the older and newer formats, every kind of
// hunk and each place of the checksum among them.
TEST(BadInput, EveryTruncationLoadsWithoutFault) {
    for (auto group : {seeds::OlderFormatSeeds, seeds::NewerFormatSeeds, seeds::MetaHunkSeeds,
                       seeds::PictureSeeds, seeds::ChecksumSeeds}) {
        for (const auto& seed : group()) {
            const std::string bytes = test::WriteOrFail(seed.file);
            for (size_t cut = 0; cut <= bytes.size(); ++cut) {
                for (bool picture_mode : {false, true}) {
                    HintDocument doc;
                    const LoadResult result = LoadBytes(bytes.substr(0, cut), doc, picture_mode);
                    EXPECT_GE(result, LoadResult::Ok) << seed.name << " cut at " << cut;
                    EXPECT_LE(result, LoadResult::ZipArchive) << seed.name << " cut at " << cut;
                    if (result == LoadResult::Ok && doc.Count() > 0) {
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
    return HandWrittenFile(hunks);
}

TEST(BadInput, NestingDeeperThanAThousandLevelsIsCorruptedAtTheHeaderTooDeep) {
    HintDocument doc;
    EXPECT_EQ(LoadBytes(NestedSubjects(990), doc), LoadResult::Ok);
    Hunk* deepest = doc.GetRoot()->FindByLine(2 * 990 + 1);
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->GetType(), COMMENT);
    const LoadOutcome deeper = test::LoadBytesOutcome(NestedSubjects(1200), doc);
    EXPECT_EQ(deeper.result, LoadResult::Corrupted);
    EXPECT_EQ(deeper.line, 2 * 1000 + 1);
    EXPECT_EQ(doc.Count(), 0u);
}

TEST(BadInput, LinksThatLeadRoundInACircleOpenNothing) {
    HintDocument doc;
    const std::string file =
        HandWrittenFile("8 SUBJECT\r\nRoot\r\n3 LINK\r\nA\r\n6\r\n3 LINK\r\nB\r\n3\r\n");
    test::RecordingObserver observer;
    doc.SetObserver(&observer);
    ASSERT_EQ(LoadBytes(file, doc), LoadResult::Ok);
    auto* first = NodeCast<LinkHunk>(Items(doc.GetRoot())->children.at(0));
    ASSERT_NE(first, nullptr);
    first->Open();  // returns instead of recursing for ever
    EXPECT_TRUE(observer.shown.empty());
}

// Gigabytes without a line end (sparse files, taking no disk): the loader judges them by their
// first block or their size, and the header scan stops at a line no hint file has.
TEST(BadInput, HugeFilesCostTheirFirstBlockOnly) {
    test::TempFolder folder;
    const struct {
        std::string start;
        HintFileRead read;
        LoadResult result;
    } cases[] = {{"", HintFileRead::FirstBlock, LoadResult::NotHintFile},
                 {"KLU\r\nTitle of a huge file", HintFileRead::TooLarge, LoadResult::OutOfMemory}};
    for (const auto& huge : cases) {
        const std::string path = folder / "huge.klu";
        test::WriteFile(path, huge.start);
        std::filesystem::resize_file(path, uintmax_t{4} << 30);
        HintFileBytes file = ReadHintFile(path);
        EXPECT_EQ(file.read, huge.read);
        EXPECT_LE(file.bytes.size(), 4096u);
        HintDocument document;
        EXPECT_EQ(LoadHintFile(std::move(file), document, false).result, huge.result);
        TextFileLines lines(path);
        std::string line;
        while (lines.Next(line)) {
        }
        EXPECT_LE(lines.BytesRead(), size_t{2} << 20);
        EXPECT_EQ(FileInfo(path, 0).GetName(), "");
    }
}

}  // namespace
}  // namespace klu
