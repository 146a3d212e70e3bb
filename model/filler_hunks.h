#pragma once

#include "items_hunk.h"

namespace klu {

// An empty line between hunks; its title is read and ignored.
class TBlankHunk : public THunk {
  public:
    TBlankHunk(HunkReader& reader, int32_t line_count, THunk* owner);
    std::string GetName() const override { return {}; }
    int GetType() const override { return BLANK; }
    void Open() override {}
    void Flatten(TMetaTextHunk&) override {}
};

// A hunk this reader reads past and never shows. Its lines are kept as stored, so that a file
// written back from the tree carries them on.
class TIncentiveHunk : public TItemsHunk {
  public:
    TIncentiveHunk(HunkReader& reader, int32_t line_count, THunk* owner);
    int GetType() const override { return INCENTIVE; }
    // Nothing to show: opening it is no error either.
    void Open() override {}
    std::vector<std::string> storedLines;
};

// A hunk of a kind this reader does not know: its body is skipped, its keyword kept.
class TUnknownHunk : public THunk {
  public:
    TUnknownHunk(HunkReader& reader, int32_t line_count, THunk* owner, std::string keyword);
    std::string keyword;  // upper case, as the kind table compares it
};

}  // namespace klu
