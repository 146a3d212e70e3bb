#pragma once

#include <cstdint>
#include <vector>

namespace klu {

class Hunk;

// The hunk each header line number names in a tree: the first in tree order, as a walk of the
// tree (FindByLine) finds it, without walking the tree for every link that is followed.
class LineIndex {
  public:
    // One pass over the tree below top, then a sort that is skipped when tree order is already
    // line order, as in a loaded file.
    explicit LineIndex(Hunk& top);

    // The hunk on that line, or none.
    Hunk* Find(int32_t line) const;

    // The index of the tree below top, made on first use and kept until top is destroyed. The
    // tree must not gain or lose hunks meanwhile; a loaded tree never does.
    static const LineIndex& Of(Hunk& top);
    // Called when top goes.
    static void Drop(const Hunk& top);

  private:
    // A sorted vector is half the memory of a hash map for a large tree, and as fast to ask.
    struct Entry {
        int32_t line;
        Hunk* hunk;
    };
    std::vector<Entry> entries_;
};

}  // namespace klu
