#include "views/decoded_bitmap.h"

#include <gtest/gtest.h>

#include <string>

#include "../model/temp_folder.h"
#include "views/bitmap_file.h"

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

TEST(DecodedBitmapTest, RowsAreBottomUpAndPaddedToFourBytes) {
    for (const auto& [width, stride] : {std::pair{1, 4}, {4, 4}, {5, 8}, {7, 8}, {9, 12}}) {
        const DecodedBitmap bitmap = Numbered(width, 3);
        EXPECT_EQ(bitmap.Stride(), stride) << width;
        EXPECT_EQ(bitmap.ImageSize(), static_cast<size_t>(3 * stride)) << width;
        // Memory starts with the bottom row; the top row comes last.
        EXPECT_EQ(bitmap.Bits()[0], 20);
        EXPECT_EQ(bitmap.Bits()[2 * stride], 0);
        EXPECT_EQ(bitmap.Bits()[stride + width - 1], 10 + width - 1);
    }
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

    // Partly outside on each side: only the part inside lands, at its own place.
    struct Case {
        int x, y;
        std::vector<std::pair<int, int>> changed;
    };
    const Case cases[] = {
        {-2, 0, {{0, 0}, {0, 1}}},          // left
        {0, -1, {{0, 0}, {1, 0}, {2, 0}}},  // top
        {6, 5, {{6, 5}, {7, 5}}},           // right and bottom
        {-1, -1, {{0, 0}, {1, 0}}},         // top left corner
    };
    for (const Case& c : cases) {
        DecodedBitmap bitmap = Numbered(8, 6);
        bitmap.Paste(patch, c.x, c.y);
        EXPECT_EQ(PlacesOf(bitmap, 99), c.changed) << c.x << "," << c.y;
    }

    // Wholly outside, however far: nothing changes.
    const DecodedBitmap untouched = Numbered(8, 6);
    for (const auto& [x, y] : {std::pair{8, 0},
                               {0, 6},
                               {-3, 0},
                               {0, -2},
                               {2147483647, 0},
                               {-2147483647 - 1, -2147483647 - 1}}) {
        DecodedBitmap bitmap = Numbered(8, 6);
        bitmap.Paste(patch, x, y);
        EXPECT_TRUE(PlacesOf(bitmap, 99).empty()) << x << "," << y;
        EXPECT_EQ(
            std::string(reinterpret_cast<const char*>(bitmap.Bits()), bitmap.ImageSize()),
            std::string(reinterpret_cast<const char*>(untouched.Bits()), untouched.ImageSize()));
    }
}

uint32_t LittleEndian(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

TEST(DecodedBitmapTest, BitmapFileHoldsHeadersColourTableAndRows) {
    const DecodedBitmap bitmap = Numbered(5, 3);
    const std::string file = BmpFileBytes(bitmap);
    const size_t bits_at = 14 + 40 + 2 * 4;
    ASSERT_EQ(file.size(), bits_at + 3 * 8);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(LittleEndian(file, 2, 4), file.size());
    EXPECT_EQ(LittleEndian(file, 10, 4), bits_at);
    EXPECT_EQ(LittleEndian(file, 14, 4), 40u);
    EXPECT_EQ(LittleEndian(file, 18, 4), 5u);   // width
    EXPECT_EQ(LittleEndian(file, 22, 4), 3u);   // height, bottom-up
    EXPECT_EQ(LittleEndian(file, 26, 2), 1u);   // planes
    EXPECT_EQ(LittleEndian(file, 28, 2), 8u);   // bits per pixel
    EXPECT_EQ(LittleEndian(file, 30, 4), 0u);   // uncompressed
    EXPECT_EQ(LittleEndian(file, 34, 4), 24u);  // image size
    EXPECT_EQ(LittleEndian(file, 46, 4), 2u);   // colours used
    // The colour table is blue, green, red, 0.
    EXPECT_EQ(file.substr(54, 8), std::string("\x03\x02\x01\x00\xfc\xfb\xfa\x00", 8));
    // The first row of the file is the bottom row of the picture.
    EXPECT_EQ(static_cast<uint8_t>(file[bits_at]), 20);
    EXPECT_EQ(static_cast<uint8_t>(file[bits_at + 2 * 8 + 4]), 4);

    TempFolder folder;
    ASSERT_TRUE(WriteBmpFile(bitmap, folder / "out.bmp"));
    EXPECT_EQ(ReadFile(folder / "out.bmp"), file);
    EXPECT_FALSE(WriteBmpFile(bitmap, folder / "no/such/folder.bmp"));
}

}  // namespace
}  // namespace klu::test
