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

TEST_F(KluCompile, DumpOfTheResultShowsTheOutlinesTree) {
    folder_.Write("noise.wav", kSound);
    const KluRun run = Compile(R"(title: Small Game
; a comment line
subject: Getting started
    question: How do I begin?
        hint: Look around.
        hint: Open the door
            > with the key.
text: About
    flags: 2
    > This is a test.
link: Go to the start -> How do I begin?
sound: Noise = noise.wav
version: 1.0
    > made by hand
info:
    > author=Ann
)");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    const Dumped dumped = Dump(out_);
    ASSERT_EQ(dumped.run.status, 0) << dumped.run.err;
    const Json& entries = dumped.json.at("entries");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].at("title"), "Small Game");
    EXPECT_EQ(entries[1].at("title"), "Small Game");
    const Json& children = entries[1].at("children");
    ASSERT_EQ(children.size(), 4u);
    // 1 root, 3 subject, 5 question with its hint lines on 7 to 10.
    EXPECT_EQ(WithoutChildren(children[0]), Json::parse(R"({"type": "SUBJECT", "line": 3,
        "lines": 8, "title": "Getting started", "flags": "HWE"})"));
    EXPECT_EQ(children[0].at("children"), Json::parse(R"([{"type": "HINT", "line": 5, "lines": 6,
        "title": "How do I begin?", "flags": "HWE", "revealed": 0, "children": [
            {"text": "Look around.", "flags": "HWE"}, {"text": "-", "flags": "HSWE"},
            {"text": "Open the door", "flags": "HWE"}, {"text": "with the key.", "flags": "HWE"}]}])"));
    EXPECT_EQ(children[1].at("type"), "TEXT");
    EXPECT_EQ(children[1].at("textFlags"), 2);
    EXPECT_EQ(children[1].at("children"),
              Json::parse(R"([{"text": "This is a test.", "flags": "HE"}])"));
    EXPECT_EQ(children[2], Json::parse(R"({"type": "LINK", "line": 14, "lines": 3,
        "title": "Go to the start", "flags": "HWE", "target": 5})"));
    EXPECT_EQ(children[3].at("type"), "SOUND");
    EXPECT_EQ(children[3].at("length"), kSound.size());
    EXPECT_EQ(entries[2], Json::parse(R"({"type": "VERHUNK", "line": 20, "lines": 3,
        "title": "1.0", "flags": "W", "children": [{"text": "made by hand", "flags": "HWE"}]})"));
    EXPECT_EQ(entries[3].at("type"), "INFO");
    EXPECT_EQ(entries[3].at("children").at(1).at("text"), "Ann");
}

TEST_F(KluCompile, OlderFormatOutline) {
    const KluRun run = Compile(
        "title: Old Game\nformat: 88a\nsubject: Old subject\n  question: Old question\n"
        "    hint: hint one\n    hint: hint two\nnote: Thanks for playing.\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Dumped dumped = Dump(out_);
    const Json& entries = dumped.json.at("entries");
    ASSERT_EQ(entries.size(), 1u);
    const Json& subject = entries[0].at("children").at(0);
    EXPECT_EQ(subject.at("title"), "Old subject");
    EXPECT_EQ(subject.at("children").at(0).at("title"), "Old question?");
    EXPECT_EQ(subject.at("children").at(0).at("children").size(), 3u);
    EXPECT_EQ(RunKlu({"info", out_}).out, "Thanks for playing.\n");
}

TEST_F(KluCompile, OutlineAndWriterErrorsExit65AndWriteNothing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"title: X\nsubject: A\n\n    frob: y\n", ":4: unknown element \"frob\"\n"},
        {"title: X\n; note\nlink: Here -> Nowhere\n", ":3: no element is titled \"Nowhere\"\n"},
        {"subject: A\n", ":1: the outline starts with \"title:\"\n"},
        // A data file is looked for beside the outline, not in the working folder.
        {"title: X\nsound: Noise = noise.wav\n",
         ":2: cannot read \"" + folder_.PathOf("noise.wav") + "\"\n"},
        // The writer's errors have no line: a checksum at the data end, but no data to end.
        {"title: X\nchecksum: data-end\nsubject: A\n", ": the data end needs GIF or sound data\n"},
    };
    elsewhere_.Write("noise.wav", kSound);
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
