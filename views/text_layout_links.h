#pragma once

#include <vector>

#include "text_layout.h"

namespace klu {

// The clickable regions of laid-out fragments, in fragment order: the rectangle of every
// fragment of a sub-hunk's title, and the hot spots of every picture moved to where the picture
// lies. Plain lines, separators and pictures themselves give none.
std::vector<TLinkInfo> LinksOf(const std::vector<TWrapInfo>& fragments);
// Only the hot spots of the pictures among the fragments, picture by picture, each picture's in
// reading order: top to bottom, then left to right.
std::vector<TLinkInfo> HotSpotsOf(const std::vector<TWrapInfo>& fragments);

// The rule drawn for a separator fragment: across the text width at the middle of its line.
struct TSeparatorLine {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    bool operator==(const TSeparatorLine&) const = default;
};
TSeparatorLine SeparatorLineOf(const TWrapInfo& fragment, int control_width, int line_height);

}  // namespace klu
