// Decodes arbitrary bytes as a PNG picture stored in a file, then works on what was decoded as
// the views do: overlays pasted onto it at its edges, and its bitmap file.
//
// The decoder reads from a path, so the input goes into one in-memory file made for the whole
// process and rewritten for each input. The checksum of every whole chunk is put right first:
// otherwise nearly every change the fuzzer makes stops at a checksum error.

#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "views/bitmap_file.h"
#include "views/decoded_bitmap.h"
#include "views/load_png.h"

namespace {

// The in-memory file and a path that opens it.
struct InputFile {
    int fd = -1;
    std::string path;
};

const InputFile& Input() {
    static const InputFile file = [] {
        InputFile made;
        made.fd = memfd_create("fuzz_png", 0);
        if (made.fd < 0) std::abort();
        made.path = "/proc/self/fd/" + std::to_string(made.fd);
        return made;
    }();
    return file;
}

uint32_t BigEndian(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

// The bytes with the checksum of every chunk that lies wholly inside them recomputed.
std::string WithGoodChecksums(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t at = 8;  // after the signature
    while (at + 12 <= bytes.size()) {
        const size_t length = BigEndian(bytes, at);
        if (length > bytes.size() - at - 12) break;
        const auto* typed = reinterpret_cast<const Bytef*>(bytes.data() + at + 4);
        const auto crc = static_cast<uint32_t>(crc32(0, typed, static_cast<uInt>(length + 4)));
        for (size_t i = 0; i < 4; ++i)
            bytes[at + 8 + length + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
        at += length + 12;
    }
    return bytes;
}

bool Rewrite(const InputFile& file, const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t size = bytes.size();
    if (ftruncate(file.fd, 0) != 0) return false;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(file.fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const InputFile& file = Input();
    if (!Rewrite(file, WithGoodChecksums(data, size))) std::abort();
    const std::unique_ptr<klu::DecodedBitmap> bitmap = klu::LoadPNG(file.path, 0);
    if (!bitmap) return 0;

    const int width = bitmap->Width();
    const int height = bitmap->Height();
    Check(width > 0 && height > 0 && int64_t{width} * height <= klu::kMaxPicturePixels);
    Check(bitmap->Stride() % 4 == 0 && bitmap->Stride() - width < 4);
    Check(bitmap->ImageSize() == static_cast<size_t>(bitmap->Stride()) * height);
    Check(!bitmap->Colors().empty() && bitmap->Colors().size() <= 256);

    // A small overlay at every corner, partly outside.
    const klu::DecodedBitmap patch(3, 2, {});
    for (const int x : {-1, width - 2}) {
        for (const int y : {-1, height - 1})
            bitmap->Paste(patch, x, y);
    }
    Check(bitmap->Pixel(0, 0) == 0 && bitmap->Pixel(width - 1, height - 1) == 0);

    const std::string bmp = klu::BmpFileBytes(*bitmap);
    Check(bmp.size() == 54 + 4 * bitmap->Colors().size() + bitmap->ImageSize());
    return 0;
}
