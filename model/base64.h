#pragma once

#include <string>
#include <string_view>

namespace klu {

// Appends bytes in the base64 alphabet of RFC 4648, padded with "=": the form of data: URIs and
// of the script's atob().
void AppendBase64(std::string& out, std::string_view bytes);

}  // namespace klu
