#include "model/text/text_util.h"

#include <algorithm>

#include "model/text/byte_lanes.h"

namespace klu {
namespace {

struct UpperTable {
    unsigned char map[256];
    constexpr UpperTable() : map() {
        for (int c = 0; c < 256; ++c)
            map[c] = static_cast<unsigned char>(c);
        for (int c = 'a'; c <= 'z'; ++c)
            map[c] = static_cast<unsigned char>(c - 32);
        for (int c = 0xE0; c <= 0xFE; ++c) {
            if (c != 0xF7) map[c] = static_cast<unsigned char>(c - 32);  // not the division sign
        }
        map[0x9A] = 0x8A;  // s caron
        map[0x9C] = 0x8C;  // oe
        map[0x9E] = 0x8E;  // z caron
        map[0xFF] = 0x9F;  // y diaeresis
    }
};
constexpr UpperTable kUpper;

}  // namespace

char FoldCase(char c) {
    return static_cast<char>(kUpper.map[static_cast<unsigned char>(c)]);
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = FoldCase(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

size_t FindNoCase(std::string_view haystack, std::string_view needle) {
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                          [](char x, char y) { return FoldCase(x) == FoldCase(y); });
    return it == haystack.end() && !needle.empty() ? std::string_view::npos
                                                   : static_cast<size_t>(it - haystack.begin());
}

bool ContainsByte(std::string_view text, char c) {
    const char* at = text.data();
    const size_t size = text.size();
#if defined(__SSE2__)
    // Sixteen bytes at a time, the last sixteen overlapping the blocks before; lines of 8 to 15
    // bytes as two blocks of eight. Nothing outside the text is read.
    using namespace lanes;
    if (size >= 16) {
        for (size_t i = 0; i + 16 < size; i += 16) {
            if (Matches(Load16(at + i), c)) return true;
        }
        return Matches(Load16(at + size - 16), c) != 0;
    }
    if (size >= 8) return Matches(LoadTwo8(at, at + size - 8), c) != 0;
#endif
    return std::find(at, at + size, c) != at + size;
}

}  // namespace klu
