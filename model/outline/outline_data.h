#pragma once

#include <string>
#include <string_view>

namespace klu {

// Why bytes cannot be the data of an outline element ("picture", "overlay", "sound", "gif"):
// a picture or overlay is a PNG picture the reader decodes, a sound a RIFF WAVE file, a GIF
// picture a GIF file. "" when they can.
std::string DataFault(std::string_view element, std::string_view bytes);

}  // namespace klu
