// Copying and reading a range of a hint file's data area: the chunks, the checks of the range,
// and the reports of files that cannot be opened, read or written.
#include "model/file_range.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "model/media_hunks.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// Bytes that differ from their neighbours, so that a chunk in the wrong place shows.
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// A hint file with one GIF hunk carrying data, written to the folder, and where its data lies.
class FileRangeTest : public ::testing::Test {
  protected:
    void WriteGifFile(const std::string& data) {
        HintFilePlan plan;
        plan.root = MakeSubject("Pictures");
        plan.root->Line("before");
        plan.root->Add(MakeData("GIFA", "Old map", data));
        const std::string bytes = test::WriteOrFail(plan);
        ASSERT_EQ(test::LoadBytes(bytes, doc), LoadOk);
        gif = dynamic_cast<TGIFaHunk*>(doc.GetRoot()->FindByName("Old map"));
        ASSERT_NE(gif, nullptr);
        WriteFile(hintPath, bytes);
        fileSize = static_cast<int64_t>(bytes.size());
    }

    TempFolder folder;
    const std::string hintPath = folder / "game.klu";
    const std::string target = folder / "saved.gif";
    THintDocument doc;
    TGIFaHunk* gif = nullptr;
    int64_t fileSize = 0;
};

TEST_F(FileRangeTest, CopiesTheDataByteForByteInChunksOf4096) {
    const std::string data = Pattern(10000);
    WriteGifFile(data);
    ASSERT_EQ(gif->dataLength, 10000);

    const RangeResult result = CopyFileRange(hintPath, gif->dataOffset, gif->dataLength, target);
    EXPECT_TRUE(result.Ok()) << result.message;
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(result.chunks, 3);  // 4096, 4096 and 1808 bytes
    EXPECT_EQ(ReadFile(target), data);

    // An existing file is emptied first: a shorter range leaves nothing of the longer copy.
    const RangeResult shorter = CopyFileRange(hintPath, gif->dataOffset, 4096, target);
    EXPECT_TRUE(shorter.Ok()) << shorter.message;
    EXPECT_EQ(shorter.chunks, 1);
    EXPECT_EQ(ReadFile(target), data.substr(0, 4096));

    const RangeResult one_more = CopyFileRange(hintPath, gif->dataOffset + 1, 4097, target);
    EXPECT_EQ(one_more.chunks, 2);
    EXPECT_EQ(ReadFile(target), data.substr(1, 4097));

    // No data at all still makes the file, empty.
    const RangeResult nothing = CopyFileRange(hintPath, gif->dataOffset, 0, folder / "empty.gif");
    EXPECT_TRUE(nothing.Ok());
    EXPECT_EQ(nothing.chunks, 0);
    struct stat info {};
    ASSERT_EQ(::stat((folder / "empty.gif").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
}

TEST_F(FileRangeTest, RangesOutsideTheSourceAreRefusedBeforeTheTargetIsTouched) {
    WriteGifFile(Pattern(100));
    WriteFile(target, "keep me");
    struct Case {
        int64_t offset;
        int64_t length;
    };
    const Case cases[] = {
        {gif->dataOffset, fileSize},  // runs past the end
        {fileSize + 1, 0},            // starts past the end
        {-1, 10},                     // negative offset
        {gif->dataOffset, -5},        // negative length
        {fileSize - 10, INT64_MAX},   // would overflow a sum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + " " + std::to_string(c.length));
        const RangeResult result = CopyFileRange(hintPath, c.offset, c.length, target);
        EXPECT_EQ(result.outcome, RangeOutcome::OutOfRange);
        EXPECT_NE(result.message.find(hintPath), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(std::to_string(c.offset)), std::string::npos);
        EXPECT_EQ(ReadFile(target), "keep me");
    }
    // The very end of the file is still inside it.
    EXPECT_TRUE(CopyFileRange(hintPath, fileSize - 3, 3, target).Ok());
    EXPECT_EQ(ReadFile(target).size(), 3u);
}

TEST_F(FileRangeTest, NamesTheFileThatCannotBeOpenedOrWritten) {
    WriteGifFile(Pattern(5000));
    const std::string missing = folder / "missing.klu";
    RangeResult result = CopyFileRange(missing, 0, 10, target);
    EXPECT_EQ(result.outcome, RangeOutcome::SourceUnopened);
    EXPECT_NE(result.message.find(missing), std::string::npos) << result.message;
    EXPECT_EQ(folder.EntryCount(), 1u);  // no target made

    // A folder is no file to read.
    result = CopyFileRange(folder.path(), 0, 0, target);
    EXPECT_EQ(result.outcome, RangeOutcome::SourceUnopened);
    EXPECT_NE(result.message.find(folder.path()), std::string::npos);

    const std::string nowhere = folder / "no such folder/saved.gif";
    result = CopyFileRange(hintPath, gif->dataOffset, gif->dataLength, nowhere);
    EXPECT_EQ(result.outcome, RangeOutcome::TargetUnopened);
    EXPECT_NE(result.message.find(nowhere), std::string::npos) << result.message;

    // A full disk: the write fails after the target was opened.
    result = CopyFileRange(hintPath, gif->dataOffset, gif->dataLength, "/dev/full");
    EXPECT_EQ(result.outcome, RangeOutcome::WriteFailed);
    EXPECT_NE(result.message.find("/dev/full"), std::string::npos) << result.message;
    EXPECT_EQ(result.chunks, 1);

    // Saving over the hint file itself would empty it before the copy.
    result = CopyFileRange(hintPath, gif->dataOffset, gif->dataLength, hintPath);
    EXPECT_EQ(result.outcome, RangeOutcome::TargetUnopened);
    EXPECT_EQ(static_cast<int64_t>(ReadFile(hintPath).size()), fileSize);
}

TEST_F(FileRangeTest, ReadsTheRangeIntoABufferOrSaysWhyNot) {
    const std::string data = Pattern(9000);
    WriteGifFile(data);
    std::vector<char> bytes{'x'};
    RangeResult result = ReadFileRange(hintPath, gif->dataOffset, gif->dataLength, bytes);
    EXPECT_TRUE(result.Ok()) << result.message;
    EXPECT_EQ(result.chunks, 3);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), data);

    // A length the file cannot hold is refused without making a buffer for it.
    result = ReadFileRange(hintPath, gif->dataOffset, INT32_MAX, bytes);
    EXPECT_EQ(result.outcome, RangeOutcome::OutOfRange);
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(result.message.find(std::to_string(fileSize)), std::string::npos) << result.message;

    result = ReadFileRange(folder / "gone.klu", 0, 1, bytes);
    EXPECT_EQ(result.outcome, RangeOutcome::SourceUnopened);
    EXPECT_TRUE(bytes.empty());

    result = ReadFileRange(hintPath, 0, 0, bytes);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.chunks, 0);
}

}  // namespace
}  // namespace klu
