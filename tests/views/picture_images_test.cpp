// Decoded bitmaps and the overlays painted into them.
#include "views/picture_images.h"

#include "picture_test_support.h"

namespace klu::test {
namespace {

using Places = std::vector<std::pair<int, int>>;

// A bitmap whose pixel (x, y) is 10 * y + x, with two colours.
DecodedBitmap Numbered(int width, int height) {
    DecodedBitmap bitmap(width, height, {{1, 2, 3}, {250, 251, 252}});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, static_cast<uint8_t>(10 * y + x));
    }
    return bitmap;
}

TEST(DecodedBitmapTest, PasteCopiesEveryPixelClippedToTheBitmap) {
    DecodedBitmap patch(3, 2, {});
    for (int i = 0; i < 6; ++i)
        patch.SetPixel(i % 3, i / 3, 99);
    struct Case {
        int x, y;
        Places changed;
    };
    const Case cases[] = {
        {4, 1, {{4, 1}, {5, 1}, {6, 1}, {4, 2}, {5, 2}, {6, 2}}},  // inside: just its rectangle
        // Partly outside: only the part inside lands, at its own place.
        {-2, 0, {{0, 0}, {0, 1}}},   // left
        {-1, -1, {{0, 0}, {1, 0}}},  // top left corner
        {20, 0, {}},                 // wholly outside
    };
    for (const Case& c : cases) {
        DecodedBitmap bitmap = Numbered(8, 6);
        bitmap.Paste(patch, c.x, c.y);
        EXPECT_EQ(PlacesOf(bitmap, 99), c.changed) << c.x << "," << c.y;
        EXPECT_EQ(bitmap.Pixel(3, 1), 13) << "beside it";
        EXPECT_EQ(bitmap.Pixel(7, 2), 27) << "beside it";
    }
}

// An overlay shows in its own colours whatever the two colour tables hold. The picture keeps 8
// bits per pixel while each of the overlay's colours has the same index in its table; a later
// overlay onto a true-colour picture shows its colours too.
TEST(DecodedBitmapTest, PasteKeepsTheColoursOfBothTables) {
    const BitmapColor red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
    const struct {
        std::vector<BitmapColor> colours;
        uint8_t value;
        bool trueColour;
        uint32_t shown;
    } cases[] = {
        {{red, green}, 1, false, 0x00FF00},       // the picture's own table
        {{red}, 0, false, 0xFF0000},              // a shorter table that agrees
        {{blue}, 0, true, 0x0000FF},              // another colour at the same index
        {{red, green, blue}, 2, true, 0x0000FF},  // a colour beyond the picture's table
    };
    for (const auto& c : cases) {
        DecodedBitmap picture(4, 2, {red, green});
        picture.SetPixel(3, 1, 1);
        DecodedBitmap patch(2, 1, c.colours);
        patch.SetPixel(0, 0, c.value);
        patch.SetPixel(1, 0, c.value);
        picture.Paste(patch, 1, 0);
        EXPECT_EQ(picture.TrueColour(), c.trueColour) << c.colours.size();
        EXPECT_EQ(picture.ColourAt(2, 0), c.shown) << c.colours.size();
        EXPECT_EQ(picture.ColourAt(0, 0), 0xFF0000u) << "beside it";
        EXPECT_EQ(picture.ColourAt(3, 1), 0x00FF00u) << "beside it";
        DecodedBitmap later(1, 1, {red, green});
        later.SetPixel(0, 0, 1);
        picture.Paste(later, 0, 1);
        EXPECT_EQ(picture.ColourAt(0, 1), 0x00FF00u) << c.colours.size();
    }
}

class PictureImagesTest : public ::testing::Test {
  protected:
    PictureImagesTest()
        : file(CheckerPng(), {{"Inside", PlainPng(7), 5, 6, {0, 0, 10, 10}},
                              {"Corner", PlainPng(6), 38, 28, {0, 0, 10, 10}},
                              {"Away", PlainPng(5), 40, 0, {0, 0, 10, 10}}}) {}

    static std::string PlainPng(int value) { return EncodeOrFail(PlainPicture(4, 3, value)); }
    OverlayHunk& Overlay(size_t i) { return *file.overlays.at(i); }
    Places PictureShows(uint8_t value) const {
        const DecodedBitmap* image = ImageOf(file.Picture());
        return image ? PlacesOf(*image, value) : Places{};
    }

    PictureFile file;
};

TEST_F(PictureImagesTest, AnOverlayChangesThePictureOnce) {
    DecodePicture(file.Picture(), file.path);
    EXPECT_TRUE(ApplyOverlay(Overlay(0), file.path));
    Places expected;
    for (int y = 6; y < 9; ++y) {
        for (int x = 5; x < 9; ++x)
            expected.emplace_back(x, y);
    }
    EXPECT_EQ(PictureShows(7), expected);

    // The second time nothing is read or painted: a pixel painted over in between stays.
    ImageOf(file.Picture())->SetPixel(5, 6, 2);
    EXPECT_FALSE(ApplyOverlay(Overlay(0), file.path));
    EXPECT_EQ(ImageOf(file.Picture())->Pixel(5, 6), 2);
    EXPECT_EQ(OverlaysOf(file.Picture())->entries.size(), 1u);
}

TEST_F(PictureImagesTest, OverlaysAreClippedToThePictureAndCachedAnyway) {
    DecodePicture(file.Picture(), file.path);
    EXPECT_TRUE(ApplyOverlay(Overlay(1), file.path));
    EXPECT_EQ(PictureShows(6), (Places{{38, 28}, {39, 28}, {38, 29}, {39, 29}}));

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
