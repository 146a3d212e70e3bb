#pragma once

#include <string>
#include <string_view>

namespace klu {

// Hint-file text is single-byte Windows-1252. Every comparison of the system ignores letter case,
// for accented letters too, the same way whatever the locale: FoldCase maps a byte to upper case.
char FoldCase(char c);

std::string ToUpper(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Position of the first occurrence of needle in haystack ignoring case, or npos.
size_t FindNoCase(std::string_view haystack, std::string_view needle);
// Whether text holds the byte c: text.find(c) != npos, made for the short lines of a load.
bool ContainsByte(std::string_view text, char c);

}  // namespace klu
