#pragma once

#include <QImage>

namespace klu {

class DecodedBitmap;

// The bitmap as an upright Qt image of 8-bit colour indices with the bitmap's colour table,
// filled up to 256 entries with black so that every pixel value has a colour (an overlay may
// bring values beyond the table of the picture it is painted onto); a true-colour bitmap as
// 32-bit colours. For the screen, the clipboard and saved PNG files.
QImage ToQImage(const DecodedBitmap& bitmap);

}  // namespace klu
