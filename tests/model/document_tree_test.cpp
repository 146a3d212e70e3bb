// The document tree: line texts borrowed, owned or inline in the document's arena; children
// lists in the arena or on the heap; what searching reads and records, and where links lead.
#include <gtest/gtest.h>

#include "fuzz/seed_catalog.h"
#include "model/document/child_list.h"
#include "model/document/klu_object.h"
#include "model/document/line_text.h"
#include "model/document/link_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/tree_arena.h"
#include "model/export/search.h"
#include "model_test_support.h"

namespace klu {
namespace {

using test::LoadBytes;
using Entries = std::vector<std::vector<std::string>>;

TEST(LineText, CopiesOwnTheirCharactersAndPartsKeepTheWayTheirTextIsHeld) {
    std::string kept = "kept characters";
    const LineText borrowed = LineText::Borrowed(kept);
    const LineText copy = borrowed;
    LineText assigned;
    assigned = borrowed;
    const LineText owned_part = LineText(kept).Part(5);
    const LineText borrowed_part = borrowed.Part(5, 4);
    kept.replace(0, kept.size(), kept.size(), '#');
    // The borrowed text and its part see the change; every copy was made before it.
    EXPECT_EQ(borrowed.view(), kept);
    EXPECT_EQ(borrowed_part, "####");
    EXPECT_EQ(copy, "kept characters");
    EXPECT_EQ(assigned, "kept characters");
    EXPECT_EQ(owned_part, "characters");
}

TEST(LineText, ArenaLinesEndWithDeleteAndTheirMemoryGoesWithTheArena) {
    TreeArena arena;
    HunkLine* line = arena.NewLine("a loaded line");
    EXPECT_EQ(line->inArena, 1);
    EXPECT_EQ(line->title, "a loaded line");
    line->SetName("renamed by the program");  // owned now: its characters go with the line
    delete line;
    auto* heap_line = new HunkLine("built by the program");
    EXPECT_EQ(heap_line->inArena, 0);
    delete heap_line;
}

// An arena line holds its characters in its own block, just after the size: setting its text
// to another must not reach into the line laid after it, and a part or a move of the text must
// outlive a change of the line.
TEST(LineText, InlineTextsStayWithinTheirLineAndAreCopiedWhenTakenAway) {
    for (const std::string_view text : {"", "a", "seven c", "eight ch", "a longer line of text"}) {
        SCOPED_TRACE(text);
        TreeArena arena;
        HunkLine* line = arena.NewLine(text);
        const HunkLine* next = arena.NewLine("the next line");
        const LineText part = line->title.Part(0, 4);
        LineText moved = std::move(line->title);
        EXPECT_EQ(line->title, text);  // moving inline characters leaves them where they are
        line->title = "replaced by a text far longer than the line held";
        EXPECT_EQ(part, text.substr(0, 4));
        EXPECT_EQ(moved, text);
        EXPECT_EQ(next->title, "the next line");
        line->title = std::move(moved);
        EXPECT_EQ(line->title, text);
        EXPECT_EQ(next->title, "the next line");
        delete line;  // frees the text it owns now
    }
}

TEST(ChildList, EditsMatchAVectorWhereverTheItemsLie) {
    TreeArena arena;
    std::vector<HunkLine> lines(12);
    ChildList list;
    std::vector<KLUObject*> expected;
    auto edit = [&](const char* step, auto change) {
        SCOPED_TRACE(step);
        change(list);
        change(expected);
        ASSERT_EQ(list.size(), expected.size());
        EXPECT_TRUE(std::equal(list.begin(), list.end(), expected.begin()));
    };
    auto append = [&lines](size_t count) {
        return [&lines, count](auto& children) {
            for (size_t i = 0; i < count; ++i)
                children.push_back(&lines[i]);
        };
    };
    list.ReserveIn(arena, 2);
    edit("appended past the reserved room", append(5));  // two fit in it, the rest go to the heap
    list.FitInto(arena);
    EXPECT_EQ(list.capacity(), list.size());
    edit("fitted into the arena", [](auto&) {});
    edit("inserted in the middle and at the end", [&lines](auto& children) {
        children.insert(children.begin() + 2, &lines[9]);
        children.insert(children.end(), &lines[10]);
    });
    edit("erased", [](auto& children) {
        children.erase(children.begin() + 1, children.begin() + 3);
        children.erase(children.begin());
    });
    edit("erased by a test", [&lines](auto& children) {
        EXPECT_EQ(erase_if(children, [&](KLUObject* child) { return child == &lines[3]; }), 1u);
    });
    list.ReserveIn(arena, 3);  // from the heap into the arena, with room for three more
    edit("reserved in the arena again", append(3));
    EXPECT_EQ(list.at(list.size() - 1), &lines[2]);
    EXPECT_THROW(list.at(list.size()), std::out_of_range);
}

// Each entry as "title@line" strings, entries closed by the one-blank line.
Entries EntriesOf(const MetaTextHunk& results) {
    Entries entries(1);
    for (const KLUObject* child : results.children) {
        if (child->IsHunk()) {
            auto* link = static_cast<const LinkHunk*>(child);
            entries.back().push_back(link->title.str() + "@" + std::to_string(link->targetLine));
        } else if (child->title == " ") {
            entries.emplace_back();
        } else {
            EXPECT_EQ(child->title, ":");
        }
    }
    entries.pop_back();
    return entries;
}

// Root (1) > "Subject 1" (3) > "Question 1?" (5), "Question 2?" (8, two lines); "Subject 2" (12)
// > nested hint (14: title, a line, "=") with an embedded question (18).
class SearchFile : public ::testing::Test {
  protected:
    void SetUp() override {
        HintFilePlan plan = seeds::NewerFile("Root");
        HintNode* first = plan.root->Add(MakeSubject("Subject 1"));
        first->Add(MakeQuestion("Question 1?", {{"Look under the doormat"}}));
        first->Add(MakeQuestion("Question 2?", {{"The brass key opens the", "cellar door below"}}));
        HintNode* nest =
            plan.root->Add(MakeSubject("Subject 2"))->Add(MakeNode("NESTHINT", "Nested"));
        nest->Line("A hint about the doormat");
        nest->Add(MakeQuestion("Inner?", {{"doormat again"}}));
        ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
    }
    Entries Search(std::string_view phrase) {
        results = FindInTree(*doc.GetRoot(), phrase);
        EXPECT_EQ(results->parent, doc.GetRoot());
        return EntriesOf(*results);
    }
    HintDocument doc;
    std::unique_ptr<MetaTextHunk> results;
};

TEST_F(SearchFile, EachMatchGivesTheChainOfLinksFromTheTopInPreOrder) {
    EXPECT_EQ(Search("brass"), (Entries{{"Subject 1@3", "Question 2?@8"}}));
    EXPECT_EQ(results->title, "Search Results for \"brass\"");
    EXPECT_EQ(static_cast<LinkHunk*>(results->children[2])->Target(),
              doc.GetRoot()->FindByName("Question 2?"));
    // A phrase across two source lines is found, in any case.
    EXPECT_EQ(Search("OPENS THE CELLAR"), (Entries{{"Subject 1@3", "Question 2?@8"}}));
    EXPECT_EQ(Search("doormat"), (Entries{{"Subject 1@3", "Question 1?@5"},
                                          {"Subject 2@12", "Nested@14"},
                                          {"Subject 2@12", "Nested@14", "Inner?@18"}}));
    // Titles of children make their parent the match.
    EXPECT_EQ(Search("question"), (Entries{{"Subject 1@3"}}));
    // Titles of the root's children: the root matches, with an entry of no links.
    EXPECT_EQ(Search("subject 2"), (Entries{{}}));
    EXPECT_EQ(results->children.size(), 1u);
}

// A blank follows a piece of a line that ends a line on screen, as in a hunk that ends every
// line, though the source line goes on; a piece that runs on joins the next directly.
TEST(SearchAcrossPieces, APieceEndingALineOnScreenIsFollowedByABlank) {
    const struct {
        std::vector<std::string> lines;
        const char* phrase;
        bool found;
    } cases[] = {
        {{"#w-", "Turn the#+wheel"}, "the wheel", true},
        {{"#w-", "Turn the#+wheel"}, "thewheel", false},
        {{"Turn the#+wheel"}, "thewheel", true},
    };
    for (const auto& c : cases) {
        HintFilePlan plan = seeds::NewerFile("Root");
        plan.root->Add(MakeQuestion("Q?", {c.lines}));
        HintDocument doc;
        ASSERT_EQ(LoadBytes(test::WriteOrFail(plan), doc), LoadResult::Ok);
        EXPECT_EQ(FindInTree(*doc.GetRoot(), c.phrase)->children.empty(), !c.found)
            << c.lines.front() << " / " << c.phrase;
    }
}

std::string NameOf(const Hunk* hunk) {
    return hunk ? hunk->title.str() : "none";
}

// A link leads to the first hunk in tree order on its line, as a walk of the tree finds it.
// root@10 { a@3 { b@7 { c@3 "lantern" } } | d@7 { link@20 } | e@1 }
class RepeatedLines : public ::testing::Test {
  protected:
    template <typename Hunk = ItemsHunk>
    Hunk* Add(ItemsHunk& parent, const char* name, int32_t line) {
        auto* hunk = new Hunk(name, &parent);
        hunk->lineNumber = line;
        parent.children.push_back(hunk);
        return hunk;
    }
    void SetUp() override {
        root.lineNumber = 10;
        c = Add(*Add(*Add(root, "a", 3), "b", 7), "c", 3);
        c->children.push_back(new HunkLine("lantern"));
        link = Add<LinkHunk>(*Add(root, "d", 7), "link", 20);
        Add(root, "e", 1);
    }
    ItemsHunk root{"root"};
    ItemsHunk* c = nullptr;
    LinkHunk* link = nullptr;
};

TEST_F(RepeatedLines, ALinkLeadsToTheFirstHunkInTreeOrderOnItsLine) {
    const struct {
        int32_t line;
        const char* target;
    } rows[] = {{10, "root"}, {3, "a"}, {7, "b"}, {1, "e"}, {20, "link"}, {5, "none"}, {0, "none"}};
    for (const auto& row : rows) {
        link->targetLine = row.line;
        EXPECT_EQ(NameOf(link->Target()), row.target) << row.line;
        EXPECT_EQ(link->Target(), root.FindByLine(row.line)) << row.line;
    }
}

TEST_F(RepeatedLines, ASearchResultLeadsIntoTheSearchedTree) {
    const auto results = FindInTree(root, "lantern");
    std::string targets;
    for (KLUObject* child : results->children)
        if (auto* result = NodeCast<LinkHunk>(child)) targets += NameOf(result->Target()) + " ";
    EXPECT_EQ(targets, "a b a ");
}

}  // namespace
}  // namespace klu
