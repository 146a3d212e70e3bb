#include "text_layout_links.h"

#include <algorithm>

#include "model/media_hunks.h"

namespace klu {

namespace {

// The hot spots of a picture fragment, moved to where the picture lies; none for other ones.
void AddHotSpots(const TWrapInfo& f, std::vector<TLinkInfo>& links) {
    const auto* picture = NodeCast<TPNGObject>(f.object);
    if (picture == nullptr) return;
    for (const Rect& r : picture->regions)
        links.push_back(
            {f.left + r.left, f.top + r.top, f.left + r.right, f.top + r.bottom, r.target});
}

}  // namespace

std::vector<TLinkInfo> LinksOf(const std::vector<TWrapInfo>& fragments) {
    std::vector<TLinkInfo> links;
    for (const TWrapInfo& f : fragments) {
        TKLUObject* object = f.object;
        if (object == nullptr || SeparatesHints(*object)) continue;
        if (object->GetType() == PNGOBJECT) {
            AddHotSpots(f, links);
        } else if (ShowsAsLink(*object)) {
            links.push_back({f.left, f.top, f.right, f.bottom, object});
        }
    }
    return links;
}

std::vector<TLinkInfo> HotSpotsOf(const std::vector<TWrapInfo>& fragments) {
    std::vector<TLinkInfo> spots;
    for (const TWrapInfo& f : fragments) {
        if (f.object == nullptr || f.object->GetType() != PNGOBJECT) continue;
        const auto first = static_cast<std::ptrdiff_t>(spots.size());
        AddHotSpots(f, spots);
        // A file may list a picture's regions in any order; a reader goes by where they are.
        std::stable_sort(spots.begin() + first, spots.end(),
                         [](const TLinkInfo& a, const TLinkInfo& b) {
                             return a.top != b.top ? a.top < b.top : a.left < b.left;
                         });
    }
    return spots;
}

TSeparatorLine SeparatorLineOf(const TWrapInfo& fragment, int control_width, int line_height) {
    const int y = fragment.top + line_height / 2;
    return {fragment.left, control_width + fragment.left - 2 * kLayoutMargin, y};
}

}  // namespace klu
