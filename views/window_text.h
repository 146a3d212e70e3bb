#pragma once

#include <string>

namespace klu {

class ItemsHunk;

// The text a window shows, as Copy puts it on the clipboard: children 0 to visible_count - 1,
// each by its name; a separator gives an empty line, a line that ends a paragraph (or the last
// one) ends with "\n" (this platform's line end: a CR would stay in what it is pasted into), a
// line that ended a line of the file is joined to the next by a blank.
std::string VisibleText(const ItemsHunk& hunk, int visible_count);

}  // namespace klu
