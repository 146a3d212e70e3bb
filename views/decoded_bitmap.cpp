#include "decoded_bitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace klu {

namespace {

// The width rounded up to whole 4-byte words.
int RowBytes(int width) {
    const int64_t bytes = (std::max<int64_t>(width, 0) + 3) / 4 * 4;
    if (bytes > INT_MAX) throw std::bad_alloc();
    return static_cast<int>(bytes);
}

}  // namespace

DecodedBitmap::DecodedBitmap(int width, int height, std::vector<BitmapColor> colors)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(RowBytes(width)),
      colors_(std::move(colors)),
      bits_(static_cast<size_t>(stride_) * static_cast<size_t>(height_)) {}

void DecodedBitmap::Paste(const DecodedBitmap& other, int x, int y) {
    // The part of the other bitmap that lands inside this one, in its own coordinates. The
    // sums are made in 64 bits: a position far outside must not wrap round into the picture.
    const int64_t left = std::max<int64_t>(0, -int64_t{x});
    const int64_t top = std::max<int64_t>(0, -int64_t{y});
    const int64_t right = std::min<int64_t>(other.width_, int64_t{width_} - x);
    const int64_t bottom = std::min<int64_t>(other.height_, int64_t{height_} - y);
    if (left >= right || top >= bottom) return;
    const auto count = static_cast<size_t>(right - left);
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* from = other.Row(static_cast<int>(row)) + left;
        uint8_t* to = Row(static_cast<int>(row + y)) + (left + x);
        std::memcpy(to, from, count);
    }
}

}  // namespace klu
