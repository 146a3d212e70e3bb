// The outline that authors compile into hint files.
#include "model/outline/outline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fuzz/seed_media.h"
#include "model/document/link_hunk.h"
#include "model/document/text_hunk.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::Items;
using test::Tree;

// Compiles an outline whose data files lie in folder and loads the file it makes.
void CompileAndLoad(const std::string& outline, const std::string& folder, HintDocument& doc) {
    OutlineError error;
    auto plan = CompileOutline(outline, folder, &error);
    ASSERT_TRUE(plan) << error.line << ": " << error.message;
    ASSERT_EQ(test::LoadBytes(test::WriteOrFail(*plan), doc), LoadResult::Ok);
}

TEST(Outline, BuildsTheTreeItDescribesInWindows1252) {
    HintDocument doc;
    ASSERT_NO_FATAL_FAILURE(CompileAndLoad(R"(; a comment
title: The Bay
subject: Beach
    question: How do I pass the crab?
        hint: Crabs dislike noise.
        hint: Ring the bell
            > you found in the boathouse.
    text: About the beach
        flags: 3
        > Gulls cry overhead.
        > The tide is out.
    link: Back to the crab -> How do I pass the crab?
    blank:
subject: Lighthouse
    nested: Still stuck?
        > Think about the tide.
        -
        > Then the moon.
        question: Where is the moon?
            hint: Up.
    comment: Remark
        > plain #p- text
version: 96a
    > outline compiler
info:
    > author=Ann Example
)",
                                           ".", doc));
    EXPECT_EQ(Tree(*doc.GetRoot()),
              "SUBJECT The Bay@1{SUBJECT Beach@3{HINT How do I pass the crab?@5{"
              "Crabs dislike noise.|--|Ring the bell|you found in the boathouse.}|"
              "TEXT About the beach@11{Gulls cry overhead.|The tide is out.}|"
              "LINK Back to the crab@14|BLANK @17}|SUBJECT Lighthouse@19{NESTHINT Still stuck?@21{"
              "Think about the tide.|--|Then the moon.|HINT Where is the moon?@27{Up.}}|"
              "COMMENT Remark@30{plain | text}}}");
    auto* beach = Items(Items(doc.GetRoot())->children.at(0));
    EXPECT_EQ(NodeCast<TextHunk>(beach->children.at(1))->flags, 3);
    EXPECT_EQ(NodeCast<LinkHunk>(beach->children.at(2))->Target(), beach->children[0]);
    EXPECT_EQ(Tree(*doc.Entry(2)), "VERHUNK 96a@33{outline compiler}");
    EXPECT_EQ(Items(doc.FindByType(INFO))->children.at(1)->title, "Ann Example");

    // Unicode text becomes the file's Windows-1252.
    ASSERT_NO_FATAL_FAILURE(CompileAndLoad("title: \u00C5ngstr\u00F6m Quest\n"
                                           "subject: \u00DCber alles\n"
                                           "    question: Where?\n"
                                           "        hint: Look around the caf\u00E9.\n"
                                           "    comment: |  na\u00EFve  |\n"
                                           "        > \u20AC 5\n",
                                           ".", doc));
    EXPECT_EQ(Tree(*doc.GetRoot()),
              "SUBJECT \xC5ngstr\xF6m Quest@1{SUBJECT \xDC" "ber alles@3{HINT Where?@5{"
              "Look around the caf\xE9.}|COMMENT   na\xEFve  @8{\x80 5}}}");
}

// A chain of subjects, each inside the one before.
std::string NestedSubjects(int depth) {
    std::string text = "title: T\n";
    for (int i = 0; i < depth; ++i)
        text += std::string(static_cast<size_t>(i), ' ') + "subject: S\n";
    return text;
}

TEST(Outline, ReportsTheLineOfAMistake) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"title: T\ntext: X\n    flags: 4294967296\n", 3},
        {"title: T\ntext: X\n    flags: 3x\n", 3},
        {NestedSubjects(1000), 1001},  // with the root, deeper than a file loads
        {NestedSubjects(2500), 2003},  // deeper than any element nests: lines nest no further
        {"title: T\nsubject: Erd\u0151s\n", 2},
        {"title: T\nquestion: Q\n    hint: ok\n    hint: tr\u00E8s\n", 4},
        {"title: T\ntext: P\n    > caf\u00E9\n", 3},
        {"title: T\ncomment: C\n    > cut \xC3\n", 3},
        {"title: T\nsubject: S\n    id: x\nsubject: R\n    id: x\n", 5},
        {"title: T\nlink: L -> @nobody\n", 2},
        {"subject: no title first\n", 1},
        {"title: T\nsubject: S\n    hint: not under a question\n", 3},
        {"title: T\nlink: Nowhere -> Missing title\n", 2},
        {"title: T\n\nsubject: S\n    frobnicate: what\n", 4},
        {"title: T\npicture: P = no-such-file.png\n", 2},
        {"title: T\nsound: S =\n    bytes: UklGR=g=\n", 3},
        {"title: T\ngif: G = g.gif\n    bytes:\n", 3},
        {"title: T\nsubject: S\n    > a line in a subject\n", 3},
        {"title: T\nquestion: Q\n    hint: a\n    just words\n", 4},
        // An older part as it stands: a title of the wrong kind, titles the numbers have no room
        // for, an entry before its numbers; two roots.
        {"title: T\nformat: 88a\nlines: 5 5\nsubject: S -> 3\nsubject: Q -> 5\n", 5},
        {"title: T\nformat: 88a\nlines: 3 3\nquestion: A -> 1\nquestion: B -> 1\n", 3},
        {"title: T\nformat: 88a\nquestion: A -> 1\nlines: 3 3\n", 3},
        {"title: T\nolder: O\n    lines: 5 5\n    subject: S -> 3\n", 3},
        {"title: T\ntext: T\n    root: yes\ntext: T\n    root: yes\n", 4},
    };
    for (const auto& [text, line] : cases) {
        OutlineError error;
        EXPECT_FALSE(CompileOutline(text, ".", &error)) << text;
        EXPECT_EQ(error.line, line) << text << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

// The folder of the outline holds its data files, which must be what their element says.
TEST(Outline, TakesOnlyDataFilesInItsFolderThatTheReaderCanShowOrPlay) {
    test::TempFolder folder;
    const std::string book = folder / "book";
    std::filesystem::create_directory(book);
    for (const char* name : {"map.png", "book/map.png"})
        std::ofstream(folder / name, std::ios::binary) << seeds::TinyPng();
    std::ofstream(folder / "book/text.png") << "plain text";
    std::filesystem::create_symlink("../map.png", folder / "book/link.png");
    OutlineError error;
    EXPECT_TRUE(CompileOutline("title: T\npicture: P = map.png\n", book, &error)) << error.message;
    for (const std::string& element : std::vector<std::string>{"picture: P = ../map.png", "picture: P = link.png", "picture: P = " + (folder / "map.png"),
          "picture: P = text.png", "sound: S = map.png", "gif: G = map.png"}) {
        error = {};
        EXPECT_FALSE(CompileOutline("title: T\n" + element + "\n", book, &error)) << element;
        EXPECT_EQ(error.line, 2) << element;
    }
}

}  // namespace
}  // namespace klu
