// The demo file and the help file, as the build makes them, come back whole through an outline.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "model/document/hint_document.h"
#include "model/outline/outline.h"

namespace klu::test {
namespace {

TEST(BuiltFiles, ComeBackThroughAnOutlineAsTheSameTree) {
    for (const std::string file : {KLU_DEMO_FILE, KLU_HELP_FILE}) {
        HintDocument document;
        ASSERT_EQ(LoadHintFile(ReadHintFile(file), document, false).result, LoadResult::Ok) << file;
        std::string folder = (std::filesystem::temp_directory_path() / "klu-help-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(folder.data()));
        EXPECT_EQ(DecompiledDifference(document, file, folder), "") << file;
        std::filesystem::remove_all(folder);
    }
}

}  // namespace
}  // namespace klu::test
