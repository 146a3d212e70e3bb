// klu compile: outlines compiled into hint files that load back into the outline's tree, and
// the errors of an outline, of the writer and of the files involved.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "dump_support.h"
#include "run_klu.h"
#include "temp_folder.h"

namespace klu::cli_test {
namespace {

constexpr std::string_view kSound = "RIFF    WAVE outline sound";

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

// Outline errors exit 65 with the line of the mistake, an unreadable source 66 and an OUT that
// cannot be written 73; none of them leaves an OUT behind.
TEST_F(KluCompile, ErrorsExitWithTheirOwnStatusAndWriteNothing) {
    const std::string frob = folder_.Write("frob.txt", "title: X\nsubject: A\n\n    frob: y\n");
    const std::string link = folder_.Write("link.txt", "title: X\n; note\nlink: Here -> Nowhere\n");
    const std::string ok = folder_.Write("ok.txt", "title: X\nsubject: A\n");
    const std::string to_link =
        folder_.Write("to-link.txt", "title: X\nlink: A -> B\nlink: B -> X\n");
    const std::string missing = folder_.PathOf("missing.txt");
    const std::string no_folder = folder_.PathOf("no-such-folder/x.klu");
    const std::vector<std::tuple<std::string, std::string, int, std::string>> cases = {
        {frob, out_, 65, frob + ":4: unknown element \"frob\"\n"},
        {link, out_, 65, link + ":3: no element is titled \"Nowhere\"\n"},
        {to_link, out_, 65,
         to_link + ":2: \"B\" is the title of a link; a link leads to a link by its id "
                   "(\"-> @id\")\n"},
        {missing, out_, 66, "The file " + missing + " could not be read.\n"},
        {ok, no_folder, 73, "The file " + no_folder + " could not be written.\n"},
    };
    for (const auto& [source, out, status, err] : cases) {
        const KluRun run = RunKlu({"compile", source, out});
        EXPECT_EQ(run.status, status) << source;
        EXPECT_EQ(run.err, err);
        EXPECT_FALSE(std::filesystem::exists(out)) << source;
    }
}

}  // namespace
}  // namespace klu::cli_test
