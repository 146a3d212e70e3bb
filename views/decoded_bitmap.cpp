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

uint32_t DecodedBitmap::ColourAt(int x, int y) const {
    if (TrueColour()) return rgb_[static_cast<size_t>(y) * static_cast<size_t>(width_) + x];
    const uint8_t index = Pixel(x, y);
    if (index >= colors_.size()) return 0;
    const BitmapColor& c = colors_[index];
    return uint32_t{c.red} << 16 | uint32_t{c.green} << 8 | c.blue;
}

bool DecodedBitmap::SharesColoursOf(const DecodedBitmap& other) const {
    const auto& theirs = other.colors_;
    return theirs.size() <= colors_.size() &&
           std::equal(theirs.begin(), theirs.end(), colors_.begin());
}

void DecodedBitmap::MakeTrueColour() {
    std::vector<uint32_t> rgb(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            rgb[static_cast<size_t>(y) * static_cast<size_t>(width_) + x] = ColourAt(x, y);
    }
    rgb_ = std::move(rgb);
}

void DecodedBitmap::Paste(const DecodedBitmap& other, int x, int y) {
    // The part of the other bitmap that lands inside this one, in its own coordinates. The
    // sums are made in 64 bits: a position far outside must not wrap round into the picture.
    const int64_t left = std::max<int64_t>(0, -int64_t{x});
    const int64_t top = std::max<int64_t>(0, -int64_t{y});
    const int64_t right = std::min<int64_t>(other.width_, int64_t{width_} - x);
    const int64_t bottom = std::min<int64_t>(other.height_, int64_t{height_} - y);
    if (left >= right || top >= bottom) return;
    const auto count = static_cast<size_t>(right - left);
    if (TrueColour() || other.TrueColour() || !SharesColoursOf(other)) {
        if (!TrueColour()) MakeTrueColour();
        for (int64_t row = top; row < bottom; ++row) {
            uint32_t* to = rgb_.data() + (row + y) * width_ + x;
            for (int64_t column = left; column < right; ++column)
                to[column] = other.ColourAt(static_cast<int>(column), static_cast<int>(row));
        }
        return;
    }
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* from = other.Row(static_cast<int>(row)) + left;
        uint8_t* to = Row(static_cast<int>(row + y)) + (left + x);
        std::memcpy(to, from, count);
    }
}

}  // namespace klu
