#include "picture_images.h"

#include <new>

#include "load_png.h"

namespace klu {

const DIBInfo* OverlayCache::Find(const OverlayHunk& overlay) const {
    for (const DIBInfo& entry : entries) {
        if (entry.overlay == &overlay) return &entry;
    }
    return nullptr;
}

DecodedBitmap* ImageOf(const PNGObject& picture) {
    return dynamic_cast<DecodedBitmap*>(picture.image.get());
}

OverlayCache* OverlaysOf(const PNGObject& picture) {
    return dynamic_cast<OverlayCache*>(picture.overlays.get());
}

LayoutSize PictureSizeOf(const PNGObject& picture) {
    const DecodedBitmap* image = ImageOf(picture);
    return image ? LayoutSize{image->Width(), image->Height()} : LayoutSize{};
}

void DecodePicture(PNGObject& picture, const std::string& path) {
    picture.image = LoadPNG(path, picture.dataOffset);
    picture.overlays = std::make_unique<OverlayCache>();
}

void ReleasePicture(PNGObject& picture) {
    picture.image.reset();
    picture.overlays.reset();
}

bool ApplyOverlay(OverlayHunk& overlay, const std::string& path) {
    auto* picture = dynamic_cast<PNGObject*>(overlay.parent.ParentHunk());
    if (picture == nullptr) return false;
    OverlayCache* cache = OverlaysOf(*picture);
    if (cache == nullptr) {
        auto fresh = std::make_unique<OverlayCache>();
        cache = fresh.get();
        picture->overlays = std::move(fresh);
    }
    if (cache->Find(overlay)) return false;
    cache->entries.push_back({&overlay, LoadPNG(path, overlay.dataOffset)});
    const DecodedBitmap* image = cache->entries.back().image.get();
    if (image == nullptr) return false;
    DecodedBitmap* base = ImageOf(*picture);
    if (base == nullptr) return true;
    try {
        base->Paste(*image, overlay.x, overlay.y);
    } catch (const std::bad_alloc&) {
        return false;  // the picture stays as it was
    }
    return true;
}

}  // namespace klu
