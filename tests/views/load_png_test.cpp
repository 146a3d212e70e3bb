#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "picture_test_support.h"
#include "views/colour_cube.h"
#include "views/load_png.h"

namespace klu::test {
namespace {

// Writes the picture after a few filler bytes and decodes it from there.
class LoadPngTest : public ::testing::Test {
  protected:
    std::unique_ptr<DecodedBitmap> Decode(const PngPicture& picture) {
        const std::string path =
            WriteWithFiller(folder, "picture.bin", kFiller, EncodeOrFail(picture));
        return LoadPNG(path, kFiller);
    }
    // The pixel values of a decoded picture, top row first.
    static std::vector<int> PixelsOf(const DecodedBitmap& bitmap) {
        std::vector<int> values;
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x)
                values.push_back(bitmap.Pixel(x, y));
        }
        return values;
    }
    static std::vector<BitmapColor> AsTable(const std::vector<PngColor>& palette) {
        std::vector<BitmapColor> table;
        for (const PngColor& c : palette)
            table.push_back({c.red, c.green, c.blue});
        return table;
    }

    static constexpr size_t kFiller = 123;
    TempFolder folder;
};

std::vector<PngColor> SixteenColours() {
    std::vector<PngColor> colors;
    for (int i = 0; i < 16; ++i) {
        colors.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 16),
                          static_cast<uint8_t>((i * 37) % 256)});
    }
    return colors;
}

TEST_F(LoadPngTest, PalettePicturesKeepTheirPaletteAndValues) {
    const auto value = [](int x, int y) { return (x + 3 * y) % 16; };
    const auto bitmap = Decode(PalettePicture(7, 3, SixteenColours(), 4, value));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 7);
    EXPECT_EQ(bitmap->Height(), 3);
    EXPECT_EQ(bitmap->Colors(), AsTable(SixteenColours()));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(bitmap->Pixel(x, y), value(x, y)) << x << "," << y;
    }
    // Rows are held bottom-up, each padded to 8 bytes: the first bytes are the bottom row.
    EXPECT_EQ(bitmap->Stride(), 8);
    EXPECT_EQ(bitmap->ImageSize(), 24u);
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(bitmap->Bits()[x], value(x, 2));

    // One and two bits a pixel unpack to a byte each; the table has the palette's size.
    for (const int depth : {1, 2}) {
        const int colors = 1 << depth;
        std::vector<PngColor> palette = SixteenColours();
        palette.resize(static_cast<size_t>(colors));
        const auto small = Decode(
            PalettePicture(13, 2, palette, depth, [&](int x, int y) { return (x + y) % colors; }));
        ASSERT_NE(small, nullptr) << depth;
        EXPECT_EQ(small->Colors().size(), static_cast<size_t>(colors));
        EXPECT_EQ(small->Pixel(12, 1), 13 % colors);
        EXPECT_EQ(small->Pixel(5, 0), 5 % colors);
    }

    // A full palette with a histogram and transparency keeps every index.
    std::vector<PngColor> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2), 7});
    PngPicture full = PalettePicture(16, 16, palette, 8, [](int x, int y) { return x + 16 * y; });
    full.histogram.assign(256, 1);
    full.histogram[3] = 900;
    full.alphas = {0, 128, 255};
    const auto every = Decode(full);
    ASSERT_NE(every, nullptr);
    EXPECT_EQ(every->Colors(), AsTable(palette));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(every->Pixel(i % 16, i / 16), i);
}

// libpng's own quantizing of an 8-bit RGB picture to the colour cube, top row first. An error
// jumps back here; only plain pointers live in this frame.
bool ReadQuantized(png_structp png, png_infop info, FILE* file, png_colorp cube,
                   std::vector<png_byte>* pixels) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_quantize(png, cube, 256, 256, nullptr, 1);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y) {
        png_read_row(png, pixels->data() + y * width, nullptr);
    }
    return true;
}

