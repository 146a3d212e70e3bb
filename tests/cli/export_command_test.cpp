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

HintFileSpec SmallGameSpec() {
    HintFileSpec plan;
    plan.title88 = "Small Game, older part";
    plan.root = MakeSubject("Small Game");
    plan.root->Add(MakeSubject("Caf\xE9 start"))
        ->Add(
            MakeQuestion("How do I begin?", {{"Look around."},
                                             {"Open the door with the key that lies under the mat.",
                                              "Then go into the house now."}}));
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
    "KLU: Hints for Small Game\n\n\n"
    "1. Caf\xE9 start\n\n\n"
    "1.1. How do I begin?\n\n"
    "* Look around.\n"
    "* Open the door with the key that lies under the mat. Then go into the\n"
    "house now. \n\n\n"
    "2. About\n\n"
    "This file is a small test of the plain-text export, with one line that is\n"
    "long enough to wrap.\n"
    "Second line.\n";

std::string ReadFile(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

TEST(KluExport, TextGoesToStdoutOrReplacesOutWhole) {
    const TempFolder folder;
    const std::string path = folder.Write("small.klu", Bytes(SmallGameSpec()));
    const KluRun to_stdout = RunKlu({"export", path});
    EXPECT_EQ(to_stdout.status, 0);
    EXPECT_EQ(to_stdout.err, "");
    EXPECT_EQ(to_stdout.out, kSmallGameText);

    const std::string out_path = folder.Write("small.txt", std::string(4000, 'x'));
    const KluRun to_file = RunKlu({"export", path, out_path});
    EXPECT_EQ(to_file.status, 0);
    EXPECT_EQ(to_file.out + to_file.err, "");
    EXPECT_EQ(ReadFile(out_path), kSmallGameText);
}

TEST(KluExport, OlderFormatFileExportsItsOnlyRoot) {
    const TempFolder folder;
    const KluRun run = RunKlu({"export", folder.Write("old.klu", Bytes(OlderFormatSpec()))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "KLU: Hints for Older\n\n\n1. Old subject\n\n\n1.1. Old question?\n\n"
              "* hint one\n* hint two\n");
}

TEST(KluExport, FailuresCreateNoOut) {
    const TempFolder folder;
    const std::string small = folder.Write("small.klu", Bytes(SmallGameSpec()));
    const std::string out_path = folder.PathOf("out.txt");
    const std::string missing = folder.PathOf("missing.klu");
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {folder.Write("bad.klu", WithBrokenChecksum(SmallGameSpec())), 2, ""},
        {folder.Write("notes.txt", "plain\n"), 1, ""},
        {missing, 5, "The file " + missing + " could not be opened.\n"}};
    for (const auto& [path, status, err] : cases) {
        for (const bool to_file : {false, true}) {
            const KluRun run =
                to_file ? RunKlu({"export", path, out_path}) : RunKlu({"export", path});
            EXPECT_EQ(run.status, status) << path;
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, err);
            EXPECT_FALSE(std::filesystem::exists(out_path)) << path;
        }
    }
    // An OUT that cannot be written: in a missing folder, or a folder itself.
    for (const std::string& out : {folder.PathOf("no-such-folder/small.txt"), folder.PathOf("")}) {
        const KluRun run = RunKlu({"export", small, out});
        EXPECT_EQ(run.status, 73) << out;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "The file " + out + " could not be written.\n");
    }
}

}  // namespace
}  // namespace klu::cli_test
