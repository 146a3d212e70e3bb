// Palette pictures drawn by code and written as PNG files, for the demo file and the help file:
// the repository holds the programs that draw them, never the pictures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace klu::media {

struct Rgb {
    uint8_t r, g, b;
};

// Writes an 8-bit palette PNG; returns false on any failure.
bool WritePalettePng(const std::string& path, int width, int height,
                     const std::vector<Rgb>& palette, const std::vector<uint8_t>& pixels);

// A picture of palette indices with a few drawing operations. Everything is clipped to the
// picture; rectangles are given as left, top, right, bottom with right and bottom excluded.
class Canvas {
  public:
    Canvas(int width, int height, uint8_t background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint8_t At(int x, int y) const;

    void Set(int x, int y, uint8_t color);
    void Fill(int left, int top, int right, int bottom, uint8_t color);
    // A one-pixel outline just inside the rectangle.
    void Frame(int left, int top, int right, int bottom, uint8_t color);
    // A raised edge: light along the top and left, dark along the bottom and right.
    void Raised(int left, int top, int right, int bottom, uint8_t light, uint8_t dark);
    void Line(int x0, int y0, int x1, int y1, uint8_t color);
    // Every pixel whose centre lies within radius of (cx, cy); with inner > 0 a ring.
    void Disc(int cx, int cy, int radius, uint8_t color, int inner = 0);

    // Capital letters, digits and a few signs in a 5 by 7 pixel font, each pixel drawn as a
    // scale by scale square, one empty column between letters. Returns false for a character
    // the font lacks (nothing is drawn for it).
    bool Text(int x, int y, std::string_view text, uint8_t color, int scale = 1);
    // The width Text takes for the text.
    static int TextWidth(std::string_view text, int scale = 1);
    // Text centred between left and right.
    bool CenteredText(int left, int right, int y, std::string_view text, uint8_t color,
                      int scale = 1);

    bool WritePng(const std::string& path, const std::vector<Rgb>& palette) const;

  private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

}  // namespace klu::media
