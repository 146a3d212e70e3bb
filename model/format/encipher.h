#pragma once

#include <array>
#include <cstdint>
#include <memory>
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
// Whether every character of plain has a stored form in the older cipher.
bool Encodes88(std::string_view plain);

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

// The nested hint cipher of one key, for the many lines of a file: the stored forms
// EncodeNestedHint gives, from a table per position in the line that is made the first time a
// line reaches that position.
class NestedHintEncoder {
  public:
    explicit NestedHintEncoder(std::string_view key);
    // Appends the stored form of plain to out; false when some character has none (out then
    // holds a part of it).
    bool Append(std::string_view plain, std::string& out);
    // Whether every character of plain has a stored form.
    bool Encodes(std::string_view plain);

  private:
    // The stored byte of each plain byte at a position, or -1.
    using Row = std::array<int16_t, 256>;
    static constexpr size_t kTabledPositions = 1024;  // beyond, each byte is worked out alone
    int16_t Stored(size_t position, unsigned char plain);

    std::string key_;
    std::vector<std::unique_ptr<Row>> rows_;  // by position, made as lines reach it
};

// True for the byte values that a stored line must not contain.
bool IsReservedStoredByte(unsigned char c);

}  // namespace klu
