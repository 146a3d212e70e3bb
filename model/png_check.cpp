#include "png_check.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace klu {
namespace {

// The plain state libpng's error exit may leave behind; the row buffer is owned by the caller.
struct CheckJob {
    std::string_view bytes;
    size_t at = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_byte>* row = nullptr;
};

void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* job = static_cast<CheckJob*>(png_get_io_ptr(png));
    if (job->bytes.size() - job->at < count) png_error(png, "the picture ends early");
    std::memcpy(out, job->bytes.data() + job->at, count);
    job->at += count;
}

[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

bool ReadAllRows(CheckJob* job) {
    if (setjmp(png_jmpbuf(job->png))) return false;
    png_set_read_fn(job->png, job, ReadBytes);
    png_read_info(job->png, job->info);
    const uint64_t pixels = uint64_t{png_get_image_width(job->png, job->info)} *
                            png_get_image_height(job->png, job->info);
    if (pixels > static_cast<uint64_t>(kMaxPicturePixels)) return false;
    const int passes = png_set_interlace_handling(job->png);
    png_read_update_info(job->png, job->info);
    job->row->resize(png_get_rowbytes(job->png, job->info));
    const png_uint_32 height = png_get_image_height(job->png, job->info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(job->png, job->row->data(), nullptr);
    }
    png_read_end(job->png, nullptr);
    return true;
}

}  // namespace

bool PngDecodes(std::string_view bytes) {
    constexpr size_t kSignature = 8;
    if (bytes.size() < kSignature ||
        png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, kSignature) != 0) {
        return false;
    }
    std::vector<png_byte> row;
    CheckJob job{bytes, 0, nullptr, nullptr, &row};
    job.png = png_create_read_struct(png_get_libpng_ver(nullptr), nullptr, QuietError,
                                     QuietWarning);
    if (job.png) job.info = png_create_info_struct(job.png);
    const bool read = job.info && ReadAllRows(&job);
    png_destroy_read_struct(&job.png, &job.info, nullptr);
    return read;
}

}  // namespace klu
