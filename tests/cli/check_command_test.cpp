// klu check: one line "<code> <name>" and the load result as the exit status, for every result
// the loader can give, and 5 for a file that cannot be opened.

#include <gtest/gtest.h>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

// Flips both checksum bytes of a file written with the checksum at its end.
std::string WithBrokenChecksum(std::string bytes) {
    bytes[bytes.size() - 1] = static_cast<char>(bytes[bytes.size() - 1] ^ 0x5A);
    bytes[bytes.size() - 2] = static_cast<char>(bytes[bytes.size() - 2] ^ 0xA5);
    return bytes;
}

class KluCheck : public ::testing::Test {
  protected:
    KluRun Check(std::string_view name, std::string_view bytes) {
        return RunKlu({"check", folder_.Write(name, bytes)});
    }
    TempFolder folder_;
};

TEST_F(KluCheck, NewerFormatFileLoads) {
    const KluRun run = Check("tour.klu", Bytes(TourSpec()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0 LoadOk\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(KluCheck, OlderFormatFileLoads) {
    const KluRun run = Check("old.klu", Bytes(OlderFormatSpec()));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0 LoadOk\n");
}

TEST_F(KluCheck, TextFileIsNotAHintFile) {
    const KluRun run = Check("notes.txt", "Shopping list\r\nbread\r\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1 LoadNotHintFile\n");
}

TEST_F(KluCheck, MagicWithTrailingBlankIsNotAHintFile) {
    std::string bytes = Bytes(OlderFormatSpec());
    bytes.insert(3, " ");  // "KLU " on line 1
    EXPECT_EQ(Check("blank.klu", bytes).status, 1);
}

TEST_F(KluCheck, WrongChecksumIsCorrupted) {
    const std::string good = Bytes(TourSpec());
    ASSERT_EQ(Check("good.klu", good).status, 0);
    const KluRun run = Check("bad.klu", WithBrokenChecksum(good));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "2 LoadCorrupted\n");
}

TEST_F(KluCheck, NestingBeyondTheReadersDepthIsOutOfMemory) {
    ASSERT_EQ(Check("shallow.klu", Bytes(NestedSubjectsSpec(100))).status, 0);
    const KluRun run = Check("deep.klu", Bytes(NestedSubjectsSpec(1200)));
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "3 LoadOutOfMemory\n");
}

TEST_F(KluCheck, ZipArchiveIsRecognised) {
    const KluRun run = Check("archive.zip", std::string("PK\x03\x04\x14\0\0\0", 8) + "rest\n");
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, "4 LoadZipArchive\n");
}

TEST_F(KluCheck, MissingFileGivesTheReadersMessage) {
    const std::string path = folder_.PathOf("missing.klu");
    const KluRun run = RunKlu({"check", path});
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "The file " + path + " could not be opened.\n");
}

TEST_F(KluCheck, FolderCannotBeOpenedAsAFile) {
    const std::string path = folder_.PathOf("");
    const KluRun run = RunKlu({"check", path});
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(run.err, "The file " + path + " could not be opened.\n");
}

}  // namespace
}  // namespace klu::cli_test
