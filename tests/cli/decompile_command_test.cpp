// klu decompile: the outline and data files it writes compile back into the same file, and it
// never replaces a file or writes anything for a file that does not load.

#include <gtest/gtest.h>

#include <filesystem>

#include "dump_support.h"
#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

namespace fs = std::filesystem;

// The dump without what a new file may change: line numbers, counts, offsets.
Json WithoutPlaces(Json node) {
    if (node.is_object()) {
        for (const char* key : {"line", "lines", "offset", "target"})
            node.erase(key);
        for (auto& [key, value] : node.items())
            value = WithoutPlaces(value);
    } else if (node.is_array()) {
        for (auto& value : node)
            value = WithoutPlaces(value);
    }
    return node;
}

TEST(KluDecompile, WritesAnOutlineAndDataThatCompileBackIntoTheSameFile) {
    TempFolder folder;
    for (const HintFilePlan& plan : {TourPlan(), OlderFormatPlan()}) {
        const std::string original = folder.Write("tour.klu", Bytes(plan));
        const std::string out = folder.PathOf("out");
        fs::remove_all(out);
        const KluRun run = RunKlu({"decompile", original, out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out + run.err, "");
        const std::string again = folder.PathOf("again.klu");
        const KluRun compile = RunKlu({"compile", out + "/tour.outline", again});
        ASSERT_EQ(compile.status, 0) << compile.err;
        EXPECT_EQ(WithoutPlaces(Dump(again).json), WithoutPlaces(Dump(original).json));
    }
}

TEST(KluDecompile, ReplacesNothingAndWritesNothingForAFileThatDoesNotLoad) {
    TempFolder folder;
    const std::string original = folder.Write("tour.klu", Bytes(TourPlan()));
    const std::string out = folder.PathOf("out");
    fs::create_directory(out);
    folder.Write("out/tour.outline", "mine");
    const KluRun taken = RunKlu({"decompile", original, out});
    EXPECT_EQ(taken.status, 73);
    EXPECT_EQ(taken.err, "klu: " + out + "/tour.outline exists already; it is not replaced\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);

    const std::string corrupted = folder.Write("bad.klu", WithBrokenChecksum(TourPlan()));
    EXPECT_EQ(RunKlu({"decompile", corrupted, folder.PathOf("none")}).status, 2);
    EXPECT_FALSE(fs::exists(folder.PathOf("none")));

    folder.Write("file", "not a folder");
    EXPECT_EQ(RunKlu({"decompile", original, folder.PathOf("file/sub")}).status, 73);
}

}  // namespace
}  // namespace klu::cli_test
