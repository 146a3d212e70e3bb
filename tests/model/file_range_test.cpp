// Copying and reading a range of a hint file's data area: the chunks, the checks of the range,
// and the reports of files that cannot be opened, read or written.
#include "model/files/file_range.h"

#include <gtest/gtest.h>

#include "model/document/media_hunks.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// A hint file with one GIF hunk carrying the data, copied from where the loader found the data.
TEST(FileRange, CopiesTheDataByteForByteInChunksOf4096) {
    const std::string data = test::PatternBytes(10000);
    HintFilePlan plan;
    plan.root = MakeSubject("Pictures");
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

}  // namespace
}  // namespace klu
