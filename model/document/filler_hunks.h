#pragma once

#include "model/document/items_hunk.h"

namespace klu {

// An empty line between hunks; its title is read and ignored.
class BlankHunk : public Hunk {
  public:
    BlankHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    std::string GetName() const override { return {}; }
    HunkKind GetType() const override { return BLANK; }
    void Open() override {}
    void Flatten(MetaTextHunk&) override {}
};

// A hunk this reader reads past and never shows. Its lines are kept as stored, so that a file
// written back from the tree carries them on.
class IncentiveHunk : public ItemsHunk {
  public:
    IncentiveHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    HunkKind GetType() const override { return INCENTIVE; }
    // Nothing to show: opening it is no error either.
    void Open() override {}
    std::vector<std::string> storedLines;
};

// A hunk of a kind this reader does not know: its body is skipped, its keyword kept.
class UnknownHunk : public Hunk {
  public:
    UnknownHunk(HunkReader& reader, int32_t line_count, Hunk* owner, std::string keyword);
    std::string keyword;  // upper case, as the kind table compares it
};

}  // namespace klu
