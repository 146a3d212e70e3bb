#pragma once

#include <string>
#include <string_view>

namespace klu {

// Hint-file text is single-byte Windows-1252. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same value, so every
// byte has a character and every conversion back gives the same byte.

// The Unicode character of one byte; all of them lie in the Basic Multilingual Plane.
char16_t Windows1252Char(unsigned char byte);

// The byte of a code point, or -1 when the code page has none.
int Windows1252Byte(char32_t code_point);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t code_point);

std::string Windows1252ToUtf8(std::string_view bytes);

// Where UTF-8 text cannot become Windows-1252: a character the code page lacks, or bytes that
// are no UTF-8 at all.
struct Utf8Fault {
    size_t offset = 0;    // of the offending bytes in the input
    std::string message;  // names the character, e.g. "\"ő\" (U+0151) has no Windows-1252 byte"
};

// Converts UTF-8 text; false (and the fault) at the first character that cannot be converted.
bool Utf8ToWindows1252(std::string_view utf8, std::string& out, Utf8Fault* fault = nullptr);

}  // namespace klu
