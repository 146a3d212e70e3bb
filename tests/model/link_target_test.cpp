// Where links lead when line numbers repeat or do not follow tree order, as in hunks the
// program builds: the first hunk in tree order on that line, as a walk of the tree finds it.
#include <gtest/gtest.h>

#include "model/document/link_hunk.h"
#include "model/document/meta_text_hunk.h"
#include "model/export/search.h"

namespace klu {
namespace {

std::string NameOf(const Hunk* hunk) {
    return hunk ? hunk->title.str() : "none";
}

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
    for (KLUObject* child : results->children) {
        if (auto* result = NodeCast<LinkHunk>(child)) targets += NameOf(result->Target()) + " ";
    }
    EXPECT_EQ(targets, "a b a ");
}

}  // namespace
}  // namespace klu
