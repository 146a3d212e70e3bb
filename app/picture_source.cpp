#include "picture_source.h"

#include "app_state.h"
#include "model/document/media_hunks.h"
#include "views/bitmap_qimage.h"
#include "views/load_png.h"
#include "views/picture_images.h"

namespace klu {

std::string PictureFileOf(const AppState& state, const Hunk& hunk) {
    const Hunk* help_root = state.helpDocument.GetRoot();
    return help_root && hunk.Top() == help_root ? state.helpFilePath : state.currentDataPath;
}

HunkPrintout::PictureSource PrintedPictures(const AppState& state) {
    return [&state](const PNGObject& picture) {
        if (const DecodedBitmap* shown = ImageOf(picture)) return ToQImage(*shown);
        const std::unique_ptr<DecodedBitmap> decoded =
            LoadPNG(PictureFileOf(state, picture), picture.dataOffset);
        return decoded ? ToQImage(*decoded) : QImage();
    };
}

}  // namespace klu
