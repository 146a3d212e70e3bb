// klu check: one line "<code> <name>" and the load result as the exit status, for every result
// the loader can give, and 5 for a file that cannot be opened.

#include <gtest/gtest.h>

#include <tuple>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

TEST(KluCheck, EveryLoadResultIsPrintedAndIsTheExitStatus) {
    const TempFolder folder;
    const std::vector<std::tuple<std::string, std::string, int, std::string>> cases = {
        {"tour.klu", Bytes(TourPlan()), 0, "0 LoadOk\n"},
        {"old.klu", Bytes(OlderFormatPlan()), 0, "0 LoadOk\n"},
        {"notes.txt", "Shopping list\r\nbread\r\n", 1, "1 LoadNotHintFile\n"},
        {"bad.klu", WithBrokenChecksum(TourPlan()), 2, "2 LoadCorrupted\n"},
        {"deep.klu", Bytes(NestedSubjectsPlan(1200)), 3, "3 LoadOutOfMemory\n"},
        {"archive.zip", std::string("PK\x03\x04\x14\0\0\0", 8) + "rest\n", 4, "4 LoadZipArchive\n"},
    };
    for (const auto& [name, bytes, status, out] : cases) {
        const KluRun run = RunKlu({"check", folder.Write(name, bytes)});
        EXPECT_EQ(run.status, status) << name;
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "") << name;
    }
}

TEST(KluCheck, AMissingFileOrAFolderExitsFiveWithTheReadersMessage) {
    const TempFolder folder;
    for (const std::string& path : {folder.PathOf("missing.klu"), folder.PathOf("")}) {
        const KluRun run = RunKlu({"check", path});
        EXPECT_EQ(run.status, 5) << path;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "The file " + path + " could not be opened.\n");
    }
}

}  // namespace
}  // namespace klu::cli_test
