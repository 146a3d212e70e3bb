// Line reading for the header scan: the same lines as the loader's stream, read in blocks.
#include "model/text_file_lines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "model/hint_stream.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::TempFolder;
using test::WriteFile;

std::vector<std::string> LoaderLines(const std::string& bytes) {
    HintStream stream(std::vector<char>(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    for (;;) {
        std::string line = stream.GetLine();
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
    std::vector<std::string> cases = {"", "one\r\ntwo\nthree", "ends with a return\r",
                                      "cr\rinside\r\n\r\n\n",
                                      "text\x1a"
                                      "after the end\r\n",
                                      "return before the end\r\x1a",
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

TEST(TextFileLines, AnythingButARegularFileGivesNoLines) {
    TempFolder folder;
    // A pipe without a writer would block a plain open for good.
    ASSERT_EQ(::mkfifo((folder / "pipe.klu").c_str(), 0600), 0);
    for (const std::string& path : {folder.path(), folder / "missing", folder / "pipe.klu"}) {
        TextFileLines reader(path);
        EXPECT_FALSE(reader.IsOpen());
        std::string line = "left over";
        EXPECT_FALSE(reader.Next(line));
        EXPECT_TRUE(line.empty());
    }
}

}  // namespace
}  // namespace klu
