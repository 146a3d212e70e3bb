#include "readable_colors.h"

#include <algorithm>
#include <cmath>

namespace klu {

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& color) {
    return 0.2126 * Linear(color.redF()) + 0.7152 * Linear(color.greenF()) +
           0.0722 * Linear(color.blueF());
}

}  // namespace

QColor ColorFromColorRef(uint32_t color_ref) {
    return QColor(static_cast<int>(color_ref & 0xFFu), static_cast<int>((color_ref >> 8) & 0xFFu),
                  static_cast<int>((color_ref >> 16) & 0xFFu));
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableLinkColor(uint32_t color_ref, const QPalette& palette) {
    const QColor chosen = ColorFromColorRef(color_ref);
    const QColor base = palette.color(QPalette::Base);
    if (color_ref != kDefaultLinkColorRef || ContrastRatio(chosen, base) >= kReadableContrast)
        return chosen;
    QColor link = palette.color(QPalette::Link);
    const bool dark_base = base.lightness() < 128;
    for (int step = 0; step < 12 && ContrastRatio(link, base) < kReadableContrast; ++step)
        link = dark_base ? link.lighter(125) : link.darker(125);
    return ContrastRatio(link, base) >= kReadableContrast ? link : palette.color(QPalette::Text);
}

}  // namespace klu
