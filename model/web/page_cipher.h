#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace klu {

// Keeps a web page's hints unreadable in its source, as the file's encipherment keeps them in
// the file: each byte is mixed with a key of the page, then written in base64. The page's script
// holds the key and undoes it when a hint is revealed.
class PageCipher {
  public:
    // The key is made from the file's title, so a file's page is the same each time.
    explicit PageCipher(std::string_view title);

    void AppendEnciphered(std::string& out, std::string_view text) const;
    // The key as hexadecimal digits, for the script.
    void AppendKey(std::string& out) const;

  private:
    std::array<uint8_t, 16> key_{};
};

// 64-bit FNV-1a: a hash of bytes, continued from hash.
inline constexpr uint64_t kFnvBasis = 0xcbf29ce484222325ULL;
uint64_t Fnv1a(uint64_t hash, std::string_view bytes);

// Appends value as digits hexadecimal digits.
void AppendHex(std::string& out, uint64_t value, int digits);

}  // namespace klu
