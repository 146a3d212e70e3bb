#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace klu {

// The fixed constant mixed into every text key.
inline constexpr std::string_view kKeyConstant = "vmq";

// Fills the table of the older generation's substitution. Decode88 builds it on first use as
// well, so calling this at start-up only moves the (tiny) cost there.
void BuildDecodeTable88();

// Keyless substitution: older-format titles and hints, and hint lines of newer files.
std::string Decode88(std::string_view stored);

// Writes stored.size() decoded characters to out, so that a load decodes each line straight into
// the memory of its tree. out may be stored.data() itself.
void Decode88Into(std::string_view stored, char* out);

// A key of the title's length, derived from the root title of the file.
std::string DeriveTextKey(std::string_view title, std::string_view constant = kKeyConstant);

// Keyed decoders. They differ only in the position they mix into each key byte: the position in
// the line (nested hints) or the position in the key (text bodies). An empty key leaves the line
// as stored. These make a decoder for the one line; a load makes one per key.
std::string DecodeNestedHint(std::string_view stored, std::string_view key);
std::string DecodeTextBlock(std::string_view stored, std::string_view key);

// Nested hints decode many lines with one key: the key is mixed with each of the first
// positions of a line once, so that those positions decode many bytes at a time.
class NestedHintDecoder {
  public:
    explicit NestedHintDecoder(std::string_view key);
    // Writes stored.size() decoded characters to out, which may be stored.data() itself.
    void Decode(std::string_view stored, char* out) const;

  private:
    std::string key_;
    std::vector<int16_t> mixedAt_;  // the mixed key at each of the first positions of a line
};

// Text bodies decode many lines with one key: the key is mixed once, and for a key of common
// length every stored byte at every key position is looked up in a table made once.
class TextBlockDecoder {
  public:
    explicit TextBlockDecoder(std::string_view key);
    // out may be stored.data() itself: each character is decoded where it lies.
    void Decode(std::string_view stored, char* out) const;

  private:
    // Decodes bytes one at a time, the first at key position 0.
    void DecodeBytes(const unsigned char* in, size_t size, char* out) const;

    std::vector<int> mixed_;            // the mixed key
    std::vector<unsigned char> table_;  // key position * 256 + stored byte; empty for long keys
    // The mixed key repeated over a whole number of key lengths, for decoding many bytes at a
    // time; empty for very long keys.
    std::vector<int16_t> mixedAt_;
};

}  // namespace klu
