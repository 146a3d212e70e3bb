#pragma once

#include <string>

namespace klu {

// Width of the plain-text export.
inline constexpr int kExportWidth = 75;

inline constexpr const char* kUnknownDataText =
    "This data type was not recognized.  You may need to upgrade your KLU reader.";

// Cuts the next output piece of at most width characters off the front of text, at a blank
// where it can. A piece that cannot be cut at a blank is empty when the line already holds
// something (the caller starts a new line) and runs to the next blank at a line start.
std::string TakePiece(std::string& text, int width, bool at_line_start);

}  // namespace klu
