#include "views/picture_images.h"

#include <gtest/gtest.h>

#include "picture_test_support.h"

namespace klu::test {
namespace {

// The checker picture with overlays of plain colour 7 (4 x 3 pixels) in several places.
class PictureImagesTest : public ::testing::Test {
  protected:
    PictureImagesTest()
        : file(CheckerPng(), {{"Inside", PlainPng(7), 5, 6, {0, 0, 10, 10}},
                              {"Corner", PlainPng(6), 38, 28, {0, 0, 10, 10}},
                              {"Away", PlainPng(5), 40, 0, {0, 0, 10, 10}}}) {}

    static std::string PlainPng(int value) { return EncodeOrFail(PlainPicture(4, 3, value)); }
    TOverlayHunk& Overlay(size_t i) { return *file.overlays.at(i); }
    // Where the picture shows the value.
    std::vector<std::pair<int, int>> PlacesOf(uint8_t value) const {
        std::vector<std::pair<int, int>> places;
        const DecodedBitmap* image = ImageOf(file.Picture());
        for (int y = 0; image && y < image->Height(); ++y) {
            for (int x = 0; x < image->Width(); ++x) {
                if (image->Pixel(x, y) == value) places.emplace_back(x, y);
            }
        }
        return places;
    }

    PictureFile file;
};

TEST_F(PictureImagesTest, AnOverlayChangesThePictureOnce) {
    DecodePicture(file.Picture(), file.path);
    EXPECT_TRUE(ApplyOverlay(Overlay(0), file.path));
    std::vector<std::pair<int, int>> expected;
    for (int y = 6; y < 9; ++y) {
        for (int x = 5; x < 9; ++x)
            expected.emplace_back(x, y);
    }
    EXPECT_EQ(PlacesOf(7), expected);

    // The second time nothing is read or painted: a pixel painted over in between stays.
    ImageOf(file.Picture())->SetPixel(5, 6, 2);
    EXPECT_FALSE(ApplyOverlay(Overlay(0), file.path));
    EXPECT_EQ(ImageOf(file.Picture())->Pixel(5, 6), 2);
    EXPECT_EQ(OverlaysOf(file.Picture())->entries.size(), 1u);
}

TEST_F(PictureImagesTest, OverlaysAreClippedToThePictureAndCachedAnyway) {
    DecodePicture(file.Picture(), file.path);
    EXPECT_TRUE(ApplyOverlay(Overlay(1), file.path));
    EXPECT_EQ(PlacesOf(6),
              (std::vector<std::pair<int, int>>{{38, 28}, {39, 28}, {38, 29}, {39, 29}}));

    const std::string before(reinterpret_cast<const char*>(ImageOf(file.Picture())->Bits()),
                             ImageOf(file.Picture())->ImageSize());
    ApplyOverlay(Overlay(2), file.path);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ImageOf(file.Picture())->Bits()),
                          ImageOf(file.Picture())->ImageSize()),
              before);
    const OverlayCache& cache = *OverlaysOf(file.Picture());
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[1].overlay, &Overlay(2));
    EXPECT_NE(cache.entries[1].image, nullptr);
}

}  // namespace
}  // namespace klu::test
