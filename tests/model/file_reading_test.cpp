// Reading hint files: whole, their first bytes, a range of the data area, lines; damaged and
// hostile files; text bodies decoded in place giving the tree that decoding copies gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "fuzz/seed_catalog.h"
#include "model/document/hint_document.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/text_hunk.h"
#include "model/files/file_bytes.h"
#include "model/files/file_range.h"
#include "model/files/text_file_lines.h"
#include "model/format/checksum.h"
#include "model/format/hint_stream.h"
#include "model/format/released_prefix.h"
#include "model/outline/tree_compare.h"
#include "model/store/file_info.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using test::HandWrittenFile;
using test::Items;
using test::LoadBytes;

TEST(FileBytes, ReadsEveryByteOfFilesAroundTheStepSize) {
    test::TempFolder folder;
    for (const size_t size : {0, 1, 65535, 65536, 65537, 300001}) {
        const std::string path = folder / "file", bytes = test::PatternBytes(size);
        test::WriteFile(path, bytes);
        std::vector<char> read;
        ASSERT_TRUE(ReadFileBytes(path, read)) << size;
        EXPECT_EQ(std::string(read.begin(), read.end()), bytes) << size;

        const FilePrefix prefix = ReadFilePrefix(path, 65537, read);
        EXPECT_EQ(prefix.outcome, ReadOutcome::Read) << size;
        EXPECT_EQ(prefix.size, static_cast<int64_t>(size));
        EXPECT_EQ(std::string(read.begin(), read.end()), bytes.substr(0, 65537)) << size;
    }
}

// Such a file reports a size of 0: all of it lies past the first guess.
TEST(FileBytes, ReadsAFileLongerThanItsReportedSize) {
    std::string status;
    ASSERT_EQ(ReadWholeFile("/proc/self/status", status), ReadOutcome::Read);
    EXPECT_TRUE(status.starts_with("Name:")) << status;
}

// A hint file with one GIF hunk carrying the data, copied from where the loader found the data.
TEST(FileRange, CopiesTheDataByteForByteInChunksOf4096) {
    const std::string data = test::PatternBytes(10000);
    HintFilePlan plan = seeds::NewerFile("Pictures");
    plan.root->Line("before");
    plan.root->Add(MakeData("GIFA", "Old map", data));
    TempFolder folder;
    const std::string hint_path = folder / "game.klu", target = folder / "saved.gif";
    WriteFile(hint_path, test::WriteOrFail(plan));
    HintDocument doc;
    ASSERT_TRUE(test::LoadFileAt(hint_path, doc));
    auto* gif = dynamic_cast<GIFaHunk*>(doc.GetRoot()->FindByName("Old map"));
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(gif->dataLength, 10000);

    const RangeResult result = CopyFileRange(hint_path, gif->dataOffset, gif->dataLength, target);
    EXPECT_TRUE(result.Ok()) << result.message;
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(result.chunks, 3);  // 4096, 4096 and 1808 bytes
    EXPECT_EQ(ReadFile(target), data);

    // An existing file is emptied first: a shorter range leaves nothing of the longer copy.
    const RangeResult shorter = CopyFileRange(hint_path, gif->dataOffset, 4096, target);
    EXPECT_TRUE(shorter.Ok()) << shorter.message;
    EXPECT_EQ(shorter.chunks, 1);
    EXPECT_EQ(ReadFile(target), data.substr(0, 4096));
}

HintStream Of(const std::string& text) {
    return HintStream(std::vector<char>(text.begin(), text.end()));
}

