#include "model/document/line_index.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "model/document/items_hunk.h"

namespace klu {

LineIndex::LineIndex(Hunk& top) {
    // Depth first, children in order: the order FindByLine tries them. A stack rather than
    // recursion, as a tree may nest far.
    std::vector<Hunk*> pending{&top};
    while (!pending.empty()) {
        Hunk* hunk = pending.back();
        pending.pop_back();
        entries_.push_back({hunk->lineNumber, hunk});
        const auto* items = NodeCast<ItemsHunk>(hunk);
        if (!items) continue;
        for (auto child = items->children.end(); child != items->children.begin();) {
            if (Hunk* child_hunk = (*--child)->AsHunk()) pending.push_back(child_hunk);
        }
    }
    const auto by_line = [](const Entry& a, const Entry& b) { return a.line < b.line; };
    if (!std::is_sorted(entries_.begin(), entries_.end(), by_line))
        std::stable_sort(entries_.begin(), entries_.end(), by_line);
    // Of hunks that share a line, the first in tree order stays.
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [](const Entry& a, const Entry& b) { return a.line == b.line; }),
                   entries_.end());
    entries_.shrink_to_fit();
}

Hunk* LineIndex::Find(int32_t line) const {
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), line,
                                        [](const Entry& e, int32_t l) { return e.line < l; });
    return found != entries_.end() && found->line == line ? found->hunk : nullptr;
}

namespace {

// Never destroyed, so that a tree that outlives the statics can still drop its index.
std::unordered_map<const Hunk*, std::unique_ptr<LineIndex>>& Indexes() {
    static auto* const indexes = new std::unordered_map<const Hunk*, std::unique_ptr<LineIndex>>;
    return *indexes;
}

}  // namespace

const LineIndex& LineIndex::Of(Hunk& top) {
    std::unique_ptr<LineIndex>& index = Indexes()[&top];
    if (!index) {
        index = std::make_unique<LineIndex>(top);
        top.hasLineIndex = 1;
    }
    return *index;
}

void LineIndex::Drop(const Hunk& top) {
    Indexes().erase(&top);
}

}  // namespace klu
