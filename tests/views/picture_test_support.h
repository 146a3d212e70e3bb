#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "../model/model_test_support.h"
#include "../model/temp_folder.h"
#include "model/document/media_hunks.h"
#include "views/decoded_bitmap.h"
#include "views/png_writer.h"

namespace klu::test {

inline std::vector<PngColor> EightColours() {
    return {{0, 0, 0},     {255, 255, 255}, {200, 30, 30}, {30, 160, 40},
            {40, 60, 220}, {240, 220, 40},  {120, 70, 20}, {250, 140, 200}};
}

inline PngPicture PalettePicture(int width, int height, std::vector<PngColor> palette, int depth,
                                 const std::function<int(int, int)>& value) {
    PngPicture picture{width, height, PngKind::Palette, depth};
    picture.palette = std::move(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.samples.push_back(static_cast<uint16_t>(value(x, y)));
    }
    return picture;
}

inline PngPicture PlainPicture(int width, int height, int value) {
    return PalettePicture(width, height, EightColours(), 8, [value](int, int) { return value; });
}

inline std::string EncodeOrFail(const PngPicture& picture) {
    const std::string bytes = EncodePng(picture);
    EXPECT_FALSE(bytes.empty()) << "libpng refused the test picture";
    return bytes;
}

inline std::vector<std::pair<int, int>> PlacesOf(const DecodedBitmap& bitmap, uint8_t value) {
    std::vector<std::pair<int, int>> places;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) == value) places.emplace_back(x, y);
    }
    return places;
}

struct OverlayPlan {
    std::string title;
    std::string png;
    int32_t x = 0;
    int32_t y = 0;
    std::array<int32_t, 4> region{};
};

// A hint file whose top subject "Pictures" holds the picture "Bay" with the PNG data given and
// a hot spot per overlay, then the hot spot (20, 15)-(40, 30) that opens the text "Tower";
// written into a temporary folder and loaded.
class PictureFile {
  public:
    PictureFile(const std::string& picture_png, std::vector<OverlayPlan> overlay_plans) {
        HintFilePlan plan;
        plan.root = MakeSubject("Pictures");
        HintNode* picture = plan.root->Add(MakeData("HYPERPNG", "Bay", picture_png));
        for (OverlayPlan& o : overlay_plans) {
            auto overlay = MakeData("OVERLAY", o.title, o.png);
            overlay->x = o.x;
            overlay->y = o.y;
            picture->AddRegion(o.region[0], o.region[1], o.region[2], o.region[3],
                               std::move(overlay));
        }
        picture->AddRegion(20, 15, 40, 30, MakeText("Tower", {"Eighty steps lead up."}));
        bytes = WriteOrFail(plan);
        WriteFile(path, bytes);
        EXPECT_EQ(LoadBytes(bytes, doc), LoadResult::Ok);
        auto* bay =
            NodeCast<HyperPNGHunk>(doc.GetRoot() ? doc.GetRoot()->FindByName("Bay") : nullptr);
        picture_ = bay ? bay->Finish() : nullptr;
        EXPECT_NE(picture_, nullptr);
        if (!picture_) return;
        for (const OverlayPlan& o : overlay_plans)
            overlays.push_back(NodeCast<OverlayHunk>(picture_->FindByName(o.title)));
    }

    PNGObject& Picture() const { return *picture_; }

    TempFolder folder;
    const std::string path = folder / "pictures.klu";
    std::string bytes;
    HintDocument doc;
    std::vector<OverlayHunk*> overlays;

  private:
    PNGObject* picture_ = nullptr;
};

// The picture of the file: 40 x 30, colour (x / 10 + y / 10) % 4 of EightColours.
inline std::string CheckerPng() {
    return EncodeOrFail(PalettePicture(40, 30, EightColours(), 8,
                                       [](int x, int y) { return (x / 10 + y / 10) % 4; }));
}

}  // namespace klu::test
