#include "model/outline/outline_data.h"

#include "model/outline/png_check.h"

namespace klu {

std::string DataFault(std::string_view element, std::string_view bytes) {
    if (element == "picture" || element == "overlay") {
        return PngDecodes(bytes) ? "" : "is no PNG picture that can be decoded";
    }
    if (element == "sound") {
        const bool wave = bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" &&
                          bytes.substr(8, 4) == "WAVE";
        return wave ? "" : "is no RIFF WAVE sound";
    }
    const bool gif = bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a";
    return gif ? "" : "is no GIF picture";
}

}  // namespace klu
