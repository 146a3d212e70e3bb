#include "load_png.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

#include "colour_cube.h"

namespace klu {

namespace {

constexpr size_t kStreamBuffer = 4096;
constexpr int kMaxColors = 256;

// Everything one decode holds. Only LoadPNG's frame owns objects with destructors; the frames
// that libpng's error exit may leave hold plain pointers.
struct DecodeJob {
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
    // What the rows are once libpng has transformed them, so that they can be checked.
    int colorTypeOut = PNG_COLOR_TYPE_PALETTE;
    ColourTable colors{};
    int colorCount = 0;
    std::unique_ptr<DecodedBitmap> bitmap;
    std::vector<png_bytep> rows;
};

// Paints alpha and a transparent colour on white. The colour is given in the file's own
// sample depth, which libpng scales along with the pixels.
void ComposeOnWhite(png_structp png, int depth) {
    const auto white = static_cast<png_uint_16>((1u << depth) - 1);
    png_color_16 background{};
    background.red = background.green = background.blue = background.gray = white;
    png_set_background_fixed(png, &background, PNG_BACKGROUND_GAMMA_FILE, 1, PNG_FP_1);
}

bool HasTransparency(png_structp png, png_infop info) {
    return (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
           png_get_valid(png, info, PNG_INFO_tRNS) != 0;
}

// The last step of libpng's row transformations for true colour: 8-bit RGB pixels become the
// entries of the colour cube nearest to them, one byte each, in place.
void MapRowToCube(png_structp png, png_row_infop row, png_bytep data) {
    if (row->color_type != PNG_COLOR_TYPE_RGB || row->bit_depth != 8)
        png_error(png, "true colour not brought to 8-bit RGB");
    const std::array<uint8_t, 32768>& lookup = ColourCubeLookup();
    const png_bytep end = data + static_cast<size_t>(row->width);
    png_const_bytep in = data;
    for (png_bytep out = data; out != end; ++out, in += 3)
        *out = ColourCubeEntry(lookup, in[0], in[1], in[2]);
    row->color_type = PNG_COLOR_TYPE_PALETTE;
    row->channels = 1;
    row->pixel_depth = 8;
    row->rowbytes = row->width;
}

// Colour pictures become palette indices: those of their own palette, or of the colour cube.
void SetUpColour(DecodeJob* job) {
    png_structp png = job->png;
    png_infop info = job->info;
    const int color_type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    // Mapping true colour to a palette needs 8-bit samples without alpha.
    if (color_type != PNG_COLOR_TYPE_PALETTE) {
        if (depth == 16) png_set_strip_16(png);
        if (HasTransparency(png, info)) ComposeOnWhite(png, depth);
    }
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count) != 0 && count > 0) {
        png_uint_16p histogram = nullptr;
        png_get_hIST(png, info, &histogram);
        png_set_quantize(png, palette, count, kMaxColors, histogram, 1);
        png_set_packing(png);
        job->colorCount = std::min(count, kMaxColors);
        for (int i = 0; i < job->colorCount; ++i) {
            job->colors[static_cast<size_t>(i)] = {palette[i].red, palette[i].green,
                                                   palette[i].blue};
        }
        job->colorTypeOut = PNG_COLOR_TYPE_PALETTE;
        return;
    }
    // The cube is the same for every picture, so its lookup is built once, by libpng's own
    // nearest-colour rule, rather than by png_set_quantize at every decode. libpng is told
    // that the rows end one byte a pixel; it still calls them RGB.
    png_set_read_user_transform_fn(png, MapRowToCube);
    png_set_user_transform_info(png, nullptr, 8, 1);
    job->colors = ColourCubeTable();
    job->colorCount = kMaxColors;
    job->colorTypeOut = PNG_COLOR_TYPE_RGB;
}

// Grey pictures keep their levels, scaled to 8 bits, on a grey ramp.
void SetUpGrey(DecodeJob* job) {
    png_structp png = job->png;
    png_infop info = job->info;
    const int depth = png_get_bit_depth(png, info);
    if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (depth == 16) png_set_strip_16(png);
    if (HasTransparency(png, info)) ComposeOnWhite(png, depth);
    for (size_t level = 0; level < job->colors.size(); ++level) {
        const auto v = static_cast<uint8_t>(level);
        job->colors[level] = {v, v, v};
    }
    job->colorCount = kMaxColors;
    job->colorTypeOut = PNG_COLOR_TYPE_GRAY;
}

// After the transformations every pixel must be one byte of the expected kind: anything else
// would not fit the rows.
bool OutputFits(const DecodeJob* job) {
    png_structp png = job->png;
    png_infop info = job->info;
    return png_get_color_type(png, info) == job->colorTypeOut &&
           png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == 1 &&
           png_get_rowbytes(png, info) == png_get_image_width(png, info);
}

// The bitmap and its row pointers: picture row i goes to bitmap row height - 1 - i, so that
// the bottom-up bitmap shows the picture upright.
bool MakeBitmap(DecodeJob* job) {
    const auto width = static_cast<int>(png_get_image_width(job->png, job->info));
    const auto height = static_cast<int>(png_get_image_height(job->png, job->info));
    try {
        const auto first = job->colors.begin();
        job->bitmap = std::make_unique<DecodedBitmap>(
            width, height, std::vector<BitmapColor>(first, first + job->colorCount));
        job->rows.resize(static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int i = 0; i < height; ++i)
        job->rows[static_cast<size_t>(i)] = job->bitmap->Row(i);
    return true;
}

// A damaged picture is an expected input, not news for the terminal: libpng's messages are
// dropped, and an error still leaves through the setjmp below.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

// The libpng steps after the structures exist. An error inside libpng jumps back to the
// setjmp and gives false.
bool RunDecoder(DecodeJob* job) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_init_io(job->png, job->file);
    png_read_info(job->png, job->info);
    const uint64_t pixels = uint64_t{png_get_image_width(job->png, job->info)} *
                            png_get_image_height(job->png, job->info);
    if (pixels > static_cast<uint64_t>(kMaxPicturePixels)) return false;
    if ((png_get_color_type(job->png, job->info) & PNG_COLOR_MASK_COLOR) != 0) {
        SetUpColour(job);
    } else {
        SetUpGrey(job);
    }
    png_set_interlace_handling(job->png);
    png_read_update_info(job->png, job->info);
    if (!OutputFits(job) || !MakeBitmap(job)) return false;
    png_read_image(job->png, job->rows.data());
    png_read_end(job->png, job->endInfo);
    return true;
}

}  // namespace

std::unique_ptr<DecodedBitmap> LoadPNG(const std::string& path, int64_t offset) {
    if (offset < 0) return nullptr;
    DecodeJob job;
    job.file = std::fopen(path.c_str(), "rb");
    if (!job.file) return nullptr;
    if (std::setvbuf(job.file, nullptr, _IOFBF, kStreamBuffer) != 0 ||
        fseeko(job.file, static_cast<off_t>(offset), SEEK_SET) != 0) {
        std::fclose(job.file);
        return nullptr;
    }
    job.png = png_create_read_struct(png_get_libpng_ver(nullptr), nullptr, QuietError,
                                     QuietWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (job.info) job.endInfo = png_create_info_struct(job.png);
    const bool decoded = job.endInfo && RunDecoder(&job);
    png_destroy_read_struct(&job.png, &job.info, &job.endInfo);
    std::fclose(job.file);
    return decoded ? std::move(job.bitmap) : nullptr;
}

}  // namespace klu