std::vector<int> QuantizedByLibpng(const std::string& path, int width, int height) {
    std::vector<png_color> cube;
    for (const BitmapColor& c : ColourCubeTable())
        cube.push_back({c.red, c.green, c.blue});
    std::vector<png_byte> pixels(static_cast<size_t>(width * height));
    FILE* file = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool read = file && ReadQuantized(png, info, file, cube.data(), &pixels);
    png_destroy_read_struct(&png, &info, nullptr);
    if (file) std::fclose(file);
    EXPECT_TRUE(read);
    return {pixels.begin(), pixels.end()};
}

TEST_F(LoadPngTest, TrueColourMapsToTheColourCubeAsLibpngsQuantizingDoes) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> sample(0, 255);
    const PngPicture picture = ColourPicture(64, 48, 8, false, [&](int, int) {
        return std::vector<uint16_t>{static_cast<uint16_t>(sample(random)),
                                     static_cast<uint16_t>(sample(random)),
                                     static_cast<uint16_t>(sample(random))};
    });
    const std::string path = WriteWithFiller(folder, "random.png", 0, EncodeOrFail(picture));
    const auto bitmap = LoadPNG(path, 0);
    ASSERT_NE(bitmap, nullptr);
    // The table: black, 20 to 235 the 6 x 6 x 6 cube in steps of 51, black again.
    const std::vector<BitmapColor>& table = bitmap->Colors();
    ASSERT_EQ(table.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        const int n = i - 20;
        const auto step = [](int v) { return static_cast<uint8_t>(51 * v); };
        const BitmapColor expected = n < 0 || n >= 216
                                         ? BitmapColor{}
                                         : BitmapColor{step(n / 36), step(n / 6 % 6), step(n % 6)};
        EXPECT_EQ(table[static_cast<size_t>(i)], expected) << i;
    }
    EXPECT_EQ(PixelsOf(*bitmap), QuantizedByLibpng(path, 64, 48));
}

TEST_F(LoadPngTest, SixteenBitAndAlphaComeDownToEightBitsOnWhite) {
    const auto gradient = [](int x, int y) {
        return std::vector<uint16_t>{static_cast<uint16_t>(x * 8), static_cast<uint16_t>(y * 8),
                                     static_cast<uint16_t>(255 - x * 8)};
    };
    const auto plain = Decode(ColourPicture(32, 32, 8, false, gradient));
    ASSERT_NE(plain, nullptr);
    const std::vector<int> expected = PixelsOf(*plain);

    // 16-bit samples keep their high byte.
    const auto deep = Decode(ColourPicture(32, 32, 16, false, [&](int x, int y) {
        std::vector<uint16_t> c = gradient(x, y);
        for (uint16_t& s : c)
            s = static_cast<uint16_t>(s * 256 + 0x7F);
        return c;
    }));
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(PixelsOf(*deep), expected);

    // Opaque pixels are as without alpha; transparent ones (the left column) show white.
    for (const int depth : {8, 16}) {
        const auto alpha = Decode(ColourPicture(32, 32, depth, true, [&](int x, int y) {
            std::vector<uint16_t> c = gradient(x, y);
            if (depth == 16) {
                for (uint16_t& s : c)
                    s = static_cast<uint16_t>(s * 257);
            }
            c.push_back(x == 0 ? 0 : static_cast<uint16_t>(depth == 16 ? 65535 : 255));
            return c;
        }));
        ASSERT_NE(alpha, nullptr) << depth;
        for (int y = 0; y < 32; ++y) {
            EXPECT_EQ(alpha->Colors()[alpha->Pixel(0, y)], (BitmapColor{255, 255, 255})) << y;
            for (int x = 1; x < 32; ++x)
                ASSERT_EQ(alpha->Pixel(x, y), plain->Pixel(x, y)) << depth << ": " << x << "," << y;
        }
    }
}

TEST_F(LoadPngTest, TrueColourWithASuggestedPaletteUsesIt) {
    const std::vector<PngColor> palette = {{10, 10, 10}, {250, 250, 250}, {250, 0, 0}, {0, 0, 250}};
    PngPicture picture = ColourPicture(8, 4, 8, false, [&](int x, int) {
        const PngColor& c = palette[static_cast<size_t>(x % 4)];
        // Slightly off the palette, as a photograph would be.
        return std::vector<uint16_t>{static_cast<uint16_t>(c.red ? c.red - 4 : 3), c.green,
                                     static_cast<uint16_t>(c.blue ? c.blue - 2 : 5)};
    });
    picture.palette = palette;
    picture.histogram = {5, 5, 5, 5};
    const auto bitmap = Decode(picture);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Colors(), AsTable(palette));
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(bitmap->Pixel(x, 3), x % 4) << x;
}

