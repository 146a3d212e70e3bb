#pragma once

#include <string>
#include <string_view>

namespace klu::cli {

// Hint-file text is single-byte; JSON wants UTF-8. Each byte becomes the code point of the same
// value (0xE9 becomes U+00E9), so no byte is lost and none is guessed at.
std::string Latin1ToUtf8(std::string_view bytes);

}  // namespace klu::cli
