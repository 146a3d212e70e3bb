#pragma once

#include <string>
#include <string_view>

namespace klu {

// Appends hint text (Windows-1252 bytes) as UTF-8 that is safe in HTML text and in quoted
// attribute values: the five markup characters become references, and control characters that
// HTML does not allow become U+FFFD.
void AppendHtmlText(std::string& out, std::string_view text);

// Appends UTF-8 text (the program's own words, file names) with the same escaping; its bytes
// beyond ASCII are kept as they are.
void AppendHtmlUtf8(std::string& out, std::string_view text);

}  // namespace klu
