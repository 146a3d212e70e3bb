// Reading whole files and their first bytes, around the read's steps and past a file's size.
#include "model/files/file_bytes.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace klu {
namespace {

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

}  // namespace
}  // namespace klu
