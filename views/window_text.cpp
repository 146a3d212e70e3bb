#include "window_text.h"

#include <algorithm>

#include "model/document/items_hunk.h"

namespace klu {

std::string VisibleText(const ItemsHunk& hunk, int visible_count) {
    const size_t count =
        std::min(hunk.GetChildCount(), static_cast<size_t>(std::max(visible_count, 0)));
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        const KLUObject& child = *hunk.GetChild(i);
        if (SeparatesHints(child)) {
            text += "\n";
            continue;
        }
        text += child.GetName();
        if (child.hardBreak || i + 1 == count)
            text += "\n";
        else if (child.endsSourceLine)
            text += ' ';
    }
    return text;
}

}  // namespace klu
