// Decoding a 1024 x 768 true-colour picture, photo-like (gradients with noise), from a file.
//
//   BM_PlainDecode  libpng straight to 8-bit RGB rows: the least a decode of the file costs.
//   BM_LoadPNG      the reader's decode: mapped to the colour cube into a bottom-up bitmap. Its
//                   counter load_over_plain gives its time over the plain decode's time of the
//                   same run (target: 2 at most).
//
// Extra flag, read before the benchmark library's own: --file_dir=DIR (where the picture is
// written, the build folder by default).

#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_flags.h"
#include "views/load_png.h"
#include "views/png_writer.h"

#ifndef KLU_BENCH_DIR
#define KLU_BENCH_DIR "/tmp"
#endif

namespace {

using namespace klu;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kTargetRatio = 2.0;

std::string g_dir = KLU_BENCH_DIR;
double g_plain_seconds = 0;
double g_load_seconds = 0;

// Smooth colour fields with a little noise on every sample, as a photograph has.
PngPicture PhotoLike() {
    PngPicture picture(kWidth, kHeight, PngKind::Rgb, 8);
    picture.samples.reserve(static_cast<size_t>(kWidth) * kHeight * 3);
    std::mt19937 random(1024768);
    std::normal_distribution<double> noise(0.0, 6.0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double u = static_cast<double>(x) / kWidth;
            const double v = static_cast<double>(y) / kHeight;
            const double base[3] = {200 * u + 40 * std::sin(9 * v), 180 * v + 50 * std::cos(7 * u),
                                    120 + 100 * std::sin(5 * (u + v))};
            for (const double b : base) {
                const double s = std::round(b + noise(random));
                picture.samples.push_back(static_cast<uint16_t>(s < 0 ? 0 : s > 255 ? 255 : s));
            }
        }
    }
    return picture;
}

// The picture's file, written on first use.
const std::string& PictureFile() {
    static const std::string path = [] {
        const std::string file = g_dir + "/bench_png_1024x768.png";
        if (!WritePngFile(file, PhotoLike())) throw std::runtime_error("cannot write " + file);
        return file;
    }();
    return path;
}

// The plain decode's libpng part; an error jumps back here. Only plain pointers in this frame.
bool ReadRgb(png_structp png, png_infop info, FILE* file, std::vector<png_bytep>* rows,
             std::vector<png_byte>* pixels) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    png_read_update_info(png, info);
    const size_t row_bytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    pixels->resize(row_bytes * height);
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        (*rows)[y] = pixels->data() + y * row_bytes;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return true;
}

bool PlainDecode(const std::string& path, std::vector<png_byte>& pixels) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows;
    const bool read = info && ReadRgb(png, info, file, &rows, &pixels);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return read;
}

using Clock = std::chrono::steady_clock;

void BM_PlainDecode(benchmark::State& state) {
    const std::string& path = PictureFile();
    std::vector<png_byte> pixels;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!PlainDecode(path, pixels)) state.SkipWithError("plain decode failed");
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(pixels.data());
    }
    g_plain_seconds = seconds / static_cast<double>(state.iterations());
    state.counters["pixels"] = kWidth * kHeight;
}
BENCHMARK(BM_PlainDecode)->Unit(benchmark::kMillisecond);

void BM_LoadPNG(benchmark::State& state) {
    const std::string& path = PictureFile();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const std::unique_ptr<DecodedBitmap> bitmap = LoadPNG(path, 0);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (!bitmap) state.SkipWithError("LoadPNG failed");
        benchmark::DoNotOptimize(bitmap.get());
    }
    g_load_seconds = seconds / static_cast<double>(state.iterations());
    if (g_plain_seconds > 0) state.counters["load_over_plain"] = g_load_seconds / g_plain_seconds;
}
BENCHMARK(BM_LoadPNG)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (const auto dir = bench::TakeFlag(argc, argv, "file_dir")) g_dir = *dir;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_plain_seconds > 0 && g_load_seconds > 0) {
        const double ratio = g_load_seconds / g_plain_seconds;
        std::printf("LoadPNG %.2f ms, plain decode %.2f ms: %.2f times (target <= %.0f): %s\n",
                    1000 * g_load_seconds, 1000 * g_plain_seconds, ratio, kTargetRatio,
                    ratio <= kTargetRatio ? "met" : "MISSED");
    }
    return 0;
}
