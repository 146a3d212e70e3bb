#include "model/outline/png_check.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include "model/files/png_library.h"

namespace klu {
namespace {

// The plain state libpng's error exit may leave behind; the row buffer is owned by the caller.
struct CheckJob {
    const PngFunctions* lib = nullptr;
    std::string_view bytes;
    size_t at = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_byte>* row = nullptr;
};

void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* job = static_cast<CheckJob*>(PngLibrary()->png_get_io_ptr(png));
    if (job->bytes.size() - job->at < count) {
        job->lib->png_error(png, "the picture ends early");
        return;  // not reached: libpng's errors end in QuietError
    }
    std::memcpy(out, job->bytes.data() + job->at, count);
    job->at += count;
}

[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    PngLibrary()->png_longjmp(png, 1);
    __builtin_unreachable();  // png_longjmp never returns; its pointer does not say so
}

void QuietWarning(png_structp, png_const_charp) {}

bool ReadAllRows(CheckJob* job) {
    const PngFunctions& lib = *job->lib;
    // What png_jmpbuf does, through the loaded library.
    if (setjmp(*lib.png_set_longjmp_fn(job->png, longjmp, sizeof(jmp_buf)))) return false;
    lib.png_set_read_fn(job->png, job, ReadBytes);
    lib.png_read_info(job->png, job->info);
    const uint64_t pixels = uint64_t{lib.png_get_image_width(job->png, job->info)} *
                            lib.png_get_image_height(job->png, job->info);
    if (pixels > static_cast<uint64_t>(kMaxPicturePixels)) return false;
    const int passes = lib.png_set_interlace_handling(job->png);
    lib.png_read_update_info(job->png, job->info);
    job->row->resize(lib.png_get_rowbytes(job->png, job->info));
    const png_uint_32 height = lib.png_get_image_height(job->png, job->info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            lib.png_read_row(job->png, job->row->data(), nullptr);
    }
    lib.png_read_end(job->png, nullptr);
    return true;
}

}  // namespace

bool PngDecodes(std::string_view bytes) {
    constexpr size_t kSignature = 8;
    const PngFunctions* lib = PngLibrary();
    if (!lib || bytes.size() < kSignature ||
        lib->png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, kSignature) != 0) {
        return false;
    }
    std::vector<png_byte> row;
    CheckJob job{lib, bytes, 0, nullptr, nullptr, &row};
    job.png = lib->png_create_read_struct(lib->png_get_libpng_ver(nullptr), nullptr, QuietError,
                                          QuietWarning);
    if (job.png) job.info = lib->png_create_info_struct(job.png);
    const bool read = job.info && ReadAllRows(&job);
    lib->png_destroy_read_struct(&job.png, &job.info, nullptr);
    return read;
}

}  // namespace klu
