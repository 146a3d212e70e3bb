#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace klu {

namespace {

int ColorTypeOf(PngKind kind) {
    switch (kind) {
        case PngKind::Grey:
            return PNG_COLOR_TYPE_GRAY;
        case PngKind::GreyAlpha:
            return PNG_COLOR_TYPE_GRAY_ALPHA;
        case PngKind::Palette:
            return PNG_COLOR_TYPE_PALETTE;
        case PngKind::Rgb:
            return PNG_COLOR_TYPE_RGB;
        case PngKind::Rgba:
            return PNG_COLOR_TYPE_RGB_ALPHA;
    }
    return PNG_COLOR_TYPE_RGB;
}

// The rows as the file stores them before filtering: samples packed most significant bits
// first below 8 bits, big-endian at 16.
std::vector<std::vector<png_byte>> PackRows(const PngPicture& picture) {
    const size_t per_row = static_cast<size_t>(picture.width) * picture.Channels();
    const size_t row_bytes = (per_row * static_cast<size_t>(picture.bitDepth) + 7) / 8;
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(picture.height),
                                            std::vector<png_byte>(row_bytes));
    for (size_t y = 0; y < rows.size(); ++y) {
        const uint16_t* in = picture.samples.data() + y * per_row;
        png_byte* out = rows[y].data();
        for (size_t i = 0; i < per_row; ++i) {
            const uint16_t value = in[i];
            if (picture.bitDepth == 16) {
                out[2 * i] = static_cast<png_byte>(value >> 8);
                out[2 * i + 1] = static_cast<png_byte>(value & 0xFF);
            } else if (picture.bitDepth == 8) {
                out[i] = static_cast<png_byte>(value);
            } else {
                const size_t bit = i * static_cast<size_t>(picture.bitDepth);
                const int shift = 8 - picture.bitDepth - static_cast<int>(bit % 8);
                out[bit / 8] = static_cast<png_byte>(out[bit / 8] | (value << shift));
            }
        }
    }
    return rows;
}

void AppendToString(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        out->append(reinterpret_cast<const char*>(data), length);
    } catch (...) {
        failed = true;
    }
    if (failed) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

struct EncodeJob {
    const PngPicture* picture = nullptr;
    std::vector<png_color> palette;
    std::vector<png_uint_16> histogram;
    std::vector<png_bytep> rows;
    std::string* out = nullptr;
};

// The libpng part. An error jumps back here; only plain pointers live in this frame.
bool RunEncoder(png_structp png, png_infop info, EncodeJob* job) {
    if (setjmp(png_jmpbuf(png))) return false;
    const PngPicture& picture = *job->picture;
    png_set_write_fn(png, job->out, AppendToString, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), picture.bitDepth,
                 ColorTypeOf(picture.kind),
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!job->palette.empty())
        png_set_PLTE(png, info, job->palette.data(), static_cast<int>(job->palette.size()));
    if (!job->histogram.empty()) png_set_hIST(png, info, job->histogram.data());
    if (!picture.alphas.empty())
        png_set_tRNS(png, info, picture.alphas.data(), static_cast<int>(picture.alphas.size()),
                     nullptr);
    png_write_info(png, info);
    png_write_image(png, job->rows.data());
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

int PngPicture::Channels() const {
    switch (kind) {
        case PngKind::GreyAlpha:
            return 2;
        case PngKind::Rgb:
            return 3;
        case PngKind::Rgba:
            return 4;
        default:
            return 1;
    }
}

std::string EncodePng(const PngPicture& picture) {
    const size_t values = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) *
                          static_cast<size_t>(picture.Channels());
    if (picture.width <= 0 || picture.height <= 0 || picture.samples.size() != values) return {};
    EncodeJob job;
    job.picture = &picture;
    for (const PngColor& c : picture.palette)
        job.palette.push_back({c.red, c.green, c.blue});
    job.histogram.assign(picture.histogram.begin(), picture.histogram.end());
    std::vector<std::vector<png_byte>> packed = PackRows(picture);
    for (std::vector<png_byte>& row : packed)
        job.rows.push_back(row.data());
    std::string out;
    job.out = &out;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool written = png && info && RunEncoder(png, info, &job);
    png_destroy_write_struct(&png, &info);
    return written ? out : std::string();
}

bool WritePngFile(const std::string& path, const PngPicture& picture) {
    const std::string bytes = EncodePng(picture);
    if (bytes.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace klu
