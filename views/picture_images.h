#pragma once

#include <memory>
#include <string>
#include <vector>

#include "decoded_bitmap.h"
#include "model/document/media_hunks.h"
#include "text_layout.h"

namespace klu {

// One overlay that was opened on a picture, and its decoded image (none when it could not be
// decoded: it is not tried again).
struct DIBInfo {
    OverlayHunk* overlay = nullptr;
    std::unique_ptr<DecodedBitmap> image;
};

// The overlays applied to a picture while its window is open, kept in its overlays slot.
class OverlayCache : public ViewData {
  public:
    OverlayCache() { entries.reserve(101); }
    const DIBInfo* Find(const OverlayHunk& overlay) const;

    std::vector<DIBInfo> entries;
};

// The decoded image of a picture, or none.
DecodedBitmap* ImageOf(const PNGObject& picture);
// Its overlay cache, or none before the picture was decoded.
OverlayCache* OverlaysOf(const PNGObject& picture);
// The size the picture takes in a layout: its image's, 0 x 0 without one.
LayoutSize PictureSizeOf(const PNGObject& picture);

// Decodes the picture from the file at path (replacing an image decoded before) and gives it a
// new, empty overlay cache.
void DecodePicture(PNGObject& picture, const std::string& path);
// Frees the picture's image and its overlays.
void ReleasePicture(PNGObject& picture);

// Paints the overlay onto its picture (the overlay's parent) once: the first time, the overlay
// is decoded from the file at path and remembered, even when that fails; its pixels replace
// the picture's at the overlay's position, as far as they fall inside the picture. True when
// the picture may have changed and should be drawn again.
bool ApplyOverlay(OverlayHunk& overlay, const std::string& path);

}  // namespace klu
