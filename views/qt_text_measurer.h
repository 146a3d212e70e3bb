#pragma once

#include <QFont>
#include <QFontMetrics>

#include "model/store/settings.h"
#include "text_measurer.h"

namespace klu {

// Measures text for the layout with the metrics of the control's two fonts.
class QtTextMeasurer : public TextMeasurer {
  public:
    QtTextMeasurer(const QFont& normal_font, const QFont& fixed_font);
    // Measures in the pixels of a device other than the screen, such as a printer.
    QtTextMeasurer(const QFont& normal_font, const QFont& fixed_font, const QPaintDevice* device);

    int TextWidth(std::string_view text, TextFont font) const override;
    int AverageCharWidth(TextFont font) const override;
    // The normal font's height with its external leading.
    int LineHeight() const override;
    // Distance from the top of a line to the base line of its text, per font.
    int Ascent(TextFont font) const;

  private:
    const QFontMetrics& Metrics(TextFont font) const;

    QFontMetrics normal;
    QFontMetrics fixed;
};

// The screen font of a font record; an empty face or size keeps the desktop's general font's.
QFont ScreenFontOf(const FontRecord& record);

}  // namespace klu
