#include "bitmap_file.h"

#include <cstdint>

#include "decoded_bitmap.h"
#include "model/files/whole_file.h"

namespace klu {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BmpFileBytes(const DecodedBitmap& bitmap) {
    const auto colors = static_cast<uint32_t>(bitmap.Colors().size());
    const uint32_t bits_at = kFileHeaderSize + kInfoHeaderSize + 4 * colors;
    const auto image_size = static_cast<uint32_t>(bitmap.ImageSize());
    std::string out;
    out.reserve(bits_at + image_size);
    // File header.
    out += "BM";
    PutLittleEndian(out, bits_at + image_size, 4);
    PutLittleEndian(out, 0, 4);  // two reserved words
    PutLittleEndian(out, bits_at, 4);
    // Information header: a positive height means bottom-up rows.
    PutLittleEndian(out, kInfoHeaderSize, 4);
    PutLittleEndian(out, static_cast<uint32_t>(bitmap.Width()), 4);
    PutLittleEndian(out, static_cast<uint32_t>(bitmap.Height()), 4);
    PutLittleEndian(out, 1, 2);  // planes
    PutLittleEndian(out, 8, 2);  // bits per pixel
    PutLittleEndian(out, 0, 4);  // uncompressed
    PutLittleEndian(out, image_size, 4);
    PutLittleEndian(out, 0, 4);  // no resolution given
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, colors, 4);
    PutLittleEndian(out, 0, 4);  // every colour is important
    // Colour table, blue first.
    for (const BitmapColor& c : bitmap.Colors()) {
        out.push_back(static_cast<char>(c.blue));
        out.push_back(static_cast<char>(c.green));
        out.push_back(static_cast<char>(c.red));
        out.push_back('\0');
    }
    out.append(reinterpret_cast<const char*>(bitmap.Bits()), bitmap.ImageSize());
    return out;
}

bool WriteBmpFile(const DecodedBitmap& bitmap, const std::string& path) {
    return ReplaceWholeFile(path, BmpFileBytes(bitmap));
}

}  // namespace klu
