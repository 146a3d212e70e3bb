#include "views/decoded_bitmap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace klu::test {
namespace {

// A bitmap whose pixel (x, y) is 10 * y + x, with two colours.
DecodedBitmap Numbered(int width, int height) {
    DecodedBitmap bitmap(width, height, {{1, 2, 3}, {250, 251, 252}});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, static_cast<uint8_t>(10 * y + x));
    }
    return bitmap;
}

DecodedBitmap Filled(int width, int height, uint8_t value) {
    DecodedBitmap bitmap(width, height, {});
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, value);
    }
    return bitmap;
}

// The places of the bitmap that hold the value.
std::vector<std::pair<int, int>> PlacesOf(const DecodedBitmap& bitmap, uint8_t value) {
    std::vector<std::pair<int, int>> places;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) == value) places.emplace_back(x, y);
        }
    }
    return places;
}

TEST(DecodedBitmapTest, PasteCopiesEveryPixelClippedToTheBitmap) {
    const DecodedBitmap patch = Filled(3, 2, 99);
    // Inside: exactly the patch's rectangle changes.
    DecodedBitmap inside = Numbered(8, 6);
    inside.Paste(patch, 4, 1);
    EXPECT_EQ(PlacesOf(inside, 99),
              (std::vector<std::pair<int, int>>{{4, 1}, {5, 1}, {6, 1}, {4, 2}, {5, 2}, {6, 2}}));
    EXPECT_EQ(inside.Pixel(3, 1), 13);
    EXPECT_EQ(inside.Pixel(7, 2), 27);

    // Partly outside: only the part inside lands, at its own place.
    struct Case {
        int x, y;
        std::vector<std::pair<int, int>> changed;
    };
    const Case cases[] = {
        {-2, 0, {{0, 0}, {0, 1}}},   // left
        {-1, -1, {{0, 0}, {1, 0}}},  // top left corner
        {20, 0, {}},                 // wholly outside
    };
    for (const Case& c : cases) {
        DecodedBitmap bitmap = Numbered(8, 6);
        bitmap.Paste(patch, c.x, c.y);
        EXPECT_EQ(PlacesOf(bitmap, 99), c.changed) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace klu::test
