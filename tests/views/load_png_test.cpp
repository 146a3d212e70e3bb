#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <random>

#include "picture_test_support.h"
#include "views/colour_cube.h"
#include "views/load_png.h"

namespace klu::test {
namespace {

class LoadPngTest : public ::testing::Test {
  protected:
    std::unique_ptr<DecodedBitmap> Decode(const PngPicture& picture) {
        return LoadPNG(
            folder.Write("picture.bin", std::string(kFiller, 'x') + EncodeOrFail(picture)),
            kFiller);
    }
    static std::vector<int> PixelsOf(const DecodedBitmap& bitmap) {
        std::vector<int> values;
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x)
                values.push_back(bitmap.Pixel(x, y));
        }
        return values;
    }

    static constexpr size_t kFiller = 123;
    TempFolder folder;
};

TEST_F(LoadPngTest, PalettePicturesKeepTheirPaletteAndValues) {
    std::vector<PngColor> palette;
    std::vector<BitmapColor> table;
    for (int i = 0; i < 16; ++i) {
        palette.push_back({static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 16),
                           static_cast<uint8_t>(i * 37 % 256)});
        table.push_back({palette.back().red, palette.back().green, palette.back().blue});
    }
    const auto value = [](int x, int y) { return (x + 3 * y) % 16; };
    const auto bitmap = Decode(PalettePicture(7, 3, palette, 4, value));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 7);
    EXPECT_EQ(bitmap->Height(), 3);
    EXPECT_EQ(bitmap->Colors(), table);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(bitmap->Pixel(x, y), value(x, y)) << x << "," << y;
    }
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
    for (png_uint_32 y = 0; y < png_get_image_height(png, info); ++y)
        png_read_row(png, pixels->data() + y * width, nullptr);
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
    PngPicture picture{64, 48, PngKind::Rgb, 8};
    for (int i = 0; i < 64 * 48 * 3; ++i)
        picture.samples.push_back(static_cast<uint16_t>(sample(random)));
    const std::string path = folder.Write("random.png", EncodeOrFail(picture));
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
}

}  // namespace
}  // namespace klu::test