TEST_F(LoadPngTest, GreyPicturesGetAGreyRamp) {
    PngPicture grey{16, 16, PngKind::Grey, 8};
    for (int i = 0; i < 256; ++i)
        grey.samples.push_back(static_cast<uint16_t>(255 - i));
    const auto bitmap = Decode(grey);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->Colors().size(), 256u);
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        EXPECT_EQ(bitmap->Colors()[static_cast<size_t>(i)], (BitmapColor{level, level, level}));
        EXPECT_EQ(bitmap->Pixel(i % 16, i / 16), 255 - i);
    }

    // Fewer bits are scaled up to the full range; 16 bits keep their high byte.
    for (const int depth : {1, 2, 4, 16}) {
        const int top = depth == 16 ? 255 : (1 << depth) - 1;
        PngPicture low{top + 1, 1, PngKind::Grey, depth};
        for (int v = 0; v <= top; ++v)
            low.samples.push_back(static_cast<uint16_t>(depth == 16 ? v * 256 + 200 : v));
        const auto scaled = Decode(low);
        ASSERT_NE(scaled, nullptr) << depth;
        for (int v = 0; v <= top; ++v)
            EXPECT_EQ(scaled->Pixel(v, 0), v * 255 / top) << depth << ": " << v;
    }

    // Alpha is painted on white.
    PngPicture see_through{3, 1, PngKind::GreyAlpha, 8};
    see_through.samples = {40, 255, 40, 0, 200, 255};
    const auto composed = Decode(see_through);
    ASSERT_NE(composed, nullptr);
    EXPECT_EQ(composed->Pixel(0, 0), 40);
    EXPECT_EQ(composed->Pixel(1, 0), 255);
    EXPECT_EQ(composed->Pixel(2, 0), 200);
}

TEST_F(LoadPngTest, InterlacedPicturesDecodeAsPlainOnes) {
    const auto value = [](int x, int y) { return (x * 3 + y * 5) % 8; };
    PngPicture palette = PalettePicture(19, 11, EightColours(), 4, value);
    PngPicture colour = ColourPicture(19, 11, 8, false, [](int x, int y) {
        return std::vector<uint16_t>{static_cast<uint16_t>(x * 13), static_cast<uint16_t>(y * 23),
                                     99};
    });
    for (PngPicture* picture : {&palette, &colour}) {
        const auto plain = Decode(*picture);
        picture->interlaced = true;
        const auto interlaced = Decode(*picture);
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(interlaced, nullptr);
        EXPECT_EQ(PixelsOf(*interlaced), PixelsOf(*plain));
    }
}

TEST_F(LoadPngTest, UnreadablePicturesGiveNothing) {
    const std::string good = CheckerPng();
    const std::string path = WriteWithFiller(folder, "good.bin", kFiller, good);
    ASSERT_NE(LoadPNG(path, kFiller), nullptr);

    EXPECT_EQ(LoadPNG(path, kFiller + 1), nullptr);  // not at the start of the picture
    EXPECT_EQ(LoadPNG(path, static_cast<int64_t>(kFiller + good.size() + 10)), nullptr);
    EXPECT_EQ(LoadPNG(path, -1), nullptr);
    EXPECT_EQ(LoadPNG(folder / "missing.bin", 0), nullptr);

    // Cut inside the image data, and cut inside the header.
    for (const size_t length : {good.size() - 20, good.size() / 2, size_t{20}}) {
        const std::string cut = WriteWithFiller(folder, "cut.bin", 0, good.substr(0, length));
        EXPECT_EQ(LoadPNG(cut, 0), nullptr) << length;
    }

    // A header that claims a huge picture.
    const std::string huge =
        WriteWithFiller(folder, "huge.bin", 0, WithDeclaredSize(good, 30000, 30000));
    EXPECT_EQ(LoadPNG(huge, 0), nullptr);
}

}  // namespace
}  // namespace klu::test
