#pragma once

#include "hunk.h"

namespace klu {

// A cross-reference to the hunk whose header stands on targetLine.
class TLinkHunk : public THunk {
  public:
    TLinkHunk(HunkReader& reader, int32_t line_count, THunk* owner);
    // A link built by the program (search results); the builder sets the target and marker.
    TLinkHunk(std::string name, THunk* owner);

    int GetType() const override { return LINK; }
    void Open() override;
    std::string GetNumber() const override;
    void Flatten(TMetaTextHunk&) override {}

    // The hunk the link leads to, in the tree of the top of the parent chain (see LineIndex);
    // none when no hunk has that line number.
    THunk* Target() const;

    int32_t targetLine = 0;
};

}  // namespace klu
