// klu export: the numbered plain text of a file, worked out by hand from the flattening rules,
// written to stdout or to OUT, and nothing at all when the load fails.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_klu.h"
#include "sample_files.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

constexpr int kCannotCreate = 73;

HintFileSpec SmallGameSpec() {
    HintFileSpec plan;
    plan.title88 = "Small Game, older part";
    plan.root = MakeSubject("Small Game");
    HintNode* start = plan.root->Add(MakeSubject("Caf\xE9 start"));
    start->Add(MakeQuestion(
        "How do I begin?",
        {{"Look around."},
         {"Open the door with the key that lies under the mat.", "Then go into the house now."}}));
    plan.root->Add(
        MakeText("About", {"This file is a small test of the plain-text export, with one line "
                           "that is long enough to wrap.",
                           "Second line."}));
    return plan;
}

// Worked out from the rules: the first subject of a subject gets no empty lines before its
// heading, any other heading two, and a heading of anything but a subject one empty line after
// it. A question with more than one hint starts with a bullet and each "-" becomes one. Lines of
// 20 characters or more run on into the next with a blank between (so the last hint line,
// followed by the empty line that closes the question, keeps a trailing blank); text lines end
// where they end; everything is flowed at the last blank before column 75.
const std::string kSmallGameText =
    "KLU: Hints for Small Game\n"
    "\n"
    "\n"
    "1. Caf\xE9 start\n"
    "\n"
    "\n"
    "1.1. How do I begin?\n"
    "\n"
    "* Look around.\n"
    "* Open the door with the key that lies under the mat. Then go into the\n"
    "house now. \n"
    "\n"
    "\n"
    "2. About\n"
    "\n"
    "This file is a small test of the plain-text export, with one line that is\n"
    "long enough to wrap.\n"
    "Second line.\n";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class KluExport : public ::testing::Test {
  protected:
    TempFolder folder_;
};

TEST_F(KluExport, NewerFormatFileToStdout) {
    const KluRun run = RunKlu({"export", folder_.Write("small.klu", Bytes(SmallGameSpec()))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kSmallGameText);
}

TEST_F(KluExport, OlderFormatFileExportsItsOnlyRoot) {
    const KluRun run = RunKlu({"export", folder_.Write("old.klu", Bytes(OlderFormatSpec()))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "KLU: Hints for Older\n\n\n"
              "1. Old subject\n\n\n"
              "1.1. Old question?\n\n"
              "* hint one\n"
              "* hint two\n");
}

TEST_F(KluExport, OutGetsTheSameBytesAsStdout) {
    const std::string path = folder_.Write("small.klu", Bytes(SmallGameSpec()));
    const std::string out_path = folder_.PathOf("small.txt");
    const KluRun to_file = RunKlu({"export", path, out_path});
    EXPECT_EQ(to_file.status, 0);
    EXPECT_EQ(to_file.out, "");
    EXPECT_EQ(to_file.err, "");
    EXPECT_EQ(ReadFile(out_path), RunKlu({"export", path}).out);
    EXPECT_EQ(ReadFile(out_path), kSmallGameText);
}

TEST_F(KluExport, OutIsReplacedWhole) {
    const std::string path = folder_.Write("old.klu", Bytes(OlderFormatSpec()));
    const std::string out_path = folder_.Write("old.txt", std::string(4000, 'x'));
    ASSERT_EQ(RunKlu({"export", path, out_path}).status, 0);
    EXPECT_EQ(ReadFile(out_path), RunKlu({"export", path}).out);
}

TEST_F(KluExport, FailedLoadWritesNothing) {
    std::string corrupted = Bytes(SmallGameSpec());
    corrupted.back() = static_cast<char>(corrupted.back() ^ 0x01);
    const std::string path = folder_.Write("bad.klu", corrupted);
    const std::string out_path = folder_.PathOf("bad.txt");
    const KluRun to_stdout = RunKlu({"export", path});
    EXPECT_EQ(to_stdout.status, 2);
    EXPECT_EQ(to_stdout.out, "");
    const KluRun to_file = RunKlu({"export", path, out_path});
    EXPECT_EQ(to_file.status, 2);
    EXPECT_FALSE(std::filesystem::exists(out_path));

    const KluRun not_hints = RunKlu({"export", folder_.Write("notes.txt", "plain\n"), out_path});
    EXPECT_EQ(not_hints.status, 1);
    EXPECT_FALSE(std::filesystem::exists(out_path));
}

TEST_F(KluExport, MissingFileCreatesNoOut) {
    const std::string missing = folder_.PathOf("missing.klu");
    const std::string out_path = folder_.PathOf("missing.txt");
    const KluRun run = RunKlu({"export", missing, out_path});
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(run.err, "The file " + missing + " could not be opened.\n");
    EXPECT_FALSE(std::filesystem::exists(out_path));
}

TEST_F(KluExport, OutThatCannotBeWrittenIsReported) {
    const std::string path = folder_.Write("small.klu", Bytes(SmallGameSpec()));
    const std::string out_path = folder_.PathOf("no-such-folder/small.txt");
    const KluRun run = RunKlu({"export", path, out_path});
    EXPECT_EQ(run.status, kCannotCreate);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "The file " + out_path + " could not be written.\n");

    const KluRun into_folder = RunKlu({"export", path, folder_.PathOf("")});
    EXPECT_EQ(into_folder.status, kCannotCreate);
}

}  // namespace
}  // namespace klu::cli_test
