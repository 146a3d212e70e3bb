#pragma once

#include <string>
#include <string_view>

namespace klu {

// The Unicode character of one Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value.
char16_t Windows1252Char(unsigned char byte);

// Appends the UTF-8 form of one character of the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char16_t character);

}  // namespace klu
