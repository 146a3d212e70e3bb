// Where links lead when line numbers repeat or do not follow tree order, as in hunks the
// program builds: the first hunk in tree order on that line, as a walk of the tree finds it.
#include <gtest/gtest.h>

#include "model/link_hunk.h"
#include "model/meta_text_hunk.h"
#include "model/search.h"

namespace klu {
namespace {

std::string NameOf(const THunk* hunk) {
    return hunk ? hunk->title.str() : "none";
}

// root@10 { a@3 { b@7 { c@3 "lantern" } } | d@7 { link@20 } | e@1 }
class RepeatedLines : public ::testing::Test {
  protected:
    template <typename Hunk = TItemsHunk>
    Hunk* Add(TItemsHunk& parent, const char* name, int32_t line) {
        auto* hunk = new Hunk(name, &parent);
        hunk->lineNumber = line;
        parent.children.push_back(hunk);
        return hunk;
    }
    void SetUp() override {
        root.lineNumber = 10;
        c = Add(*Add(*Add(root, "a", 3), "b", 7), "c", 3);
        c->children.push_back(new THunkLine("lantern"));
        link = Add<TLinkHunk>(*Add(root, "d", 7), "link", 20);
        Add(root, "e", 1);
    }
    TItemsHunk root{"root"};
    TItemsHunk* c = nullptr;
    TLinkHunk* link = nullptr;
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
    for (TKLUObject* child : results->children) {
        if (auto* result = NodeCast<TLinkHunk>(child)) targets += NameOf(result->Target()) + " ";
    }
    EXPECT_EQ(targets, "a b a ");
}

}  // namespace
}  // namespace klu
