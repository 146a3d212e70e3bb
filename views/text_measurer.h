#pragma once

#include <cstdint>
#include <string_view>

namespace klu {

// The two fonts of a text view: the normal font and the fixed font that lines marked altFont
// use.
enum class TextFont { Normal, Fixed };

// What the text layout needs to know about the fonts of the device it lays out for. The screen
// control and the printer each provide one, so both flow text through the same code.
class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;

    // Width in pixels of text (single-byte characters) drawn in the font. The layout measures a
    // prefix of a line by passing that prefix.
    virtual int TextWidth(std::string_view text, TextFont font) const = 0;
    // The font's average character width, from which a line break is first guessed.
    virtual int AverageCharWidth(TextFont font) const = 0;
    // Height of one text line of the normal font.
    virtual int LineHeight() const = 0;
};

// Every character is the same number of pixels wide, per font; for tests.
class FixedWidthMeasurer : public TextMeasurer {
  public:
    explicit FixedWidthMeasurer(int char_width = 10, int line_height = 20, int fixed_width = 0)
        : normalWidth(char_width),
          fixedWidth(fixed_width > 0 ? fixed_width : char_width),
          lineHeight(line_height) {}

    int TextWidth(std::string_view text, TextFont font) const override {
        return static_cast<int>(text.size()) * CharWidth(font);
    }
    int AverageCharWidth(TextFont font) const override { return CharWidth(font); }
    int CharWidth(TextFont font) const {
        return font == TextFont::Fixed ? fixedWidth : normalWidth;
    }
    int LineHeight() const override { return lineHeight; }

    int normalWidth;
    int fixedWidth;
    int lineHeight;
};

// Passes everything to another measurer and counts the text widths asked for.
class CountingMeasurer : public TextMeasurer {
  public:
    explicit CountingMeasurer(const TextMeasurer& inner) : measurer(inner) {}

    int TextWidth(std::string_view text, TextFont font) const override {
        ++widthCalls;
        return measurer.TextWidth(text, font);
    }
    int AverageCharWidth(TextFont font) const override { return measurer.AverageCharWidth(font); }
    int LineHeight() const override { return measurer.LineHeight(); }

    int64_t WidthCalls() const { return widthCalls; }
    void Reset() { widthCalls = 0; }

  private:
    const TextMeasurer& measurer;
    mutable int64_t widthCalls = 0;
};

}  // namespace klu
