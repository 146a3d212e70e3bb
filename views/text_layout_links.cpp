#include "text_layout_links.h"

#include <algorithm>

#include "model/document/media_hunks.h"

namespace klu {

namespace {

// The hot spots of a picture fragment, moved to where the picture lies; none for other ones.
void AddHotSpots(const WrapInfo& f, std::vector<LinkInfo>& links) {
    const auto* picture = NodeCast<PNGObject>(f.object);
    if (picture == nullptr) return;
    for (const Rect& r : picture->regions)
        links.push_back(
            {f.left + r.left, f.top + r.top, f.left + r.right, f.top + r.bottom, r.target});
}

}  // namespace

std::vector<LinkInfo> LinksOf(const std::vector<WrapInfo>& fragments) {
    std::vector<LinkInfo> links;
    for (const WrapInfo& f : fragments) {
        KLUObject* object = f.object;
        if (object == nullptr || SeparatesHints(*object)) continue;
        if (object->GetType() == PNGOBJECT) {
            AddHotSpots(f, links);
        } else if (ShowsAsLink(*object)) {
            links.push_back({f.left, f.top, f.right, f.bottom, object});
        }
    }
    return links;
}

std::vector<LinkInfo> HotSpotsOf(const std::vector<WrapInfo>& fragments) {
    std::vector<LinkInfo> spots;
    for (const WrapInfo& f : fragments) {
        if (f.object == nullptr || f.object->GetType() != PNGOBJECT) continue;
        const auto first = static_cast<std::ptrdiff_t>(spots.size());
        AddHotSpots(f, spots);
        // A file may list a picture's regions in any order; a reader goes by where they are.
        std::stable_sort(spots.begin() + first, spots.end(),
                         [](const LinkInfo& a, const LinkInfo& b) {
                             return a.top != b.top ? a.top < b.top : a.left < b.left;
                         });
    }
    return spots;
}

SeparatorLine SeparatorLineOf(const WrapInfo& fragment, int control_width, int line_height) {
    const int y = fragment.top + line_height / 2;
    return {fragment.left, control_width + fragment.left - 2 * kLayoutMargin, y};
}

}  // namespace klu
