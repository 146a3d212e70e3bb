#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace klu {

// The inverses of the decoders, used by the writer. Each returns the stored form of a plain
// line, or nothing when some character has no stored form (the substitution only reaches certain
// byte values). Stored bytes never contain a line end, a carriage return or the end-of-text byte,
// so a stored line always reads back as one line.
std::optional<std::string> Encode88(std::string_view plain);
std::optional<std::string> EncodeNestedHint(std::string_view plain, std::string_view key);
std::optional<std::string> EncodeTextBlock(std::string_view plain, std::string_view key);

// True for the byte values that a stored line must not contain.
bool IsReservedStoredByte(unsigned char c);

}  // namespace klu
