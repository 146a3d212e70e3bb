// The outline that authors compile into hint files, and their round trip: a loaded file written
// as an outline compiles back into the same tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "fuzz/seed_catalog.h"
#include "fuzz/seed_media.h"
#include "model/document/hint_document.h"
#include "model/document/link_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/text_hunk.h"
#include "model/outline/markup_source.h"
#include "model/outline/outline.h"
#include "model/outline/tree_compare.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

using test::Items;
using test::Tree;

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
    ASSERT_NO_FATAL_FAILURE(CompileAndLoad(
        "title: \u00C5ngstr\u00F6m Quest\nsubject: \u00DCber alles\n    question: Where?\n"
        "        hint: Look around the caf\u00E9.\n    comment: |  na\u00EFve  |\n"
        "        > \u20AC 5\n",
        ".", doc));
    EXPECT_EQ(Tree(*doc.GetRoot()),
              "SUBJECT \xC5ngstr\xF6m Quest@1{SUBJECT \xDC" "ber alles@3{HINT Where?@5{"
              "Look around the caf\xE9.}|COMMENT   na\xEFve  @8{\x80 5}}}");
}

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
    folder.Write("map.png", seeds::TinyPng());
    folder.Write("book/map.png", seeds::TinyPng());
    folder.Write("book/text.png", "plain text");
    std::filesystem::create_symlink("../map.png", folder / "book/link.png");
    OutlineError error;
    EXPECT_TRUE(CompileOutline("title: T\npicture: P = map.png\n", book, &error)) << error.message;
    const std::vector<std::string> elements = {
        "picture: P = ../map.png", "picture: P = link.png", "picture: P = " + folder / "map.png",
        "picture: P = text.png", "sound: S = map.png", "gif: G = map.png"};
    for (const std::string& element : elements) {
        error = {};
        EXPECT_FALSE(CompileOutline("title: T\n" + element + "\n", book, &error)) << element;
        EXPECT_EQ(error.line, 2) << element;
    }
}

std::string WriteAndLoad(const HintFilePlan& plan, const std::string& path, HintDocument& doc) {
    test::WriteFile(path, test::WriteOrFail(plan));
    return test::LoadFileAt(path, doc) ? "" : "no load";
}

// Writes the plan, decompiles the file, compiles the outline and gives the difference of the
// two trees ("" for none), or what failed on the way.
std::string RoundTrip(const HintFilePlan& plan) {
    test::TempFolder folder;
    HintDocument first;
    const std::string failed = WriteAndLoad(plan, folder / "game.klu", first);
    return failed.empty() ? DecompiledDifference(first, folder / "game.klu", folder.path())
                          : failed;
}

// Every file the fuzzers start from, older parts tied in any way, links into pictures and to
// the root, roots of other kinds and line-feed copies among them.
TEST(OutlineRoundTrip, EveryCatalogFileThatLoadsComesBackAsTheSameTree) {
    test::TempFolder folder;
    size_t loaded = 0;
    for (const seeds::SeedFile& file : seeds::CatalogFiles()) {
        HintDocument document;
        if (!test::LoadFileAt(folder.Write(file.name, file.bytes), document))
            continue;  // damaged on purpose
        ++loaded;
        test::TempFolder out;
        const std::string difference =
            DecompiledDifference(document, folder / file.name, out.path());
        EXPECT_EQ(difference, "") << file.name;
        // The data read from the bytes in memory is the data read from the file.
        std::vector<char> bytes(file.bytes.begin(), file.bytes.end());
        HintDocument again;
        ASSERT_TRUE(LoadCompiledBytes(bytes, again));
        EXPECT_EQ(FingerprintOfBytes(again, {bytes.data(), bytes.size()}),
                  FingerprintOf(document, folder / file.name)) << file.name;
    }
    EXPECT_GE(loaded, 40u);
}

