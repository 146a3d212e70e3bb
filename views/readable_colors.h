#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace klu {

// A 0x00BBGGRR colour value of the settings as a Qt colour.
QColor ColorFromColorRef(uint32_t color_ref);

// The settings' link colour when nobody chose another: blue, 0x00BBGGRR.
inline constexpr uint32_t kDefaultLinkColorRef = 0x00FF0000;

// How far apart two colours are for the eye, from 1 (the same) to 21 (black on white), as the
// web's accessibility guidelines measure it. Text wants at least kReadableContrast.
double ContrastRatio(const QColor& a, const QColor& b);
inline constexpr double kReadableContrast = 4.5;

// The colour links are drawn in on the palette's base: the one the user chose is kept as chosen;
// the default blue gives way to the palette's link colour where it would not stand out (a dark
// colour scheme), lightened or darkened until it is readable.
QColor ReadableLinkColor(uint32_t color_ref, const QPalette& palette);

}  // namespace klu
