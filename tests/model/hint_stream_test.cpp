// Line reading: the loader's stream over a whole file, and the block reader of the header scan
// that must give the same lines.
#include "model/format/hint_stream.h"

#include <gtest/gtest.h>

#include <random>

#include "model/files/text_file_lines.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;
using test::WriteFile;

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
