// klu check: one line "<code> <name>" and the load result as the exit status, for every result
// the loader can give, and 5 (and no line) for a file that cannot be opened; where the load
// failed among the hunks, the line it failed at on stderr.

#include <gtest/gtest.h>

#include <tuple>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

// The messages of failures are file_loading_test's.
TEST(KluCheck, EveryLoadResultIsPrintedAndIsTheExitStatus) {
    const TempFolder folder;
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {folder.Write("tour.klu", Bytes(TourPlan())), 0, "0 LoadOk\n"},
        {folder.Write("old.klu", Bytes(OlderFormatPlan())), 0, "0 LoadOk\n"},
        {folder.Write("notes.txt", "Shopping list\r\nbread\r\n"), 1, "1 LoadNotHintFile\n"},
        {folder.Write("bad.klu", WithBrokenChecksum(TourPlan())), 2, "2 LoadCorrupted\n"},
        {folder.Write("deep.klu", Bytes(NestedSubjectsPlan(1200))), 2, "2 LoadCorrupted\n"},
        {folder.Write("archive.zip", std::string("PK\x03\x04\x14\0\0\0", 8) + "rest\n"), 4,
         "4 LoadZipArchive\n"},
        {folder.PathOf("missing.klu"), 5, ""},
        {folder.PathOf(""), 5, ""},
    };
    for (const auto& [path, status, out] : cases) {
        const KluRun run = RunKlu({"check", path});
        EXPECT_EQ(run.status, status) << path;
        EXPECT_EQ(run.out, out) << path;
    }
}

// The subject a thousand levels down has its header on line 2001 (root: lines 1 and 2).
TEST(KluCheck, ACorruptedFileNamesTheLineItFailedAt) {
    const TempFolder folder;
    const std::string deep = folder.Write("deep.klu", Bytes(NestedSubjectsPlan(1200)));
    EXPECT_TRUE(RunKlu({"check", deep}).err.ends_with("klu: " + deep + ": failed at line 2001\n"));
}

}  // namespace
}  // namespace klu::cli_test
