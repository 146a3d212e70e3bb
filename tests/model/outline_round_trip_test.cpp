// Authors' round trip: a loaded file written as an outline compiles back into the same tree.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "fuzz/seed_catalog.h"
#include "fuzz/seed_media.h"
#include "model/document/hint_document.h"
#include "model/outline/markup_source.h"
#include "model/document/meta_text_hunk.h"
#include "model/outline/outline.h"
#include "model/outline/tree_compare.h"
#include "model_test_support.h"
#include "temp_folder.h"

namespace klu {
namespace {

// Writes the plan to the path and loads it, "" on success or what failed.
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
                if (hunks && roll == 1) {
                    hunk.AddChild(new Hunk(std::string()));
                } else {
                    hunk.AddChild(new HunkLine(random_line()));
                }
            }
            EXPECT_TRUE(SourceOf(hunk, style).has_value()) << round;
        }
    }
}

}  // namespace
}  // namespace klu
