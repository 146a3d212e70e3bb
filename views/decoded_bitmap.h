#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/document/media_hunks.h"

namespace klu {

// One colour of a bitmap's colour table.
struct BitmapColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const BitmapColor&) const = default;
};

// A decoded picture as a device-independent bitmap: 8 bits per pixel indexing the colour table,
// rows bottom-up in memory (the first row held is the bottom row of the picture), each row
// padded to a multiple of 4 bytes. A picture hunk keeps its decoded image in its image slot.
// Once an overlay of other colours is pasted onto it, the bitmap holds true colours instead.
class DecodedBitmap : public ViewData {
  public:
    // A bitmap of the size with every pixel 0. Throws std::bad_alloc when there is no room.
    DecodedBitmap(int width, int height, std::vector<BitmapColor> colors);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes from one row to the next: the width rounded up to a multiple of 4.
    int Stride() const { return stride_; }
    size_t ImageSize() const { return bits_.size(); }
    const std::vector<BitmapColor>& Colors() const { return colors_; }

    // The pixel bytes, bottom row first.
    const uint8_t* Bits() const { return bits_.data(); }
    // Row y of the picture, counted from the top.
    uint8_t* Row(int y) { return bits_.data() + RowOffset(y); }
    const uint8_t* Row(int y) const { return bits_.data() + RowOffset(y); }

    // The pixel at (x, y) from the top left corner of an 8-bit bitmap; the point must lie
    // inside.
    uint8_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint8_t value) { Row(y)[x] = value; }

    // Whether the pixels are true colours rather than indices of the colour table.
    bool TrueColour() const { return !rgb_.empty(); }
    // The colour of the pixel at (x, y) as 0xRRGGBB; an index beyond the table is black.
    uint32_t ColourAt(int x, int y) const;

    // Copies every pixel of the other bitmap (none is transparent) with its top left corner at
    // (x, y) of this one; what falls outside this bitmap is left out. Where the other's colour
    // table agrees with this one the 8-bit values are copied unchanged; otherwise this bitmap
    // turns to true colour, so that each keeps its own colours. Throws std::bad_alloc when
    // there is no room for that.
    void Paste(const DecodedBitmap& other, int x, int y);

  private:
    // Each of other's colours has the same index in this table.
    bool SharesColoursOf(const DecodedBitmap& other) const;
    void MakeTrueColour();

    size_t RowOffset(int y) const {
        return static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(stride_);
    }

    int width_;
    int height_;
    int stride_;
    std::vector<BitmapColor> colors_;
    std::vector<uint8_t> bits_;
    std::vector<uint32_t> rgb_;  // top row first, empty while the bitmap has 8 bits per pixel
};

}  // namespace klu
