#pragma once

#include <vector>

#include "text_layout.h"

namespace klu {

// The clickable regions of laid-out fragments, in fragment order: the rectangle of every
// fragment of a sub-hunk's title, and the hot spots of every picture moved to where the picture
// lies. Plain lines, separators and pictures themselves give none.
std::vector<LinkInfo> LinksOf(const std::vector<WrapInfo>& fragments);
// Only the hot spots of the pictures among the fragments, picture by picture, each picture's in
// reading order: top to bottom, then left to right.
std::vector<LinkInfo> HotSpotsOf(const std::vector<WrapInfo>& fragments);

// The rule drawn for a separator fragment: across the text width at the middle of its line.
struct SeparatorLine {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    bool operator==(const SeparatorLine&) const = default;
};
SeparatorLine SeparatorLineOf(const WrapInfo& fragment, int control_width, int line_height);

}  // namespace klu