TEST(HintStream, CrLfIsOneLineEndForEveryReadAndEndOfTextStopsReading) {
    HintStream s = Of("ab\r\ncd\ne\r\r\nx");
    EXPECT_EQ(s.GetLine(), "ab");
    EXPECT_EQ(s.Get(), 'c');
    EXPECT_EQ(s.Get(), 'd');
    EXPECT_EQ(s.Peek(), '\n');
    EXPECT_EQ(s.Get(), '\n');
    EXPECT_EQ(s.GetLine(), "e\r");  // a lone carriage return stays in the line
    EXPECT_EQ(s.GetLine(), "x");
    EXPECT_TRUE(s.Eof());
    EXPECT_FALSE(s.Fail());
    EXPECT_EQ(s.GetLine(), "");
    EXPECT_TRUE(s.Fail());

    // The end-of-text byte ends reading until a seek.
    s = Of("one\r\n\x1A"
           "data\r\n");
    EXPECT_EQ(s.GetLine(), "one");
    EXPECT_EQ(s.Peek(), HintStream::kEof);
    EXPECT_FALSE(s.Good());
    s.Clear();
    s.Seek(6);
    EXPECT_EQ(s.GetLine(), "data");
    s.Seek(100);
    EXPECT_TRUE(s.Fail());
}

std::vector<std::string> LoaderLines(const std::string& bytes) {
    HintStream stream(std::vector<char>(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    for (;;) {
        std::string line(stream.GetLine());
        if (stream.Fail()) break;
        lines.push_back(std::move(line));
        if (stream.Eof()) break;
    }
    return lines;
}

std::vector<std::string> BlockLines(const std::string& path) {
    TextFileLines reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line))
        lines.push_back(line);
    return lines;
}

TEST(TextFileLines, GivesTheLinesTheLoaderReads) {
    TempFolder folder;
    const std::string path = folder / "f.klu";
    std::vector<std::string> cases = {"text\x1a" "after the end\r\n",
                                      // A line end split between two blocks.
                                      std::string(16 * 1024 - 1, 'a') + "\r\nnext\r\n"};
    std::mt19937 random(11);
    const std::string controls = "\r\n\r\n\x1a";
    for (int round = 0; round < 30; ++round) {
        // Lines of any length over several blocks; the end-of-text byte in a few rounds only.
        std::string bytes(random() % 40'000, 'x');
        for (char& c : bytes)
            if (random() % 8 == 0) c = controls[random() % (round % 4 == 0 ? 5 : 4)];
        cases.push_back(bytes);
    }
    for (const std::string& bytes : cases) {
        WriteFile(path, bytes);
        ASSERT_EQ(BlockLines(path), LoaderLines(bytes)) << testing::PrintToString(bytes);
    }
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
        for (std::string line; lines.Next(line);) continue;
        EXPECT_LE(lines.BytesRead(), size_t{2} << 20);
        EXPECT_EQ(FileInfo(path, 0).GetName(), "");
    }
}

// The load result of both ways, and where their trees differ ("" when they do not).
std::string InPlaceDifference(const std::string& bytes) {
    HintDocument copied, in_place;
    std::vector<char> copy(bytes.begin(), bytes.end());
    const LoadResult copied_result = LoadHintFileCopying(copy, copied, false).result;
    // Every byte read past is overwritten at once, so that any later read of one shows.
    HintFileBytes file{HintFileRead::Whole,
                       {bytes.begin(), bytes.end()},
                       ReleasedPrefix::OverwritingEachByte(bytes)};
    const LoadResult in_place_result = LoadHintFile(std::move(file), in_place, false).result;
    if (copied_result != in_place_result) return "the load results differ";
    return TreeDifference(copied, "", in_place, "");
}

TEST(LoadInPlace, EverySeedLoadsAsWithCopies) {
    for (auto group : {seeds::OlderFormatSeeds, seeds::NewerFormatSeeds, seeds::MetaHunkSeeds,
                       seeds::PictureSeeds, seeds::ChecksumSeeds}) {
        for (const auto& seed : group())
            EXPECT_EQ(InPlaceDifference(test::WriteOrFail(seed.file)), "") << seed.name;
    }
}

