// Reading hint files: whole and their first bytes around the read's steps, a range of the data
// area copied out, and lines as the loader's stream and the header scan's block reader give them.
#include <gtest/gtest.h>

#include <random>

#include "fuzz/seed_catalog.h"
#include "model/document/media_hunks.h"
#include "model/files/file_bytes.h"
#include "model/files/file_range.h"
#include "model/files/text_file_lines.h"
#include "model/format/hint_stream.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

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
        for (char& c : bytes) {
            if (random() % 8 == 0) c = controls[random() % (round % 4 == 0 ? 5 : 4)];
        }
        cases.push_back(bytes);
    }
    for (const std::string& bytes : cases) {
        WriteFile(path, bytes);
        ASSERT_EQ(BlockLines(path), LoaderLines(bytes)) << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace klu
