// klu compile: outlines compiled into hint files that load back into the outline's tree, and
// the errors of an outline, of the writer and of the files involved.

#include <gtest/gtest.h>

#include <filesystem>

#include "dump_support.h"
#include "run_klu.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

constexpr std::string_view kSound = "RIFF outline sound WAVEfmt ";

class KluCompile : public ::testing::Test {
  protected:
    // Compiles from another working folder, so that data files are found beside the outline.
    KluRun Compile(std::string_view outline) {
        source_ = folder_.Write("game.txt", outline);
        return RunKlu({"compile", source_, out_}, elsewhere_.PathOf(""));
    }
    TempFolder folder_;
    TempFolder elsewhere_;
    std::string source_;
    const std::string out_ = folder_.PathOf("game.klu");
};

// The tree an outline describes is the model's business; here the file is written, loads, and
// takes its data from beside the outline.
TEST_F(KluCompile, WritesAFileThatLoadsWithDataFromBesideTheOutline) {
    folder_.Write("noise.wav", kSound);
    const KluRun run = Compile(
        "title: Small Game\nsubject: Getting started\n    question: How do I begin?\n"
        "        hint: Look around.\nsound: Noise = noise.wav\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    const Dumped dumped = Dump(out_);
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    const Json& root = dumped.json.at("entries").at(1);
    EXPECT_EQ(root.at("title"), "Small Game");
    EXPECT_EQ(root.at("children").at(0).at("children").at(0).at("title"), "How do I begin?");
    EXPECT_EQ(root.at("children").at(1).at("type"), "SOUND");
    EXPECT_EQ(root.at("children").at(1).at("length"), kSound.size());
}

TEST_F(KluCompile, OutlineErrorsExit65AndWriteNothing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"title: X\nsubject: A\n\n    frob: y\n", ":4: unknown element \"frob\"\n"},
        {"title: X\n; note\nlink: Here -> Nowhere\n", ":3: no element is titled \"Nowhere\"\n"},
    };
    for (const auto& [outline, message] : cases) {
        const KluRun run = Compile(outline);
        EXPECT_EQ(run.status, 65) << outline;
        EXPECT_EQ(run.err, source_ + message);
        EXPECT_FALSE(std::filesystem::exists(out_)) << outline;
    }
}

TEST_F(KluCompile, UnreadableSourceExits66AndUnwritableOut73) {
    const std::string missing = folder_.PathOf("missing.txt");
    const KluRun no_source = RunKlu({"compile", missing, out_});
    EXPECT_EQ(no_source.status, 66);
    EXPECT_EQ(no_source.err, "The file " + missing + " could not be read.\n");
    EXPECT_FALSE(std::filesystem::exists(out_));

    const std::string source = folder_.Write("ok.txt", "title: X\nsubject: A\n");
    const std::string out = folder_.PathOf("no-such-folder/x.klu");
    const KluRun no_out = RunKlu({"compile", source, out});
    EXPECT_EQ(no_out.status, 73);
    EXPECT_EQ(no_out.err, "The file " + out + " could not be written.\n");
}

}  // namespace
}  // namespace klu::cli_test