// The bytes with their only `from` made `to`, sealed again with the checksum in the two bytes
// before `end` (the file's end when 0).
std::string Resealed(std::string bytes, const std::string& from, const std::string& to,
                     size_t end = 0) {
    const size_t at = bytes.find(from);
    EXPECT_TRUE(at != bytes.npos && bytes.find(from, at + 1) == bytes.npos) << from;
    bytes.replace(std::min(at, bytes.size()), from.size(), to);
    end = end ? end : bytes.size();
    const uint16_t sum = StoredChecksum(std::string_view(bytes).substr(0, end - 2));
    bytes[end - 2] = static_cast<char>(sum & 0xFF);
    bytes[end - 1] = static_cast<char>(sum >> 8);
    return bytes;
}

TextHunk* NthTextHunk(HintDocument& document, size_t index) {
    auto& children = static_cast<ItemsHunk*>(document.GetRoot())->children;
    return static_cast<TextHunk*>(children.at(index)->AsHunk());
}

TEST(LoadInPlace, TextHunksSharingABodyBothShowIt) {
    HintFilePlan plan = seeds::NewerFile("Shared");
    plan.root->Add(MakeText("First", {"the same words", "twice over"}));
    plan.root->Add(MakeText("Second", {"other letters!", "here as well"}));
    const std::string written = test::WriteOrFail(plan);
    // The second hunk pointed at the first one's body (same digits, same length).
    HintDocument original;
    ASSERT_EQ(test::LoadBytes(written, original), LoadResult::Ok);
    const auto number = [](const TextHunk* hunk) {
        return " " + std::to_string(hunk->offset) + " " + std::to_string(hunk->length);
    };
    const std::string first = number(NthTextHunk(original, 0));
    const std::string second = number(NthTextHunk(original, 1));
    ASSERT_EQ(first.size(), second.size());
    const std::string bytes = Resealed(written, second, first);

    EXPECT_EQ(InPlaceDifference(bytes), "");
    HintDocument in_place;
    ASSERT_EQ(test::LoadBytes(bytes, in_place), LoadResult::Ok);
    for (size_t index : {0, 1}) {
        const auto& lines = NthTextHunk(in_place, index)->children;
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->title.view(), "the same words");
        EXPECT_EQ(lines[1]->title.view(), "twice over");
    }
}

TEST(LoadInPlace, BytesGivenBackAreReadAgainWhenADamagedFileNeedsThem) {
    HintFilePlan plan = seeds::NewerFile("Far back");
    plan.root->Add(MakeText("Body", {"the body's words", "in the data area"}));
    plan.root->Add(MakeQuestion("Question?", {{"first hint"}, {"second hint"}}));
    plan.topLevel.push_back(MakeNode("INFO", "About"));
    plan.topLevel.back()->Line("author=Someone");
    plan.checksumAt = ChecksumAt::InfoLength;
    const std::string sound = test::WriteOrFail(plan);
    HintDocument original;
    ASSERT_EQ(test::LoadBytes(sound, original), LoadResult::Ok);

    // A text body that starts at the file's first byte, long read past when bodies are read.
    const std::string numbers = " " + std::to_string(NthTextHunk(original, 0)->offset) + " ";
    const std::string body_at_start =
        Resealed(sound, numbers, " 0" + std::string(numbers.size() - 3, ' ') + " ");

    // A checksum that stands, as the information hunk says, within the question's hint.
    const size_t end = sound.find("Question?") + 14;
    const std::string length = "length=" + std::to_string(sound.size());
    std::string early = std::to_string(end);
    early.insert(0, length.size() - 7 - early.size(), '0');
    const std::string early_checksum = Resealed(sound, length, "length=" + early, end);

    for (const std::string* bytes : {&body_at_start, &early_checksum}) {
        HintDocument loaded;
        EXPECT_EQ(test::LoadBytes(*bytes, loaded), LoadResult::Ok);
        EXPECT_EQ(InPlaceDifference(*bytes), "");
    }
}

}  // namespace
}  // namespace klu
