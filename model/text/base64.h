#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace klu {

// Appends bytes in the base64 alphabet of RFC 4648, padded with "=": the form of data: URIs and
// of the script's atob().
void AppendBase64(std::string& out, std::string_view bytes);
// The same for the bytes each mixed (exclusive or) with a 16-byte key, repeated: no copy is
// made.
void AppendBase64(std::string& out, std::string_view bytes, std::span<const uint8_t, 16> key);
// The bytes of padded base64 text in that alphabet; nothing for text that is not, so that a
// typing mistake is reported rather than read as other bytes.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace klu
