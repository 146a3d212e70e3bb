#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "model/text/windows1252.h"

namespace klu {

// Hint text is single-byte Windows-1252; Qt draws and measures Unicode. The bytes stay as they
// are everywhere else: convert only at the point of drawing or measuring.
QString FromWindows1252(std::string_view text);

// What the user typed, as hint text: each character as its Windows-1252 byte, "?" for one the
// code page does not have.
std::string ToWindows1252(const QString& text);

// A message that may hold hint text (Windows-1252) or a file name (UTF-8): text that is valid
// UTF-8 is read as such, any other as Windows-1252. Plain ASCII reads the same either way, and
// hint text with letters beyond ASCII is practically never valid UTF-8.
QString FromUtf8OrWindows1252(std::string_view text);

}  // namespace klu
