#pragma once

#include "model/document/hunk.h"

namespace klu {

// A cross-reference to the hunk whose header stands on targetLine.
class LinkHunk : public Hunk {
  public:
    LinkHunk(HunkReader& reader, int32_t line_count, Hunk* owner);
    // A link built by the program (search results); the builder sets the target and marker.
    LinkHunk(std::string name, Hunk* owner);

    HunkKind GetType() const override { return LINK; }
    void Open() override;
    std::string GetNumber() const override;
    void Flatten(MetaTextHunk&) override {}

    // The hunk the link leads to, in the tree of the top of the parent chain (see LineIndex);
    // none when no hunk has that line number.
    Hunk* Target() const;

    int32_t targetLine = 0;
};

}  // namespace klu
