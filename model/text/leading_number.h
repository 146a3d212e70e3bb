#pragma once

#include <cstdint>
#include <string_view>

namespace klu {

// The number that the C library's atol reads from the start of a text: optional white space, an
// optional sign, then decimal digits; 0 when there are no digits. Too large a number saturates
// instead of overflowing.
int64_t LeadingNumber(std::string_view text);

// The same, clamped to the range of a 32-bit int.
int32_t LeadingNumber32(std::string_view text);

}  // namespace klu
