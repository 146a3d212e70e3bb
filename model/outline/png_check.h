#pragma once

#include <cstdint>
#include <string_view>

namespace klu {

// Larger pictures are not decoded (8192 x 8192 is the largest square that is).
inline constexpr int64_t kMaxPicturePixels = int64_t{64} << 20;

// Whether bytes are one complete PNG picture that libpng reads to its end without an error,
// no larger than kMaxPicturePixels: a picture the reader can show. Reads one row at a time.
bool PngDecodes(std::string_view bytes);

}  // namespace klu
