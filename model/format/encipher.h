#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace klu {

// The inverses of the decoders, used by the writer. Each returns the stored form of a plain
// line, or nothing when some character has no stored form (the substitution only reaches certain
// byte values). Stored bytes never contain a line end, a carriage return or the end-of-text byte,
// so a stored line always reads back as one line.
std::optional<std::string> Encode88(std::string_view plain);
std::optional<std::string> EncodeNestedHint(std::string_view plain, std::string_view key);
std::optional<std::string> EncodeTextBlock(std::string_view plain, std::string_view key);

// Appends the stored form of plain to out, as Encode88 gives it; false when some character has
// none (out then holds a part of it).
bool AppendEncode88(std::string_view plain, std::string& out);

// The text block cipher of one key as a table, for the many lines of a file: the stored forms
// EncodeTextBlock gives, without its search for each byte.
class TextBlockEncoder {
  public:
    explicit TextBlockEncoder(std::string_view key);
    // Appends the stored form of plain to out; false when some character has none (out then
    // holds a part of it).
    bool Append(std::string_view plain, std::string& out) const;
    // Whether every character of plain has a stored form.
    bool Encodes(std::string_view plain) const;

  private:
    std::vector<int16_t> stored_;  // [key position * 256 + plain byte]: the stored byte, or -1
    size_t period_ = 0;            // the key's length
};

// True for the byte values that a stored line must not contain.
bool IsReservedStoredByte(unsigned char c);

}  // namespace klu
