#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace klu {

struct PictureDimensions {
    int32_t width = 0;
    int32_t height = 0;
};

// The size a PNG picture declares in its header, read from the file at path where its data
// starts at offset. Nothing when the data is not a PNG header or lies outside the file, so that
// a damaged picture takes no room.
std::optional<PictureDimensions> ReadPngSize(const std::string& path, int64_t offset,
                                             int64_t length);

}  // namespace klu