// What the seeds lack: markup at every line boundary, repeated titles, links to links, to
// nowhere and titled like the target that follows them, blanks at the ends of texts, accented
// letters, and hunks beside the root.
HintFilePlan MarkupAndOddities() {
    HintFilePlan plan = seeds::NewerFile("Caf\xE9 \xC5ngstr\xF6m");
    plan.subjects88 = {{"Old", {{"Why", {"ab#w-cd", "#p-"}}}}};
    plan.note88 = {" spaced note ", "#w+joined"};
    HintNode* room = plan.root->Add(MakeSubject("Room"));
    HintNode* twin = room->Add(MakeQuestion("Twin", {{"first #w- cut", "#w.x", "##5 #x#"},
                                                     {"#p-fixed", "y#p+"},
                                                     {"#+"},
                                                     {"plain line long enough to flow", "z"}}));
    HintNode* other = plan.root->Add(MakeSubject("Room"))->Add(MakeQuestion("Twin", {{"b"}}));
    HintNode* nested = room->Add(MakeNode("NESTHINT", "Nested"));
    nested->Separator().Line("#w-one").Line("two#p-").Separator().Line("three#+four");
    nested->Add(MakeQuestion("Inner", {{"i"}}));
    nested->Line("#w.after hunk");
    auto page = MakeText("Page", {"no#w+wrap here", "#w-a", "b#w.", "  indented", "trailing  "}, 3);
    room->Add(MakeLink("Page", page.get()));  // titled like its target, which follows it
    room->Add(std::move(page));
    room->Add(MakeNode("COMMENT", "  Blank edged  "))->Line("|quoted|").Line("#p- x #p+");
    room->Add(MakeLink("To the other twin", other));
    room->Add(MakeLink("To the first twin", twin));
    HintNode* link = room->Add(MakeLink("Link @ home", plan.root.get()));
    room->Add(MakeLink("To a link", link));
    auto nowhere = MakeLink("Nowhere", nullptr);
    nowhere->targetLine = 0;
    room->Add(std::move(nowhere));
    room->Add(MakeNode("FLUMMOX", "Unknown kind"));
    plan.root->Add(MakeNode("VERSION", "A version among the subjects"))->Line("v");
    auto version = MakeNode("VERSION", "96a");
    version->Line("#w-compiled").Line("by hand");
    plan.topLevel.push_back(std::move(version));
    plan.topLevel.push_back(MakeNode("COMMENT", "Beside the root"));
    auto info = MakeNode("INFO", "");
    info->Line("author=Ann").Line("copyright=game-note=both").Line("game-note=G #w- g");
    plan.topLevel.push_back(std::move(info));
    plan.checksumAt = ChecksumAt::InfoLength;
    return plan;
}

// The round trip means something only if the comparison sees a difference.
TEST(OutlineRoundTrip, MarkupRepeatedTitlesAndOddHunksComeBackAndChangesAreSeen) {
    EXPECT_EQ(RoundTrip(MarkupAndOddities()), "");
    test::TempFolder folder;
    HintDocument a;
    ASSERT_EQ(WriteAndLoad(MarkupAndOddities(), folder / "a.klu", a), "");
    auto changes = std::vector<std::function<void(HintFilePlan&)>>{
        [](HintFilePlan& p) {
            p.root->items[0].node->items[0].node->items[0].line = "first #w+ cut";
        },
        [](HintFilePlan& p) { p.root->items[0].node->items[5].node->linkTarget = p.root.get(); },
        [](HintFilePlan& p) { p.note88[1] = "#w-joined"; },
    };
    for (const auto& change : changes) {
        HintFilePlan changed = MarkupAndOddities();
        change(changed);
        HintDocument b;
        ASSERT_EQ(WriteAndLoad(changed, folder / "b.klu", b), "");
        EXPECT_NE(TreeDifference(a, folder / "a.klu", b, folder / "b.klu"), "");
        EXPECT_NE(FingerprintOf(a, folder / "a.klu"), FingerprintOf(b, folder / "b.klu"));
    }
    EXPECT_EQ(TreeDifference(a, folder / "a.klu", a, folder / "a.klu"), "");
}

// Random source lines in every way a body is read: whatever tree they make, the source found
// for it reads back to that tree.
TEST(MarkupSource, FindsSourceForTheTreeOfAnyMarkup) {
    std::mt19937 random(7);
    const std::string alphabet = "#####wWpP+-.5 ab";
    auto random_line = [&] {
        std::string line(random() % 3 == 0 ? 18 + random() % 6 : random() % 6, ' ');
        for (char& c : line)
            c = alphabet[random() % alphabet.size()];
        return line;
    };
    using Separators = SourceStyle::Separators;
    // The ways a body is read, and whether it may hold hunks.
    const std::pair<SourceStyle, bool> styles[] = {
        {{}, false},
        {{.separators = Separators::Hint}, false},
        {{.separators = Separators::Hint, .nested = true}, true},
        {{.separators = Separators::Older, .oneLinePerHint = true}, false},
        {{.breakMode = 1, .wrapMode = 2, .fontMode = 1}, false}};
    for (const auto& [style, hunks] : styles) {
        for (int round = 0; round < 2000; ++round) {
            MetaTextHunk hunk("", nullptr, HINT);
            hunk.breakMode = style.breakMode;
            hunk.wrapMode = style.wrapMode;
            hunk.fontMode = style.fontMode;
            const int count = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < count; ++i) {
                const auto roll = random() % 6;
                if (i > 0 &&
                    (style.oneLinePerHint || (style.separators != Separators::None && roll == 0))) {
                    if (style.separators == Separators::Hint) {
                        hunk.AppendSeparator();
                    } else {
                        auto* separator = new HunkLine("-");
                        separator->isSeparator = 1;
                        hunk.AddChild(separator);
                    }
                }
                if (hunks && roll == 1)
                    hunk.AddChild(new Hunk(std::string()));
                else
                    hunk.AddChild(new HunkLine(random_line()));
            }
            EXPECT_TRUE(SourceOf(hunk, style).has_value()) << round;
        }
    }
}

}  // namespace
}  // namespace klu
