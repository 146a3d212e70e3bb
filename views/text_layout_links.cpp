#include "text_layout_links.h"

#include "model/media_hunks.h"

namespace klu {

std::vector<TLinkInfo> LinksOf(const std::vector<TWrapInfo>& fragments) {
    std::vector<TLinkInfo> links;
    for (const TWrapInfo& f : fragments) {
        TKLUObject* object = f.object;
        if (object == nullptr || object->isSeparator) continue;
        if (object->GetType() == PNGOBJECT) {
            const auto* picture = dynamic_cast<const TPNGObject*>(object);
            if (picture == nullptr) continue;
            for (const Rect& r : picture->regions) {
                links.push_back(
                    {f.left + r.left, f.top + r.top, f.left + r.right, f.top + r.bottom, r.target});
            }
        } else if (object->IsHunk()) {
            links.push_back({f.left, f.top, f.right, f.bottom, object});
        }
    }
    return links;
}

TSeparatorLine SeparatorLineOf(const TWrapInfo& fragment, int control_width, int line_height) {
    const int y = fragment.top + line_height / 2;
    return {fragment.left, control_width + fragment.left - 2 * kLayoutMargin, y};
}

}  // namespace klu
