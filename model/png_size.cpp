#include "png_size.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace klu {
namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kHeaderBytes = 24;  // signature, chunk length, "IHDR", width, height
constexpr int32_t kLargestSide = 32767;

int64_t BigEndian32(const unsigned char* p) {
    return (int64_t{p[0]} << 24) | (int64_t{p[1]} << 16) | (int64_t{p[2]} << 8) | int64_t{p[3]};
}

}  // namespace

std::optional<PictureDimensions> ReadPngSize(const std::string& path, int64_t offset,
                                             int64_t length) {
    if (offset < 0 || length < kHeaderBytes) return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    unsigned char header[kHeaderBytes];
    if (!file || fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) != 0 ||
        std::fread(header, 1, kHeaderBytes, file.get()) != kHeaderBytes) {
        return std::nullopt;
    }
    if (std::memcmp(header, kSignature, sizeof kSignature) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const int64_t width = BigEndian32(header + 16);
    const int64_t height = BigEndian32(header + 20);
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide)
        return std::nullopt;
    return PictureDimensions{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

}  // namespace klu
